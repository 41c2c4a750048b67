#include "plannerprint.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace
{

// Sizes in points of a 72 dpi sheet.
constexpr double PointsPerInch = 72.0;
constexpr int TitleSize = 16;
constexpr int BodySize = 9;
constexpr double Gap = 6;
// The chart's height for its width, as on the screen.
constexpr double ChartAspect = 0.5;
constexpr double NameShare = 0.38;

QFont fontOf(int pixels, bool bold)
{
    QFont font = QGuiApplication::font();
    // Pixels of the scaled painter, so that the size follows the scale.
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Keeps the place on the sheet and starts a new sheet when asked to.
class Sheet
{
public:
    Sheet(QPainter &painter, const QSizeF &size, const std::function<void()> &newSheet)
        : painter(painter), area(QPointF(0, 0), size), newSheet(newSheet)
    {
    }
    // Makes room for height more, on a new sheet where this one is full
    // (unless it is still empty); true where a new sheet was begun.
    bool room(double height)
    {
        if (y + height <= area.bottom() || y <= area.top())
            return false;
        newSheet();
        ++sheets;
        y = area.top();
        return true;
    }

    QPainter &painter;
    QRectF area;
    const std::function<void()> &newSheet;
    double y = 0;
    int sheets = 1;
};

void printFields(Sheet &sheet, const QList<QPair<QString, QString>> &fields)
{
    QPainter &painter = sheet.painter;
    const double nameWidth = sheet.area.width() * NameShare;
    const QRectF valueColumn(sheet.area.left() + nameWidth + Gap, 0,
                             sheet.area.width() - nameWidth - Gap, 1e6);
    for (const auto &[name, value] : fields) {
        painter.setFont(fontOf(BodySize, true));
        const QRectF nameRect = painter.boundingRect(QRectF(sheet.area.left(), 0, nameWidth, 1e6),
                                                     Qt::TextWordWrap, name);
        painter.setFont(fontOf(BodySize, false));
        const QRectF valueRect = painter.boundingRect(valueColumn, Qt::TextWordWrap, value);
        const double height = std::max(nameRect.height(), valueRect.height());
        sheet.room(height);
        painter.setFont(fontOf(BodySize, true));
        painter.drawText(QRectF(sheet.area.left(), sheet.y, nameWidth, height), Qt::TextWordWrap,
                         name);
        painter.setFont(fontOf(BodySize, false));
        painter.drawText(QRectF(valueColumn.left(), sheet.y, valueColumn.width(), height),
                         Qt::TextWordWrap, value);
        sheet.y += height + Gap / 3;
    }
}

void printRow(Sheet &sheet, const QStringList &cells, int columns, double height, bool bold)
{
    QPainter &painter = sheet.painter;
    painter.setFont(fontOf(BodySize, bold));
    const double width = sheet.area.width() / columns;
    for (int c = 0; c < columns && c < cells.size(); ++c)
        painter.drawText(QRectF(sheet.area.left() + c * width, sheet.y, width - Gap, height),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, cells[c]);
    sheet.y += height;
}

void printTable(Sheet &sheet, const QStringList &headers, const QList<QStringList> &rows)
{
    const int columns = int(headers.size());
    if (columns == 0)
        return;
    const double height = QFontMetricsF(fontOf(BodySize, false)).height() * 1.4;
    const auto header = [&] {
        printRow(sheet, headers, columns, height, true);
        sheet.painter.drawLine(QPointF(sheet.area.left(), sheet.y),
                               QPointF(sheet.area.right(), sheet.y));
    };
    sheet.room(height * 2);
    header();
    for (const QStringList &row : rows) {
        if (sheet.room(height))
            header();
        printRow(sheet, row, columns, height, false);
    }
}

} // namespace

namespace PlannerPrint
{

QList<QPair<QString, QString>> fieldsOf(const QWidget *widget)
{
    QList<QPair<QString, QString>> fields;
    for (const QWidget *w : widget->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(widget) || w->accessibleName().isEmpty())
            continue;
        // A box's own typing field is the box.
        if (qobject_cast<QAbstractSpinBox *>(w->parentWidget()) ||
            qobject_cast<QComboBox *>(w->parentWidget()))
            continue;
        QString value;
        if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
            value = spin->text();
        else if (const auto *combo = qobject_cast<const QComboBox *>(w))
            value = combo->currentText();
        else if (const auto *check = qobject_cast<const QCheckBox *>(w))
            value = check->isChecked() ? QCoreApplication::translate("PlannerPrint", "yes")
                                       : QCoreApplication::translate("PlannerPrint", "no");
        else if (const auto *line = qobject_cast<const QLineEdit *>(w))
            value = line->text();
        else
            continue;
        fields.append({w->accessibleName(), value});
    }
    return fields;
}

int paint(QPainter &painter, const QSizeF &size, const std::function<void()> &newSheet,
          const Printout &printout)
{
    Sheet sheet(painter, size, newSheet);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(fontOf(TitleSize, true));
    const QRectF title = painter.boundingRect(sheet.area, Qt::TextWordWrap, printout.title);
    painter.drawText(QRectF(sheet.area.left(), sheet.y, sheet.area.width(), title.height()),
                     Qt::TextWordWrap, printout.title);
    sheet.y += title.height() + Gap;
    printFields(sheet, printout.fields);

    if (printout.chart) {
        const QSizeF chart(sheet.area.width(),
                           std::min(sheet.area.width() * ChartAspect, sheet.area.height() * 0.6));
        sheet.y += Gap;
        sheet.room(chart.height());
        painter.save();
        painter.translate(sheet.area.left(), sheet.y);
        painter.setFont(fontOf(BodySize, false));
        printout.chart(painter, chart.toSize());
        painter.restore();
        sheet.y += chart.height() + Gap;
    }
    sheet.y += Gap;
    printTable(sheet, printout.headers, printout.rows);
    painter.restore();
    return sheet.sheets;
}

int print(QPagedPaintDevice &device, const Printout &printout)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    // In points whatever the resolution, so that a 1200 dpi printer and a
    // PDF file get the same sheet.
    const double sx = device.logicalDpiX() / PointsPerInch;
    const double sy = device.logicalDpiY() / PointsPerInch;
    painter.scale(sx, sy);
    const int sheets = paint(
        painter, QSizeF(device.width() / sx, device.height() / sy), [&device] { device.newPage(); },
        printout);
    painter.end();
    return sheets;
}

} // namespace PlannerPrint
