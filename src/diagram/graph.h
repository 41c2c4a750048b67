#ifndef GRAPH_H
#define GRAPH_H

#include <QPen>
#include <QString>
#include <QWidget>

class mainWin;
class QPainter;

// The blur diagram. It reads both cameras and the diagram controls through
// its main window and draws everything anew on every paint.
class graph : public QWidget
{
public:
    graph();

    void setMainWin(mainWin *w);
    void drawDiagram(QPainter &painter);
    void saveImage(QString fileName);

    mainWin *win = nullptr;
    QPen pens[4];
    int leftMargin;
    int rightMargin;
    int topMargin;
    int bottomMargin;

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif // GRAPH_H
