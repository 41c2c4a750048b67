#ifndef CALCFORMAT_H
#define CALCFORMAT_H

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

struct DofFigures;

// How vorel-calc writes numbers and figures: rounded for people, exact and
// with null for what is infinite or does not exist for programs.
namespace CalcFormat
{

// The shortest text that reads back as the same double; "inf" for infinity.
QString exact(double value);
// A distance in mm as metres for people: six digits, or "infinity".
QString metresText(double mm);
// A distance in mm as metres with the decimals a printed table needs.
QString shortMetres(double mm);
// A length in mm as metres for JSON: null when infinite or undefined.
QJsonValue metresJson(double mm);
QJsonValue numberJson(double value);
// A magnification as photographers write it: 1:59, 1:1, 2:1.
QString ratio(double magnification);
// The bytes to write as they are: no round trip through QString.
QByteArray json(const QJsonObject &object);

// Label and value pairs, the values aligned in one column.
QString keyValues(const QList<QPair<QString, QString>> &pairs);
QString indented(const QString &text);

QJsonObject dofJson(const DofFigures &f);
// cocNote says where the CoC came from; empty leaves it out.
QString dofText(const DofFigures &f, const QString &cocNote);
// A figure with where it came from in brackets, "36 x 24 mm (full
// frame)"; an empty source leaves the figure alone.
QString withSource(const QString &figure, const QString &source);

// A self-contained page around a table that prints on one A4 sheet.
QString htmlPage(const QString &title, const QString &note, const QString &table);

} // namespace CalcFormat

#endif // CALCFORMAT_H
