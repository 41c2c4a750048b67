#include "jsonwriter.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

JsonWriter::JsonWriter(qsizetype sizeHint)
{
    grow(size_t(std::max<qsizetype>(sizeHint, 64)));
}

void JsonWriter::grow(size_t n)
{
    // QByteArray leaves the bytes it adds uninitialised: nothing is
    // written twice.
    capacity = std::max(2 * capacity, used + n);
    out.resize(qsizetype(capacity));
    begin = out.data();
}

QByteArray JsonWriter::take()
{
    out.truncate(qsizetype(used));
    QByteArray document = std::move(out);
    out = QByteArray();
    begin = nullptr;
    used = capacity = 0;
    return document;
}

void JsonWriter::open(char bracket)
{
    beforeValue();
    append(bracket);
    append('\n');
    filled.push_back(0);
}

void JsonWriter::close(char bracket)
{
    if (filled.empty())
        return;
    if (filled.back())
        append('\n');
    filled.pop_back();
    indent(filled.size());
    append(bracket);
    if (filled.empty())
        append('\n');
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

void JsonWriter::key(const QString &name)
{
    beforeValue();
    writeString(name.toUtf8());
    append(": ", 2);
    afterKey = true;
}

void JsonWriter::number(double value)
{
    beforeValue();
    char text[32];
    if (!std::isfinite(value)) {
        append("null", 4);
    } else if (value == std::trunc(value) && std::fabs(value) <= 0x1p53) {
        // Qt keeps a whole number up to 2^53 as an integer and writes all
        // its digits (100000, not 1e+05); -0 becomes 0.
        const std::to_chars_result end =
            std::to_chars(text, text + sizeof text, static_cast<long long>(value));
        append(text, size_t(end.ptr - text));
    } else if (std::fabs(value) < 1e15) {
        // Here the shortest round trip of std::to_chars is the text Qt
        // writes, at a fraction of the cost. Beyond, Qt writes a whole
        // number as its shortest digits padded with zeros, where
        // std::to_chars writes every digit.
        const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
        append(text, size_t(end.ptr - text));
    } else {
        const QByteArray qt = QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
        append(qt.constData(), size_t(qt.size()));
    }
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    if (value)
        append("true", 4);
    else
        append("false", 5);
}

void JsonWriter::string(const QString &value)
{
    beforeValue();
    writeString(value.toUtf8());
}

void JsonWriter::null()
{
    beforeValue();
    append("null", 4);
}

void JsonWriter::writeString(QByteArrayView text)
{
    static const char hex[] = "0123456789abcdef";
    append('"');
    // Runs of characters that need no escape go out in one piece.
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        append(text.data() + run, size_t(i - run));
        run = i + 1;
        switch (c) {
        case '"':
            append("\\\"", 2);
            break;
        case '\\':
            append("\\\\", 2);
            break;
        case '\b':
            append("\\b", 2);
            break;
        case '\f':
            append("\\f", 2);
            break;
        case '\n':
            append("\\n", 2);
            break;
        case '\r':
            append("\\r", 2);
            break;
        case '\t':
            append("\\t", 2);
            break;
        default:
            append("\\u00", 4);
            append(hex[c >> 4]);
            append(hex[c & 0xf]);
        }
    }
    append(text.data() + run, size_t(text.size() - run));
    append('"');
}
