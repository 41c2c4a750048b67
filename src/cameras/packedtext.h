#ifndef PACKEDTEXT_H
#define PACKEDTEXT_H

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QStringList>

// Many short texts and numbers kept as two blocks: the texts one after
// another, and the shape (numbers, and the texts' lengths) as 32-bit
// numbers. Two blocks are read back far faster than a stream of one string
// each, which is what a program start that loads the cameras needs.
// Reading past the end, or a length beyond the texts, fails the reader for
// good: it then gives zeros and empty texts.
class PackedText
{
public:
    void putNumber(quint32 n);
    void putDouble(double d);
    void putString(const QString &s);
    void putStrings(const QStringList &list);

    quint32 number();
    double toDouble();
    QString string();
    // string() without a copy: the text lies in texts(), which must outlive
    // it and every copy of it.
    QString borrowedString();
    QStringList borrowedStrings();
    const QString &texts() const { return m_text; }
    // A list of texts; one longer than what is left to read fails the
    // reader.
    QStringList strings();

    bool failed() const { return m_failed; }
    // Whether everything has been read, and nothing failed.
    bool atEnd() const;

    friend QDataStream &operator<<(QDataStream &out, const PackedText &p);
    friend QDataStream &operator>>(QDataStream &in, PackedText &p);

private:
    QByteArray m_shape;
    QString m_text;
    qsizetype m_shapeAt = 0;
    qsizetype m_textAt = 0;
    bool m_failed = false;
};

#endif // PACKEDTEXT_H
