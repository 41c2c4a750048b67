#ifndef TEXTTABLE_H
#define TEXTTABLE_H

#include <QList>
#include <QString>
#include <QStringList>

// A table of texts that vorel-calc writes as aligned text for people, or as
// CSV, Markdown or an HTML table for other programs and for print.
class TextTable
{
public:
    explicit TextTable(const QStringList &header) : header(header) {}

    void addRow(const QStringList &cells) { rows.append(cells); }
    // How many leading columns of text() are left-aligned; 1 by default.
    void setLeftAligned(int columns) { leftAligned = columns; }

    // Columns padded to their widest cell; the leading ones left-aligned,
    // the rest right-aligned, as numbers read best.
    QString text() const;
    QString csv() const;
    QString markdown() const;
    // The <table> element alone; the caller frames the page.
    QString html() const;

private:
    QStringList header;
    QList<QStringList> rows;
    int leftAligned = 1;
};

#endif // TEXTTABLE_H
