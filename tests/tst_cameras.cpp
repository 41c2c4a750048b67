#include "cameras/cameradatabase.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

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

private:
    CameraDatabase fixture{QStringLiteral(VOREL_CAMERA_FIXTURES)};
};

void TestCameras::loadsAFolder()
{
    QVERIFY(fixture.isLoaded());
    QCOMPARE(fixture.cameras().size(), 9);
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
        << "Canon EOS" << Outcome::Ambiguous << QString()
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
        << "Canon EOS"
        << ""
        << "--camera: 'Canon EOS' matches several cameras (Canon EOS 5D, Canon EOS 5D Mark II); "
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
    const CocResolution::CameraMatch m = fixture.match(text);
    QCOMPARE(m.name, name);
    QCOMPARE(m.problem, problem);
    QVERIFY(!m.unavailable);
    if (problem.isEmpty())
        QVERIFY(std::abs(m.diagonal - 43.26661531 / 1.525) < 1e-9);

    const QTemporaryDir empty;
    const CocResolution::CameraMatch none = CameraDatabase(empty.path()).match(text);
    QVERIFY(none.unavailable);
    QVERIFY(none.problem.contains(QStringLiteral("liblensfun-data-v1")));
}

// The database plugs into CoC resolution: "Nikon D850, crop factor 1:
// 0.0288 mm".
void TestCameras::finderResolvesACoc()
{
    CocResolution::Request request;
    request.camera = QStringLiteral("Nikon D850");
    const CocResolution::Result result = CocResolution::resolve(request, fixture.finder());
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

QTEST_GUILESS_MAIN(TestCameras)
#include "tst_cameras.moc"
