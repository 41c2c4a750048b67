#ifndef JSONWRITER_H
#define JSONWRITER_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstring>
#include <vector>

// Writes a JSON document as it goes, for output too large to build as a
// QJsonDocument first (a table of 100 000 cells makes as many objects).
// The bytes are those of QJsonDocument::toJson(QJsonDocument::Indented)
// for the same document, provided an object's keys are written in the
// order QJsonObject keeps them: sorted.
class JsonWriter
{
public:
    // An estimate of the document's size saves reallocations.
    explicit JsonWriter(qsizetype sizeHint = 0);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The next value's key, in an object.
    void key(const QString &name);
    // A key spelt out in the program, which needs no escapes: plain
    // ASCII without quotes, backslashes or control characters.
    template <size_t N> void key(const char (&name)[N])
    {
        beforeValue();
        char *at = reserve(N + 3);
        at[0] = '"';
        std::memcpy(at + 1, name, N - 1);
        std::memcpy(at + N, "\": ", 3);
        afterKey = true;
    }

    // A number; null when it is infinite or undefined, which JSON cannot
    // hold.
    void number(double value);
    void boolean(bool value);
    void string(const QString &value);
    void null();

    // The document, once its outermost object or array is closed; the
    // writer is left empty.
    QByteArray take();

private:
    // The separator and indentation before a value or key.
    void beforeValue()
    {
        if (afterKey) {
            afterKey = false;
            return;
        }
        if (filled.empty())
            return;
        if (filled.back())
            append(",\n", 2);
        filled.back() = 1;
        indent(filled.size());
    }
    void open(char bracket);
    void close(char bracket);
    // text is UTF-8.
    void writeString(QByteArrayView text);
    void indent(size_t depth) { std::memset(reserve(4 * depth), ' ', 4 * depth); }

    // Room for n more bytes at the end, written by the caller.
    char *reserve(size_t n)
    {
        if (capacity - used < n)
            grow(n);
        char *at = begin + used;
        used += n;
        return at;
    }
    void grow(size_t n);
    void append(const char *text, size_t n)
    {
        if (n > 0)
            std::memcpy(reserve(n), text, n);
    }
    void append(char c) { *reserve(1) = c; }

    // A table writes tens of thousands of short pieces, each copied into
    // place without a call into a library.
    QByteArray out;
    char *begin = nullptr;
    size_t used = 0;
    size_t capacity = 0;
    // For every open object or array: whether it has a member yet.
    std::vector<unsigned char> filled;
    bool afterKey = false;
};

#endif // JSONWRITER_H
