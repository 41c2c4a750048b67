#include "camerasearch.h"

#include "packedtext.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace
{

const QString RomanPattern = QStringLiteral("viii|vii|vi|iv|ix|iii|ii|v");

int romanValue(const QString &roman)
{
    static const QStringList numerals = {
        QStringLiteral("i"),  QStringLiteral("ii"), QStringLiteral("iii"), QStringLiteral("iv"),
        QStringLiteral("v"),  QStringLiteral("vi"), QStringLiteral("vii"), QStringLiteral("viii"),
        QStringLiteral("ix"), QStringLiteral("x")};
    return int(numerals.indexOf(roman)) + 1;
}

// A generation's number from its numeral, Roman or Arabic.
QString generation(const QString &numeral)
{
    bool digits = false;
    const int n = numeral.toInt(&digits);
    return QLatin1Char('#') + QString::number(digits ? n : romanValue(numeral));
}

// Replaces each match of the pattern by " #N ", N the generation its
// capture holds; a capture named "mark" keeps the word "mark" before it.
QString markGenerations(const QString &text, const QRegularExpression &pattern, bool keepMark)
{
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &m : pattern.globalMatch(text)) {
        out += text.mid(last, m.capturedStart() - last);
        out += keepMark ? QStringLiteral(" mark ") : QStringLiteral(" ");
        out += generation(m.captured(1)) + QLatin1Char(' ');
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// Words of letters and digits; a generation "#N" is a word of its own.
QStringList split(const QString &text)
{
    QStringList words;
    QString word;
    bool inGeneration = false;
    const auto flush = [&] {
        if (!word.isEmpty() && word != QLatin1String("#"))
            words << word;
        word.clear();
        inGeneration = false;
    };
    for (const QChar c : text) {
        if (c == QLatin1Char('#')) {
            flush();
            word = c;
            inGeneration = true;
        } else if (c.isDigit()) {
            word += c;
        } else if (c.isLetter()) {
            if (inGeneration)
                flush();
            word += c;
        } else {
            flush();
        }
    }
    flush();
    return words;
}

bool isGeneration(const QString &word)
{
    return word.startsWith(QLatin1Char('#'));
}

// "mark" before a generation is left out of the key, so that "5D Mark IV"
// and "5D IV" are one name.
QString keyOf(const QStringList &words)
{
    QString key;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == QLatin1String("mark") && i + 1 < words.size() && isGeneration(words[i + 1]))
            continue;
        key += words[i];
    }
    return key;
}

bool allLetters(const QString &word)
{
    return !word.isEmpty() &&
           std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); });
}

// Whether words, generations and the word "mark" aside, hold a letter and
// a digit: what a model name needs to stand alone ("R5", "G7 X", not "7").
bool namesAModel(const QStringList &words)
{
    bool letter = false;
    bool digit = false;
    for (const QString &w : words) {
        if (isGeneration(w) || w == QLatin1String("mark"))
            continue;
        for (const QChar c : w) {
            letter = letter || c.isLetter();
            digit = digit || c.isDigit();
        }
    }
    return letter && digit;
}

// Whether word equals one or more consecutive words of a name.
bool wholeIn(const QString &word, const QStringList &words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString run;
        for (qsizetype j = i; j < words.size() && run.size() < word.size(); ++j) {
            run += words[j];
            if (!word.startsWith(run))
                break;
            if (run.size() == word.size())
                return true;
        }
    }
    return false;
}

// How people commonly shorten a generation after a model: a digit glued
// to it or standing after it, when the model itself ends in a digit
// ("5D4", "EM1 2", "A7R 4").
QStringList generationGuess(const QStringList &words)
{
    if (words.isEmpty())
        return {};
    static const QRegularExpression glued(QStringLiteral("^(.*\\d\\p{L}+)([2-9])$"));
    static const QRegularExpression single(QStringLiteral("^[2-9]$"));
    static const QRegularExpression endsInDigit(QStringLiteral("\\d$"));
    QStringList guess = words;
    const QString last = words.last();
    if (words.size() > 1 && single.match(last).hasMatch() &&
        endsInDigit.match(words[words.size() - 2]).hasMatch()) {
        guess.last() = QLatin1Char('#') + last;
        return guess;
    }
    const QRegularExpressionMatch m = glued.match(last);
    if (m.hasMatch()) {
        guess.last() = m.captured(1);
        guess << QLatin1Char('#') + m.captured(2);
        return guess;
    }
    return {};
}

} // namespace

QStringList CameraSearch::words(const QString &text)
{
    static const QRegularExpression mark(
        QStringLiteral("(?<!\\p{L})(?:mark|mk)[\\s_-]*(%1|x|[1-9]\\d?)(?![\\p{L}\\p{N}])")
            .arg(RomanPattern));
    static const QRegularExpression standing(
        QStringLiteral("(?<=[\\p{L}\\p{N}])[\\s-]+(%1)(?![\\p{L}\\p{N}])").arg(RomanPattern));
    static const QRegularExpression gluedRoman(
        QStringLiteral("(?<=\\p{N})(viii|vii|vi|iv|ix|iii|ii)(?![\\p{L}\\p{N}])"));
    static const QRegularExpression sony(
        QStringLiteral("(?<=\\p{N}|\\p{N}\\p{L})m([2-9])(?!\\p{N})"));
    static const QRegularExpression nikon(QStringLiteral("(?<=[\\p{L}\\p{N}])_([2-9])(?!\\p{N})"));

    QString t = text.toCaseFolded();
    // Most names hold no generation: the patterns run only where a quick
    // look finds what they need (a program start searches every name).
    bool romanAfterSeparator = false;
    bool romanAfterDigit = false;
    bool mAfterDigit = false;
    for (qsizetype i = 1; i < t.size(); ++i) {
        const QChar c = t[i];
        const QChar before = t[i - 1];
        if ((c == QLatin1Char('i') || c == QLatin1Char('v')) &&
            (before.isSpace() || before == QLatin1Char('-') || before.isDigit())) {
            // Only a numeral that ends its word counts: "Imaging" is none.
            qsizetype end = i;
            while (end < t.size() && (t[end] == QLatin1Char('i') || t[end] == QLatin1Char('v') ||
                                      t[end] == QLatin1Char('x')))
                ++end;
            if (end == t.size() || !t[end].isLetterOrNumber()) {
                romanAfterSeparator = romanAfterSeparator || !before.isDigit();
                romanAfterDigit = romanAfterDigit || before.isDigit();
            }
        } else if (c == QLatin1Char('m') && i + 1 < t.size() && t[i + 1].isDigit()) {
            mAfterDigit = mAfterDigit || before.isDigit() || (i > 1 && t[i - 2].isDigit());
        }
    }
    if (t.contains(QLatin1String("mk")) || t.contains(QLatin1String("mark")))
        t = markGenerations(t, mark, true);
    if (romanAfterSeparator)
        t = markGenerations(t, standing, false);
    if (romanAfterDigit)
        t = markGenerations(t, gluedRoman, false);
    if (mAfterDigit)
        t = markGenerations(t, sony, false);
    if (t.contains(QLatin1Char('_')))
        t = markGenerations(t, nikon, false);
    return split(t);
}

CameraSearch::CameraSearch(const QList<CameraInfo> &cameras)
{
    m_entries.reserve(cameras.size());
    for (const CameraInfo &camera : cameras) {
        Entry e;
        QSet<QString> keys;
        const auto addName = [&keys](QList<Name> &names, const QStringList &words, bool derived) {
            const QString key = keyOf(words);
            if (key.isEmpty() || keys.contains(key))
                return;
            keys.insert(key);
            names.append({words, key, derived});
        };
        for (const QString &maker : camera.makerNames) {
            const QStringList w = words(maker);
            addName(e.makers, w, false);
            // A maker's first word stands for it: "Ricoh" for "Ricoh
            // Imaging Company, Ltd.".
            if (w.size() > 1 && allLetters(w.first()) && w.first().size() >= 4)
                addName(e.makers, {w.first()}, false);
        }
        keys.clear();
        const QStringList metadataWords =
            camera.modelNames.isEmpty() ? QStringList() : words(camera.modelNames.first());
        QList<QStringList> given;
        for (const QString &model : camera.modelNames) {
            given << words(model);
            if (!camera.variant.isEmpty())
                given << words(model + QLatin1Char(' ') + camera.variant);
        }
        QList<QStringList> derived;
        for (const QStringList &full : given) {
            // A series name left out: "EOS 5D" as "5D", "EOS Kiss X50" as
            // "Kiss X50" and "X50".
            QStringList rest = full;
            while (rest.size() > 1 && allLetters(rest.first()) && rest.first().size() >= 2 &&
                   namesAModel(rest.mid(1))) {
                rest.removeFirst();
                derived << rest;
            }
            // A series name that the maker's own name of the model does not
            // hold, as its initial: "Alpha 7 III" (ILCE-7M3) as "A7 III".
            if (full.size() > 1 && allLetters(full.first()) && full.first().size() >= 3 &&
                full[1].front().isDigit() && !metadataWords.contains(full.first())) {
                QStringList shortened = full.mid(1);
                shortened.first().prepend(full.first().front());
                derived << shortened;
            }
        }
        // The database's own names first, so that they keep their rank when
        // a derived form spells the same.
        for (const QStringList &f : given)
            addName(e.models, f, false);
        for (const QStringList &f : derived)
            addName(e.models, f, true);
        if (!camera.makerNames.isEmpty())
            e.metadataMaker = camera.makerNames.first().simplified().toCaseFolded();
        if (!camera.modelNames.isEmpty())
            e.metadataModel = camera.modelNames.first().simplified().toCaseFolded();
        m_entries << e;
    }
}

CameraSearch::Level CameraSearch::levelOf(const Entry &entry, const Name &query) const
{
    Level best = Level::None;
    for (const Name &model : entry.models) {
        bool exact = query.key == model.key;
        for (const Name &maker : entry.makers) {
            exact = exact || (query.key.size() == maker.key.size() + model.key.size() &&
                              query.key.startsWith(maker.key) && query.key.endsWith(model.key));
        }
        if (exact) {
            if (!model.derived && !query.derived)
                return Level::Exact;
            best = Level::ShortForm;
        }
        if (best >= Level::Words)
            continue;
        bool whole = true;
        bool within = true;
        for (const QString &w : query.words) {
            bool isWhole = wholeIn(w, model.words);
            bool isWithin = isWhole || model.key.contains(w);
            for (const Name &maker : entry.makers) {
                isWhole = isWhole || wholeIn(w, maker.words);
                isWithin = isWithin || isWhole || maker.key.contains(w);
            }
            whole = whole && isWhole;
            within = within && isWithin;
            if (!within)
                break;
        }
        if (whole)
            best = Level::Words;
        else if (within)
            best = std::max(best, Level::Substring);
    }
    return best;
}

QList<CameraSearch::Hit> CameraSearch::rank(const QString &text) const
{
    QList<Name> queries;
    const QStringList literal = words(text);
    if (literal.isEmpty())
        return {};
    queries.append({literal, keyOf(literal), false});
    const QStringList guess = generationGuess(literal);
    if (!guess.isEmpty())
        queries.append({guess, keyOf(guess), true});

    QList<Hit> hits;
    for (int i = 0; i < m_entries.size(); ++i) {
        Level level = Level::None;
        for (const Name &q : queries)
            level = std::max(level, levelOf(m_entries[i], q));
        if (level != Level::None)
            hits.append({i, level});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit &a, const Hit &b) { return a.level > b.level; });
    return hits;
}

QList<int> CameraSearch::closest(const QString &text) const
{
    const QStringList query = words(text);
    QList<int> scores(m_entries.size(), 0);
    int best = 0;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries[i];
        int score = 0;
        for (const QString &w : query) {
            // The longest beginning of the word that some name holds; a
            // single letter is no likeness.
            qsizetype longest = 0;
            for (qsizetype n = w.size(); n >= 2 && longest == 0; --n) {
                const QStringView start = QStringView(w).left(n);
                for (const QList<Name> *names : {&e.makers, &e.models}) {
                    for (const Name &name : *names) {
                        if (name.key.contains(start))
                            longest = n;
                    }
                }
            }
            score += int(longest);
        }
        scores[i] = score;
        best = std::max(best, score);
    }
    QList<int> near;
    if (best == 0)
        return near;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (scores[i] * 4 >= best * 3)
            near << i;
    }
    std::stable_sort(near.begin(), near.end(), [&](int a, int b) { return scores[a] > scores[b]; });
    return near;
}

int CameraSearch::byMetadata(const QString &make, const QString &model) const
{
    const QString wantedMaker = make.simplified().toCaseFolded();
    const QString wantedModel = model.simplified().toCaseFolded();
    if (wantedMaker.isEmpty() || wantedModel.isEmpty())
        return -1;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].metadataMaker == wantedMaker && m_entries[i].metadataModel == wantedModel)
            return i;
    }
    return -1;
}

namespace
{

constexpr QDataStream::Version SearchStreamVersion = QDataStream::Qt_6_0;
// A camera has a handful of names of a few words; more is no search of
// ours.
constexpr quint32 MaxNames = 1000;

} // namespace

QByteArray CameraSearch::toBytes() const
{
    PackedText packed;
    packed.putNumber(quint32(m_entries.size()));
    for (const Entry &e : m_entries) {
        for (const QList<Name> *names : {&e.makers, &e.models}) {
            packed.putNumber(quint32(names->size()));
            for (const Name &n : *names) {
                packed.putNumber(n.derived ? 1 : 0);
                packed.putStrings(n.words);
            }
        }
        packed.putString(e.metadataMaker);
        packed.putString(e.metadataModel);
    }
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setVersion(SearchStreamVersion);
    stream << packed;
    return out;
}

std::optional<CameraSearch> CameraSearch::fromBytes(const QByteArray &bytes, qsizetype count)
{
    QDataStream stream(bytes);
    stream.setVersion(SearchStreamVersion);
    PackedText in;
    stream >> in;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || in.number() != count)
        return std::nullopt;
    // The names borrow their words from the texts read, which the search
    // keeps: one block rather than a string for each word.
    CameraSearch search;
    search.m_storage = in.texts();
    search.m_entries.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        Entry e;
        for (QList<Name> *names : {&e.makers, &e.models}) {
            const quint32 n = in.number();
            if (in.failed() || n > MaxNames)
                return std::nullopt;
            names->reserve(n);
            for (quint32 j = 0; j < n; ++j) {
                Name name;
                name.derived = in.number() != 0;
                name.words = in.borrowedStrings();
                name.key = keyOf(name.words);
                if (in.failed() || name.key.isEmpty())
                    return std::nullopt;
                names->append(name);
            }
        }
        e.metadataMaker = in.borrowedString();
        e.metadataModel = in.borrowedString();
        if (in.failed())
            return std::nullopt;
        search.m_entries << e;
    }
    if (!in.atEnd())
        return std::nullopt;
    return search;
}
