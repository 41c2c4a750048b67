#include "graph.h"

#include "app/mainwin.h"

#include <QPainter>

graph::graph() : leftMargin(30), rightMargin(10), topMargin(10), bottomMargin(30)
{
    pens[0].setColor(QColor(0, 127, 0));
    pens[1].setColor(QColor(0, 0, 127));
    pens[2].setColor(QColor(0, 0, 0));
    pens[3].setColor(QColor(200, 200, 200));
}

void graph::setMainWin(mainWin *w)
{
    win = w;
}

void graph::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawDiagram(painter);
}

void graph::drawDiagram(QPainter &) {}

void graph::saveImage(QString) {}
