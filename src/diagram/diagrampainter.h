#ifndef DIAGRAMPAINTER_H
#define DIAGRAMPAINTER_H

#include <QCoreApplication>
#include <QFont>
#include <QPen>
#include <QString>

#include <vector>

struct DiagramScene;
class QPainter;
class QSize;

// Draws the blur diagram of a scene on any paint device: the window's
// widget, its exported images and vorel-calc render share this one drawing.
// It needs Qt's painting but no widgets.
class DiagramPainter
{
    // The diagram's texts are translated in the widget's context.
    Q_DECLARE_TR_FUNCTIONS(graph)

public:
    DiagramPainter();

    // The plot's distance from the diagram's edges, in logical pixels.
    static constexpr int LeftMargin = 30;
    static constexpr int RightMargin = 10;
    static constexpr int TopMargin = 10;
    static constexpr int BottomMargin = 30;

    // The legend texts of one camera exactly as they were drawn.
    struct Legend {
        QString title;
        QString settings;
        QString limits;
    };

    // Draws the whole diagram for a diagram of the given size in logical
    // pixels; returns the legends drawn, one per camera shown.
    std::vector<Legend> draw(QPainter &painter, const QSize &size, const DiagramScene &scene) const;

private:
    // Camera 1, camera 2, texts and axes, grid.
    QPen pens[4];
    // Built once: a font resolved anew on every paint costs a font-database
    // lookup each time.
    QFont smallFont;
    QFont titleFont;
};

#endif // DIAGRAMPAINTER_H
