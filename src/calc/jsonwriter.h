#ifndef JSONWRITER_H
#define JSONWRITER_H

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
#include <QString>

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
    void key(QLatin1String name);
    void key(const QString &name);

    // A number; null when it is infinite or undefined, which JSON cannot
    // hold.
    void number(double value);
    void boolean(bool value);
    void string(const QString &value);
    void null();

    // The document, once its outermost object or array is closed.
    QByteArray bytes() const { return out; }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    // text is UTF-8.
    void writeString(QByteArrayView text);
    void indent(qsizetype depth);

    QByteArray out;
    // For every open object or array: whether it has a member yet.
    std::vector<bool> filled;
    bool afterKey = false;
};

#endif // JSONWRITER_H
