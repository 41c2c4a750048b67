#ifndef GRAPH_H
#define GRAPH_H

#include "diagram/diagrampainter.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <vector>

class mainWin;
class QPainter;

// The blur diagram in the window. On every paint it asks its main window
// for the scene its controls describe and draws it anew.
class graph : public QWidget
{
    // No meta-object of its own: its texts get their own context this way
    // instead of QWidget's.
    Q_DECLARE_TR_FUNCTIONS(graph)

public:
    graph();

    void setMainWin(mainWin *w);
    // Draws the window's scene on any device at least as large as the
    // widget, so the screen and the exported image share one path.
    void drawDiagram(QPainter &painter);
    // The same scene laid out for a diagram of the given size in logical
    // pixels, whatever the widget's own size is.
    void drawDiagram(QPainter &painter, const QSize &size);
    // Writes the diagram, on a light grey ground, to fileName in the format
    // its suffix names. On failure returns false and, if asked, the reason.
    bool saveImage(const QString &fileName, QString *whyNot = nullptr);
    // What the last drawing's legends say, one line per camera shown, for
    // the widget's accessible description.
    QString legendDescription() const;

    mainWin *win = nullptr;

private:
    DiagramPainter drawing;
    // The legend texts exactly as drawDiagram() wrote them, so that the
    // accessible description never computes a figure of its own.
    std::vector<DiagramPainter::Legend> drawnLegends;
    // Sets the accessible description to what was just drawn and tells the
    // assistive tools when it differs from before.
    void updateDescription();

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif // GRAPH_H
