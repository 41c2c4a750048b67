#include "jsonwriter.h"

#include <QLocale>

#include <cmath>

JsonWriter::JsonWriter(qsizetype sizeHint)
{
    out.reserve(sizeHint);
}

void JsonWriter::indent(qsizetype depth)
{
    out.append(4 * depth, ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (filled.empty())
        return;
    if (filled.back())
        out.append(",\n");
    filled.back() = true;
    indent(qsizetype(filled.size()));
}

void JsonWriter::open(char bracket)
{
    beforeValue();
    out.append(bracket);
    out.append('\n');
    filled.push_back(false);
}

void JsonWriter::close(char bracket)
{
    if (filled.empty())
        return;
    if (filled.back())
        out.append('\n');
    filled.pop_back();
    indent(qsizetype(filled.size()));
    out.append(bracket);
    if (filled.empty())
        out.append('\n');
}

void JsonWriter::beginObject()
{
    open('{');
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    open('[');
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(QLatin1String name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80)
            return key(QString(name));
    beforeValue();
    writeString(QByteArrayView(name.data(), name.size()));
    out.append(": ");
    afterKey = true;
}

void JsonWriter::key(const QString &name)
{
    beforeValue();
    writeString(name.toUtf8());
    out.append(": ");
    afterKey = true;
}

void JsonWriter::number(double value)
{
    beforeValue();
    if (!std::isfinite(value))
        out.append("null");
    else
        out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    out.append(value ? "true" : "false");
}

void JsonWriter::string(const QString &value)
{
    beforeValue();
    writeString(value.toUtf8());
}

void JsonWriter::null()
{
    beforeValue();
    out.append("null");
}

void JsonWriter::writeString(QByteArrayView text)
{
    static const char hex[] = "0123456789abcdef";
    out.append('"');
    for (const char c : text) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\b':
            out.append("\\b");
            break;
        case '\f':
            out.append("\\f");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out.append("\\u00");
                out.append(hex[(c >> 4) & 0xf]);
                out.append(hex[c & 0xf]);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}
