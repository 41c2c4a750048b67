#ifndef PLANNERPRINT_H
#define PLANNERPRINT_H

#include "diagram/diagramwriter.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QSizeF;
class QWidget;

// A page of the planner on paper: its title, the inputs and results as
// name and value, its chart and its table, which runs on over as many
// sheets as it needs with its header on each.
struct Printout {
    QString title;
    QList<QPair<QString, QString>> fields;
    DiagramWriter::Drawing chart;
    QStringList headers;
    QList<QStringList> rows;
};

namespace PlannerPrint
{

// The fields a widget shows, in the order they were made: every visible
// number box, choice, check box and text line under it by its accessible
// name, with its text.
QList<QPair<QString, QString>> fieldsOf(const QWidget *widget);

// Paints the printout on sheets of a size in the painter's units (points
// on paper), calling newSheet before each sheet after the first; returns
// the number of sheets. The painter is left as it was.
int paint(QPainter &painter, const QSizeF &size, const std::function<void()> &newSheet,
          const Printout &printout);
// Prints onto any paged device (a printer, a PDF file), in the device's
// page size and resolution; returns the number of pages, 0 where the
// device cannot be painted on.
int print(QPagedPaintDevice &device, const Printout &printout);

} // namespace PlannerPrint

#endif // PLANNERPRINT_H
