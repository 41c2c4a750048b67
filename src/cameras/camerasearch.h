#ifndef CAMERASEARCH_H
#define CAMERASEARCH_H

#include "camerainfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Finds cameras by the names people type. Case, blanks, hyphens and other
// punctuation do not count. A text's words may be the maker's (any of the
// database's spellings, or their first word) and the model's; generations
// are one whatever their spelling ("Mark IV", "Mk4", "MkIV", "IV", Sony's
// "M4" in "ILCE-7RM4", Nikon's "_2" in "Z 6_2", and a digit after a model,
// "5D4" or "EM1 2"); a series name may be left out when the rest holds
// letters and digits ("R5" for "EOS R5"), and a series name that only the
// English name spells out may be its initial ("A7" for "Alpha 7", whose
// metadata name is "ILCE-7").
class CameraSearch
{
public:
    // How well a camera matches a text, worst to best: each word is in a
    // name, each word is a whole word of a name (or of consecutive words,
    // "EM1" of "E-M1"), the text is a short form of the name ("D3" of
    // "Digilux 3", "5D4"), the text is the name itself ("D3", the Nikon's).
    enum class Level { None, Substring, Words, ShortForm, Exact };
    struct Hit {
        int index = -1;
        Level level = Level::None;
    };

    CameraSearch() = default;
    explicit CameraSearch(const QList<CameraInfo> &cameras);

    // Every camera the text matches at all, the best level first and the
    // database's order within a level.
    QList<Hit> rank(const QString &text) const;
    // For a text that matches none: the cameras that share the most of
    // its words' beginnings, best first.
    QList<int> closest(const QString &text) const;
    // The camera a photo's make and model name by the database's metadata
    // spelling, blanks and case aside; -1 if none.
    int byMetadata(const QString &make, const QString &model) const;

    // The search's names as bytes, so that a program start need not derive
    // them again; back from bytes, the search of count cameras, or none
    // where the bytes hold anything else.
    QByteArray toBytes() const;
    static std::optional<CameraSearch> fromBytes(const QByteArray &bytes, qsizetype count);

    // A text's words as the search compares them: case-folded, a
    // generation as "#" and its number ("E-M1 Mark II": "e", "m1", "mark",
    // "#2").
    static QStringList words(const QString &text);

private:
    struct Name {
        QStringList words;
        QString key;
        // A form of the name derived by the search rather than given by
        // the database.
        bool derived = false;
    };
    struct Entry {
        QList<Name> makers;
        QList<Name> models;
        QString metadataMaker;
        QString metadataModel;
    };
    Level levelOf(const Entry &entry, const Name &query) const;

    QList<Entry> m_entries;
    // The texts that the names of a search read from bytes borrow.
    QString m_storage;
};

#endif // CAMERASEARCH_H
