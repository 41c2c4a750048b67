#include "packedtext.h"

#include <cstring>

void PackedText::putNumber(quint32 n)
{
    for (int i = 0; i < 4; ++i)
        m_shape += char(n >> (8 * i) & 0xff);
}

void PackedText::putDouble(double d)
{
    quint64 bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    putNumber(quint32(bits));
    putNumber(quint32(bits >> 32));
}

void PackedText::putString(const QString &s)
{
    putNumber(quint32(s.size()));
    m_text += s;
}

void PackedText::putStrings(const QStringList &list)
{
    putNumber(quint32(list.size()));
    for (const QString &s : list)
        putString(s);
}

quint32 PackedText::number()
{
    if (m_failed || m_shapeAt + 4 > m_shape.size()) {
        m_failed = true;
        return 0;
    }
    quint32 n = 0;
    for (int i = 0; i < 4; ++i)
        n |= quint32(uchar(m_shape[m_shapeAt + i])) << (8 * i);
    m_shapeAt += 4;
    return n;
}

double PackedText::toDouble()
{
    const quint64 low = number();
    const quint64 bits = low | quint64(number()) << 32;
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return m_failed ? 0.0 : d;
}

QString PackedText::string()
{
    QString s = borrowedString();
    // A copy of its own, no longer tied to the texts.
    s.detach();
    return s;
}

QString PackedText::borrowedString()
{
    const quint32 n = number();
    if (m_failed || n > m_text.size() - m_textAt) {
        m_failed = true;
        return QString();
    }
    const QString s = QString::fromRawData(m_text.constData() + m_textAt, n);
    m_textAt += n;
    return s;
}

QStringList PackedText::strings()
{
    QStringList list = borrowedStrings();
    for (QString &s : list)
        s.detach();
    return list;
}

QStringList PackedText::borrowedStrings()
{
    const quint32 n = number();
    QStringList list;
    // Each text's length takes four bytes of the shape.
    if (n > (m_shape.size() - m_shapeAt) / 4) {
        m_failed = true;
        return list;
    }
    list.reserve(n);
    for (quint32 i = 0; i < n && !m_failed; ++i)
        list << borrowedString();
    return m_failed ? QStringList() : list;
}

bool PackedText::atEnd() const
{
    return !m_failed && m_shapeAt == m_shape.size() && m_textAt == m_text.size();
}

QDataStream &operator<<(QDataStream &out, const PackedText &p)
{
    return out << p.m_shape << p.m_text;
}

QDataStream &operator>>(QDataStream &in, PackedText &p)
{
    p = PackedText();
    in >> p.m_shape >> p.m_text;
    return in;
}
