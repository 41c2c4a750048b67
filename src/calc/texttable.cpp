#include "texttable.h"

#include <algorithm>

namespace
{

// RFC 4180: quote a field that holds a separator, a quote or a line break.
QString csvField(const QString &field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')))
        return field;
    QString escaped = field;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString markdownCell(const QString &cell)
{
    QString escaped = cell;
    return escaped.replace(QLatin1Char('|'), QStringLiteral("\\|"));
}

} // namespace

QString TextTable::text() const
{
    QList<int> widths;
    for (const QString &h : header)
        widths << h.size();
    for (const QStringList &row : rows)
        for (int i = 0; i < row.size(); ++i) {
            if (i >= widths.size())
                widths << 0;
            widths[i] = std::max<int>(widths[i], row[i].size());
        }

    int lineWidth = 1;
    for (int w : widths)
        lineWidth += w + 2;
    QString out;
    // A large table is thousands of cells: one allocation, not one a cell.
    out.reserve(lineWidth * (rows.size() + 1));
    auto line = [this, &widths, &out](const QStringList &cells) {
        const qsizetype start = out.size();
        for (int i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += QLatin1String("  ");
            const qsizetype padding = widths[i] - cells[i].size();
            if (i >= leftAligned)
                out += QString(padding, QLatin1Char(' '));
            out += cells[i];
            if (i < leftAligned)
                out += QString(padding, QLatin1Char(' '));
        }
        // No padding after the last column.
        while (out.size() > start && out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        out += QLatin1Char('\n');
    };
    line(header);
    for (const QStringList &row : rows)
        line(row);
    return out;
}

QString TextTable::csv() const
{
    auto line = [](const QStringList &cells) {
        QStringList fields;
        for (const QString &c : cells)
            fields << csvField(c);
        return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QString out = line(header);
    for (const QStringList &row : rows)
        out += line(row);
    return out;
}

QString TextTable::markdown() const
{
    auto line = [](const QStringList &cells) {
        QStringList escaped;
        for (const QString &c : cells)
            escaped << markdownCell(c);
        return QStringLiteral("| ") + escaped.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    };
    QString out = line(header);
    QStringList rule;
    for (int i = 0; i < header.size(); ++i)
        rule << (i == 0 ? QStringLiteral("---") : QStringLiteral("---:"));
    out += QStringLiteral("| ") + rule.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    for (const QStringList &row : rows)
        out += line(row);
    return out;
}

QString TextTable::html() const
{
    QString out = QStringLiteral("<table>\n<thead><tr>");
    for (const QString &h : header)
        out += QStringLiteral("<th>") + h.toHtmlEscaped() + QStringLiteral("</th>");
    out += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const QStringList &row : rows) {
        out += QStringLiteral("<tr>");
        for (int i = 0; i < row.size(); ++i) {
            const char *tag = i == 0 ? "th" : "td";
            out += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), row[i].toHtmlEscaped());
        }
        out += QStringLiteral("</tr>\n");
    }
    return out + QStringLiteral("</tbody>\n</table>\n");
}
