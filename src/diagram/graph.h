#ifndef GRAPH_H
#define GRAPH_H

#include <QCoreApplication>
#include <QFont>
#include <QPen>
#include <QString>
#include <QWidget>

#include <vector>

class mainWin;
class QPainter;

// The blur diagram. It reads both cameras and the diagram controls through
// its main window and draws everything anew on every paint.
class graph : public QWidget
{
    // No meta-object of its own: its texts get their own context this way
    // instead of QWidget's.
    Q_DECLARE_TR_FUNCTIONS(graph)

public:
    graph();

    void setMainWin(mainWin *w);
    // Draws the whole diagram on any device at least as large as the widget,
    // so the screen and the exported image share one path.
    void drawDiagram(QPainter &painter);
    // The same drawing laid out for a diagram of the given size in logical
    // pixels, whatever the widget's own size is.
    void drawDiagram(QPainter &painter, const QSize &size);
    // Writes the diagram, on a light grey ground, to fileName in the format
    // its suffix names. On failure returns false and, if asked, the reason.
    bool saveImage(const QString &fileName, QString *whyNot = nullptr);
    // What the last drawing's legends say, one line per camera shown, for
    // the widget's accessible description.
    QString legendDescription() const;

    mainWin *win = nullptr;
    QPen pens[4];
    int leftMargin;
    int rightMargin;
    int topMargin;
    int bottomMargin;

private:
    // Built once: a font resolved anew on every paint costs a font-database
    // lookup each time.
    QFont smallFont;
    QFont titleFont;

    // The legend texts exactly as drawDiagram() wrote them, so that the
    // accessible description never computes a figure of its own.
    struct LegendLines {
        QString title;
        QString settings;
        QString limits;
    };
    std::vector<LegendLines> drawnLegends;
    // Sets the accessible description to what was just drawn and tells the
    // assistive tools when it differs from before.
    void updateDescription();

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif // GRAPH_H
