#include "calcformat.h"

#include "planning/doffigures.h"

#include <QJsonDocument>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace CalcFormat
{

QString exact(double value)
{
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (std::isnan(value))
        return QString();
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString metresText(double mm)
{
    if (std::isinf(mm))
        return QStringLiteral("infinity");
    return QString::number(mm / 1000, 'g', 6) + QStringLiteral(" m");
}

QString shortMetres(double mm)
{
    if (!std::isfinite(mm))
        return std::isinf(mm) ? QStringLiteral("inf") : QStringLiteral("-");
    const double m = mm / 1000;
    const int decimals = m >= 100 ? 0 : m >= 10 ? 1 : m >= 1 ? 2 : 3;
    return QString::number(m, 'f', decimals);
}

QString ratio(double magnification)
{
    if (magnification >= 1.0)
        return QString::number(magnification, 'g', 3) + QStringLiteral(":1");
    return QStringLiteral("1:") + QString::number(1.0 / magnification, 'g', 3);
}

QJsonValue numberJson(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonValue metresJson(double mm)
{
    return numberJson(mm / 1000);
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString keyValues(const QList<QPair<QString, QString>> &pairs)
{
    qsizetype width = 0;
    for (const auto &p : pairs)
        width = std::max(width, p.first.size());
    QString out;
    for (const auto &p : pairs)
        out += p.first.leftJustified(width + 2) + p.second + QLatin1Char('\n');
    return out;
}

QString indented(const QString &text)
{
    QString out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            out += QStringLiteral("  ") + lines[i];
        if (i + 1 < lines.size())
            out += QLatin1Char('\n');
    }
    return out;
}

QJsonObject dofJson(const DofFigures &f)
{
    return QJsonObject{
        {QStringLiteral("focal_mm"), numberJson(f.flength)},
        {QStringLiteral("aperture"), numberJson(f.apature)},
        {QStringLiteral("focus_m"), metresJson(f.fdist)},
        {QStringLiteral("coc_mm"), numberJson(f.coc)},
        {QStringLiteral("diffraction"), f.diffraction},
        {QStringLiteral("hyperfocal_m"), metresJson(f.hyperfocal)},
        {QStringLiteral("near_m"), metresJson(f.nearLimit)},
        {QStringLiteral("far_m"), metresJson(f.farLimit)},
        {QStringLiteral("depth_m"), metresJson(f.depth())},
        {QStringLiteral("blur_at_infinity"), numberJson(f.blurAtInfinity)},
        {QStringLiteral("scale"), numberJson(f.scale)},
    };
}

QString withSource(const QString &figure, const QString &source)
{
    if (source.isEmpty())
        return figure;
    return figure + QStringLiteral(" (") + source + QLatin1Char(')');
}

QString dofText(const DofFigures &f, const QString &cocNote)
{
    auto g6 = [](double v) { return QString::number(v, 'g', 6); };
    const QString coc = withSource(g6(f.coc) + QStringLiteral(" mm"), cocNote);
    const QString hyperfocal = std::isnan(f.hyperfocal)
                                   ? QStringLiteral("none: diffraction alone exceeds the CoC")
                                   : metresText(f.hyperfocal);
    return keyValues({
        {QStringLiteral("Focal length"), g6(f.flength) + QStringLiteral(" mm")},
        {QStringLiteral("Aperture"), QStringLiteral("f/") + g6(f.apature)},
        {QStringLiteral("Focus distance"), metresText(f.fdist)},
        {QStringLiteral("Circle of confusion"), coc},
        {QStringLiteral("Diffraction"),
         f.diffraction ? QStringLiteral("included") : QStringLiteral("not included")},
        {QStringLiteral("Hyperfocal distance"), hyperfocal},
        {QStringLiteral("Near limit"), metresText(f.nearLimit)},
        {QStringLiteral("Far limit"), metresText(f.farLimit)},
        {QStringLiteral("Depth of field"), metresText(f.depth())},
        {QStringLiteral("Blur at infinity"), g6(f.blurAtInfinity) + QStringLiteral(" CoC")},
        {QStringLiteral("Scale"), QStringLiteral("1:") + g6(f.scale)},
    });
}

QString htmlPage(const QString &title, const QString &note, const QString &table)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<title>%1</title>\n<style>\n"
               "@page { size: A4 landscape; margin: 12mm; }\n"
               "body { font-family: \"Liberation Sans\", Arial, sans-serif; font-size: 9pt; "
               "color: #000; margin: 0; }\n"
               "h1 { font-size: 13pt; margin: 0 0 2mm 0; }\n"
               "p { margin: 0 0 3mm 0; }\n"
               "table { border-collapse: collapse; width: 100%; page-break-inside: avoid; }\n"
               "th, td { border: 0.3mm solid #888; padding: 1mm 1.5mm; text-align: right; "
               "white-space: nowrap; }\n"
               "thead th { background: #e8e8e8; text-align: center; }\n"
               "tbody th { text-align: left; background: #f4f4f4; }\n"
               "tbody tr:nth-child(even) td { background: #fafafa; }\n"
               "</style>\n</head>\n<body>\n<h1>%1</h1>\n<p>%2</p>\n%3</body>\n</html>\n")
        .arg(title.toHtmlEscaped(), note.toHtmlEscaped(), table);
}

} // namespace CalcFormat
