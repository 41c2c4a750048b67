#include "calc/mediacommands.h"
#include "cameras/cameradatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <iterator>

using Outcome = CameraDatabase::Outcome;
Q_DECLARE_METATYPE(CameraDatabase::Outcome)

// The camera database: loading, the search for a user's text, the lookup
// by a photo's make and model, and the figures of one camera.
class TestCameras : public QObject
{
    Q_OBJECT

private slots:
    void loadsAFolder();
    void emptyFolderIsNoDatabase();
    void find_data();
    void find();
    void candidatesAreCappedAtFive();
    void byMakeAndModel_data();
    void byMakeAndModel();
    void figures_data();
    void figures();
    void match_data();
    void match();
    void finderResolvesACoc();
    void systemDatabase();
    void shortForms_data();
    void shortForms();
    void listsEveryCameraWithTheWords();
    void cacheServesTheNextStart();
    void cacheRebuiltWhenTheDatabaseChanges();
    void damagedCacheIsNotTrusted_data();
    void damagedCacheIsNotTrusted();

private:
    CameraDatabase fixture{QStringLiteral(VOREL_CAMERA_FIXTURES)};
};

void TestCameras::loadsAFolder()
{
    QVERIFY(fixture.isLoaded());
    QCOMPARE(fixture.cameras().size(), 13);
    // lensfun keeps its cameras sorted by maker and model.
    const CameraInfo first = fixture.cameras().first();
    QCOMPARE(first.maker, QStringLiteral("Canon"));
    QCOMPARE(first.model, QStringLiteral("EOS 5D"));
    QCOMPARE(first.mount, QStringLiteral("Canon EF"));
    QCOMPARE(first.cropFactor, 1.0);
}

// A folder without database files is no database: every search says so.
void TestCameras::emptyFolderIsNoDatabase()
{
    QTemporaryDir empty;
    const CameraDatabase none(empty.path());
    QVERIFY(!none.isLoaded());
    QVERIFY(none.cameras().isEmpty());
    QCOMPARE(none.find(QStringLiteral("Nikon D850")).outcome, Outcome::NoDatabase);
    QVERIFY(!none.byMakeAndModel(QStringLiteral("NIKON CORPORATION"), QStringLiteral("NIKON D70")));
    const CameraDatabase missing(empty.filePath(QStringLiteral("no such folder")));
    QVERIFY(!missing.isLoaded());
}

void TestCameras::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("candidates");

    // An exact name wins over the partial matches of the Mark II and III.
    QTest::newRow("maker and model")
        << "Olympus E-M1" << Outcome::Found << "Olympus E-M1" << QStringList();
    QTest::newRow("model alone, any case")
        << "e-m1" << Outcome::Found << "Olympus E-M1" << QStringList();
    QTest::newRow("blanks and hyphens differ")
        << "Olympus EM1 Mark II" << Outcome::Found << "Olympus E-M1MarkII" << QStringList();
    QTest::newRow("English names")
        << "Nikon D850" << Outcome::Found << "Nikon D850" << QStringList();
    QTest::newRow("metadata spelling")
        << "NIKON D850" << Outcome::Found << "Nikon D850" << QStringList();
    QTest::newRow("blanks around")
        << "  canon   eos 5d " << Outcome::Found << "Canon EOS 5D" << QStringList();
    // lensfun matches whole words: every word given must be in the name.
    QTest::newRow("partial, one match")
        << "5D Mark" << Outcome::Found << "Canon EOS 5D Mark II" << QStringList();
    QTest::newRow("partial, several")
        << "Canon 5" << Outcome::Ambiguous << QString()
        << QStringList{QStringLiteral("Canon EOS 5D"), QStringLiteral("Canon EOS 5D Mark II")};
    QTest::newRow("one name, two variants")
        << "vorel test twin" << Outcome::Ambiguous << QString()
        << QStringList{QStringLiteral("Vorel Test Twin (4:3)"),
                       QStringLiteral("Vorel Test Twin (16:9)")};
    QTest::newRow("unknown") << "Hasselblad X2D" << Outcome::NotFound << QString() << QStringList();
    QTest::newRow("empty") << "  " << Outcome::NotFound << QString() << QStringList();
}

void TestCameras::find()
{
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(QString, name);
    QFETCH(QStringList, candidates);

    const CameraDatabase::Search search = fixture.find(text);
    QCOMPARE(search.outcome, outcome);
    if (outcome == Outcome::Found)
        QCOMPARE(search.camera.name(), name);
    if (outcome == Outcome::Ambiguous) {
        QStringList names;
        for (const CameraInfo &c : search.candidates)
            names << c.name();
        names.sort();
        candidates.sort();
        QCOMPARE(names, candidates);
    }
}

// Ambiguous and unknown texts name at most five cameras.
void TestCameras::candidatesAreCappedAtFive()
{
    const CameraDatabase system;
    if (!system.isLoaded())
        QFAIL("lensfun's database (liblensfun-data-v1) is not installed");
    const CameraDatabase::Search many = system.find(QStringLiteral("EOS"));
    QCOMPARE(many.outcome, Outcome::Ambiguous);
    QCOMPARE(many.candidates.size(), CameraDatabase::MaxCandidates);
    const CameraDatabase::Search near = system.find(QStringLiteral("Nikon D8500x"));
    QCOMPARE(near.outcome, Outcome::NotFound);
    QVERIFY(near.candidates.size() <= CameraDatabase::MaxCandidates);
}

void TestCameras::byMakeAndModel_data()
{
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("name");

    QTest::newRow("metadata tags") << "NIKON CORPORATION"
                                   << "NIKON D70"
                                   << "Nikon D70";
    // Exif texts are often padded with blanks.
    QTest::newRow("padded") << "NIKON CORPORATION   "
                            << "NIKON D70 "
                            << "Nikon D70";
    QTest::newRow("another maker's model") << "Canon"
                                           << "NIKON D70" << QString();
    QTest::newRow("unknown") << "Leica"
                             << "M11" << QString();
}

void TestCameras::byMakeAndModel()
{
    QFETCH(QString, make);
    QFETCH(QString, model);
    QFETCH(QString, name);
    const std::optional<CameraInfo> camera = fixture.byMakeAndModel(make, model);
    QCOMPARE(camera ? camera->name() : QString(), name);
}

// Diagonal = 43.26661531 / crop; the CoC is twice the pixel pitch along the
// diagonal of a 3:2 image: of 4.17 million pixels by the crop-factor rule,
// of the given count by the pixel-size rule.
void TestCameras::figures_data()
{
    QTest::addColumn<double>("crop");
    QTest::addColumn<double>("megaPixels");
    QTest::addColumn<double>("diagonal");
    QTest::addColumn<double>("coc");
    QTest::newRow("full frame") << 1.0 << 0.0 << 43.26661531 << 0.0287884869;
    QTest::newRow("full frame, 45.7 MP") << 1.0 << 45.7 << 43.26661531 << 0.0086961849;
    QTest::newRow("four thirds") << 2.0 << 0.0 << 21.633307655 << 0.0143942435;
    QTest::newRow("NaN pixels: crop rule") << 2.0 << qQNaN() << 21.633307655 << 0.0143942435;
    QTest::newRow("D70, 6.016 MP") << 1.525 << 6.016 << 28.3715510230 << 0.0157167632;
}

void TestCameras::figures()
{
    QFETCH(double, crop);
    QFETCH(double, megaPixels);
    QFETCH(double, diagonal);
    QFETCH(double, coc);
    CameraInfo info;
    info.cropFactor = crop;
    QVERIFY(std::abs(info.diagonal() - diagonal) < 1e-8);
    QVERIFY2(std::abs(info.coc(megaPixels) - coc) < 1e-9,
             qPrintable(QString::number(info.coc(megaPixels), 'g', 10)));
}

// The problems name the candidates, the closest names, or the missing
// database, in one line.
void TestCameras::match_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");
    QTest::newRow("found") << "nikon d70"
                           << "Nikon D70, crop factor 1.525"
                           << "";
    QTest::newRow("ambiguous")
        << "Canon 5"
        << ""
        << "--camera: 'Canon 5' matches several cameras (Canon EOS 5D, Canon EOS 5D Mark II); "
           "give more of the name";
    QTest::newRow("not found, the closest")
        << "Nikon D8500x"
        << ""
        << "--camera: 'Nikon D8500x' matches no camera of the database; the closest are Nikon "
           "D850";
}

void TestCameras::match()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, problem);
    const CocResolution::CameraMatch m = CalcCommands::cameraMatch(fixture, text);
    QCOMPARE(m.name, name);
    QCOMPARE(m.problem, problem);
    QVERIFY(!m.unavailable);
    if (problem.isEmpty())
        QVERIFY(std::abs(m.diagonal - 43.26661531 / 1.525) < 1e-9);

    const QTemporaryDir empty;
    const CocResolution::CameraMatch none =
        CalcCommands::cameraMatch(CameraDatabase(empty.path()), text);
    QVERIFY(none.unavailable);
    QVERIFY(none.problem.contains(QStringLiteral("liblensfun-data-v1")));
}

// The database plugs into CoC resolution: "Nikon D850, crop factor 1:
// 0.0288 mm".
void TestCameras::finderResolvesACoc()
{
    CocResolution::Request request;
    request.camera = QStringLiteral("Nikon D850");
    const CocResolution::Result result = CocResolution::resolve(
        request, [this](const QString &text) { return CalcCommands::cameraMatch(fixture, text); });
    QCOMPARE(result.source, QStringLiteral("Nikon D850, crop factor 1"));
    QCOMPARE(QString::number(result.mm, 'f', 4), QStringLiteral("0.0288"));
}

// lensfun's own data, as a user's machine has it (about 880 cameras).
void TestCameras::systemDatabase()
{
    const CameraDatabase system;
    if (!system.isLoaded())
        QFAIL("lensfun's database (liblensfun-data-v1) is not installed");
    QVERIFY(system.cameras().size() > 500);
    const CameraDatabase::Search em1 = system.find(QStringLiteral("Olympus E-M1"));
    QCOMPARE(em1.outcome, Outcome::Found);
    QCOMPARE(em1.camera.model, QStringLiteral("E-M1"));
    const CameraDatabase::Search d850 = system.find(QStringLiteral("Nikon D850"));
    QCOMPARE(d850.outcome, Outcome::Found);
    QCOMPARE(d850.camera.cropFactor, 1.0);
    QCOMPARE(system.find(QStringLiteral("Canon 5D")).camera.model, QStringLiteral("EOS 5D"));
    QCOMPARE(system.find(QStringLiteral("Canon 5D Mark")).outcome, Outcome::Ambiguous);
    QCOMPARE(system.find(QStringLiteral("qwertz")).outcome, Outcome::NotFound);
}

namespace
{

// A small database in lensfun's layout: maker, model, English model, crop.
struct Camera {
    const char *maker;
    const char *model;
    const char *english;
    double crop;
};

const Camera Written[] = {
    {"Sony", "ILCE-7", "Alpha 7", 1},
    {"Sony", "ILCE-7M3", "Alpha 7 III", 1},
    {"Sony", "ILCE-7RM4", "Alpha 7R IV", 1},
    {"Sony", "ILCE-6000", "Alpha 6000", 1.534},
    {"Sony", "DSC-RX100M5", "RX100 V", 2.73},
    {"Canon", "Canon EOS R5", "EOS R5", 1},
    {"Canon", "Canon EOS 5DS R", "EOS 5DS R", 1},
    {"Canon", "Canon EOS 5D Mark IV", "EOS 5D Mark IV", 1},
    {"Canon", "Canon EOS 5D", "EOS 5D", 1},
    {"Canon", "Canon PowerShot A70", "PowerShot A70", 6.6},
    {"Olympus Imaging Corp.|Olympus", "E-M1", "", 2},
    {"Olympus Imaging Corp.|Olympus", "E-M1MarkII", "", 2},
    {"NIKON CORPORATION|Nikon", "NIKON Z 6", "Z 6", 1},
    {"NIKON CORPORATION|Nikon", "NIKON Z 6_2", "Z 6II", 1},
    {"NIKON CORPORATION|Nikon", "NIKON D3", "D3", 1},
    {"NIKON CORPORATION|Nikon", "NIKON D3X", "D3X", 1},
    {"Fujifilm", "X-T3", "", 1.53},
    {"Leica", "D-LUX 3", "Digilux 3", 4.33},
};

void writeDatabase(const QString &folder, int count = int(std::size(Written)))
{
    QFile file(QDir(folder).filePath(QStringLiteral("cameras.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray xml = "<lensdatabase version=\"1\">\n";
    for (int i = 0; i < count; ++i) {
        const Camera &c = Written[i];
        // "default|English" for a maker with an English name.
        const QList<QByteArray> maker = QByteArray(c.maker).split('|');
        xml += "<camera><maker>" + maker.first() + "</maker>";
        if (maker.size() > 1)
            xml += "<maker lang=\"en\">" + maker.last() + "</maker>";
        xml += QByteArray("<model>") + c.model + "</model>";
        if (*c.english)
            xml += QByteArray("<model lang=\"en\">") + c.english + "</model>";
        xml += "<mount>m</mount><cropfactor>" + QByteArray::number(c.crop) +
               "</cropfactor></camera>\n";
    }
    xml += "</lensdatabase>\n";
    QCOMPARE(file.write(xml), xml.size());
}

} // namespace

// Each short form people type finds the camera meant, on a database the
// test writes; a text the search cannot narrow lists the tie.
void TestCameras::shortForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("Sony A for Alpha") << "Sony A7 III"
                                      << "Sony Alpha 7 III";
    QTest::newRow("A, R and a Roman generation") << "A7R IV"
                                                 << "Sony Alpha 7R IV";
    QTest::newRow("A glued, any case") << "a6000"
                                       << "Sony Alpha 6000";
    QTest::newRow("the exact model before its generations") << "Sony A7"
                                                            << "Sony Alpha 7";
    QTest::newRow("metadata generation M3") << "ILCE 7 Mark III"
                                            << "Sony Alpha 7 III";
    QTest::newRow("generation as a digit") << "RX100 5"
                                           << "Sony RX100 V";
    QTest::newRow("digit glued after a model") << "5D4"
                                               << "Canon EOS 5D Mark IV";
    QTest::newRow("Mk and a digit") << "5D Mk4"
                                    << "Canon EOS 5D Mark IV";
    QTest::newRow("MkIV") << "Canon 5D MkIV"
                          << "Canon EOS 5D Mark IV";
    QTest::newRow("series left out") << "Canon 5D"
                                     << "Canon EOS 5D";
    QTest::newRow("whole word, not 5DS R") << "R5"
                                           << "Canon EOS R5";
    QTest::newRow("maker and short model") << "Canon R5"
                                           << "Canon EOS R5";
    QTest::newRow("Roman after a glued model") << "EM1 II"
                                               << "Olympus E-M1MarkII";
    QTest::newRow("maker's alias and model") << "Olympus E-M1"
                                             << "Olympus E-M1";
    QTest::newRow("Nikon's glued generation") << "Z6 II"
                                              << "Nikon Z 6II";
    QTest::newRow("generation apart") << "Nikon Z 6 2"
                                      << "Nikon Z 6II";
    QTest::newRow("exact model before a substring") << "D3"
                                                    << "Nikon D3";
    QTest::newRow("no hyphen") << "xt3"
                               << "Fujifilm X-T3";
    QTest::newRow("a database name before a short form") << "Digilux 3"
                                                         << "Leica Digilux 3";
    QTest::newRow("whole word before a substring") << "A7"
                                                   << "Sony Alpha 7";
}

void TestCameras::shortForms()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    const QTemporaryDir dir;
    writeDatabase(dir.path());
    const CameraDatabase database(dir.path());
    const CameraDatabase::Search search = database.find(text);
    QStringList candidates;
    for (const CameraInfo &c : search.candidates)
        candidates << c.name();
    QVERIFY2(search.outcome == Outcome::Found, qPrintable(candidates.join(", ")));
    QCOMPARE(search.camera.name(), name);
}

// A maker lists its cameras; words list every camera that has them all,
// whole, the exact name first.
void TestCameras::listsEveryCameraWithTheWords()
{
    const QTemporaryDir dir;
    writeDatabase(dir.path());
    const CameraDatabase database(dir.path());
    const auto names = [&](const QString &text) {
        QStringList list;
        for (const CameraInfo &c : database.matching(text))
            list << c.name();
        return list;
    };
    QCOMPARE(names("Sony").size(), 5);
    QCOMPARE(names("nikon corporation").size(), 4);
    QCOMPARE(names("Canon 5D"), (QStringList{"Canon EOS 5D", "Canon EOS 5D Mark IV"}));
    // The exact model first, then a short form: "Digilux 3" as "D3".
    QCOMPARE(names("D3"), (QStringList{"Nikon D3", "Leica Digilux 3"}));
    // Where no camera has the words whole, those that hold them in part.
    QCOMPARE(names("D3x"), QStringList{"Nikon D3X"});
    QCOMPARE(names("6II"), QStringList{"Nikon Z 6II"});
    QCOMPARE(names("Hasselblad"), QStringList());
    // A tie is listed: two cameras with the same words.
    QCOMPARE(database.find(QStringLiteral("Nikon Z")).outcome, Outcome::Ambiguous);
}

// The first start reads the XML and writes the cache; the next reads the
// cache, with the same cameras.
void TestCameras::cacheServesTheNextStart()
{
    const QTemporaryDir data;
    const QTemporaryDir cache;
    writeDatabase(data.path());
    const CameraDatabase first(data.path(), cache.path());
    QVERIFY(!first.fromCache());
    QCOMPARE(QDir(cache.path()).entryList(QDir::Files).size(), 1);
    const CameraDatabase second(data.path(), cache.path());
    QVERIFY(second.fromCache());
    QCOMPARE(second.cameras().size(), qsizetype(std::size(Written)));
    for (qsizetype i = 0; i < first.cameras().size(); ++i) {
        QCOMPARE(second.cameras()[i].name(), first.cameras()[i].name());
        QCOMPARE(second.cameras()[i].cropFactor, first.cameras()[i].cropFactor);
        QCOMPARE(second.cameras()[i].makerNames, first.cameras()[i].makerNames);
    }
    QCOMPARE(second.find(QStringLiteral("A7 III")).camera.name(),
             QStringLiteral("Sony Alpha 7 III"));
    // The search kept in the cache ranks as the one derived afresh.
    const auto names = [](const QList<CameraInfo> &cameras) {
        QStringList out;
        for (const CameraInfo &c : cameras)
            out << c.name();
        return out;
    };
    for (const char *text : {"D3", "Canon 5D", "5D4", "Nikon Z", "a7", "nikon corporation"})
        QCOMPARE(names(second.ranked(QLatin1String(text))),
                 names(first.ranked(QLatin1String(text))));
    QVERIFY(second.byMakeAndModel(QStringLiteral("NIKON CORPORATION"), QStringLiteral("NIKON D3")));
}

// A changed database file (another size, or only another time) is read
// afresh, and so is a new file.
void TestCameras::cacheRebuiltWhenTheDatabaseChanges()
{
    const QTemporaryDir data;
    const QTemporaryDir cache;
    writeDatabase(data.path(), 3);
    QCOMPARE(CameraDatabase(data.path(), cache.path()).cameras().size(), 3);
    writeDatabase(data.path(), 5);
    const CameraDatabase grown(data.path(), cache.path());
    QVERIFY(!grown.fromCache());
    QCOMPARE(grown.cameras().size(), 5);
    QVERIFY(CameraDatabase(data.path(), cache.path()).fromCache());

    QFile same(QDir(data.path()).filePath(QStringLiteral("cameras.xml")));
    QVERIFY(same.open(QIODevice::ReadWrite));
    QVERIFY(same.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime));
    same.close();
    QVERIFY(!CameraDatabase(data.path(), cache.path()).fromCache());

    QFile more(QDir(data.path()).filePath(QStringLiteral("more.xml")));
    QVERIFY(more.open(QIODevice::WriteOnly));
    more.write("<lensdatabase version=\"1\"><camera><maker>Vorel</maker><model>Extra</model>"
               "<mount>m</mount><cropfactor>1</cropfactor></camera></lensdatabase>\n");
    more.close();
    const CameraDatabase added(data.path(), cache.path());
    QVERIFY(!added.fromCache());
    QCOMPARE(added.cameras().size(), 6);
}

// A cache cut short, with a byte changed or of another program is read
// afresh, with the database's cameras, and replaced.
void TestCameras::damagedCacheIsNotTrusted_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("cut short") << "cut";
    QTest::newRow("a byte changed") << "flip";
    QTest::newRow("empty") << "empty";
    QTest::newRow("another file") << "other";
}

void TestCameras::damagedCacheIsNotTrusted()
{
    QFETCH(QString, damage);
    const QTemporaryDir data;
    const QTemporaryDir cache;
    writeDatabase(data.path());
    QVERIFY(!CameraDatabase(data.path(), cache.path()).fromCache());
    const QString name =
        QDir(cache.path()).filePath(QDir(cache.path()).entryList(QDir::Files).first());
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    if (damage == "cut")
        bytes.chop(40);
    else if (damage == "flip")
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x20);
    else if (damage == "empty")
        bytes.clear();
    else
        bytes = QByteArray(4096, 'x');
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    const CameraDatabase reread(data.path(), cache.path());
    QVERIFY(!reread.fromCache());
    QCOMPARE(reread.cameras().size(), qsizetype(std::size(Written)));
    QCOMPARE(reread.find(QStringLiteral("D3")).camera.name(), QStringLiteral("Nikon D3"));
    QVERIFY(CameraDatabase(data.path(), cache.path()).fromCache());
}

QTEST_GUILESS_MAIN(TestCameras)
#include "tst_cameras.moc"
