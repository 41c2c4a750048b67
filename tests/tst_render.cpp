#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"
#include "dialogcatcher.h"
#include "filesizelimit.h"

#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

// vorel-calc render as a process: the window's own drawing in every format,
// and the refusals and failures that leave no file behind.
class TestRender : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rasterMatchesWindowExport_data();
    void rasterMatchesWindowExport();
    void scaleMultipliesPixels();
    void unreachableDisplayIsNotNeeded();
    void svgKeepsLinesAndTexts();
    void pdfIsOnePageOfDiagramSize();
    void windowExportTakesVectorSuffixes_data();
    void windowExportTakesVectorSuffixes();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();

private:
    struct Result {
        int status;
        QByteArray out;
        QByteArray err;
    };
    Result render(const QStringList &arguments) const;
    QString path(const QString &name) const { return dir->filePath(name); }
    QString saveProject();

    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<mainWin> w;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestRender::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestRender::cleanup()
{
    w.reset();
    dir.reset();
    quiet.reset();
}

TestRender::Result TestRender::render(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No display and no platform chosen: render must find its own way.
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VOREL_CALC_BINARY), QStringList{"render"} + arguments);
    if (!process.waitForFinished(60000))
        return {-1, {}, {}};
    if (process.exitStatus() != QProcess::NormalExit)
        return {-2, {}, process.readAllStandardError()};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString TestRender::saveProject()
{
    const QString name = path("project.vlp");
    return w->saveProject(name) ? name : QString();
}

void TestRender::rasterMatchesWindowExport_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("suffix");
    for (const char *suffix : {"png", "bmp"}) {
        QTest::addRow("default, %s", suffix) << "default" << suffix;
        QTest::addRow("camera 1 off, diffraction, %s", suffix) << "camera 1 off" << suffix;
        QTest::addRow("focus-plane mode, %s", suffix) << "focus plane" << suffix;
    }
}

// Pixel for pixel what File > Export writes for the same project and size.
void TestRender::rasterMatchesWindowExport()
{
    QFETCH(QString, setup);
    QFETCH(QString, suffix);

    if (setup == "camera 1 off") {
        w->boxC1->setChecked(false);
        w->c2_calcDef->setChecked(true);
        w->c2_apature->setValue(11);
        w->qyscale->setValue(60);
        w->qxscale->setValue(48);
    } else if (setup == "focus plane") {
        w->distanceFP->setChecked(true);
        w->DSB_leftBorder->setValue(1.5);
        w->c1_fdist->setValue(2.5);
    }
    const QString project = saveProject();
    QVERIFY(!project.isEmpty());
    const QString fromWindow = path("window." + suffix);
    QVERIFY(w->exportImageTo(fromWindow));

    const QSize size = w->diagram->size();
    const QString fromCalc = path("calc." + suffix);
    const Result r = render({project, fromCalc, "--size",
                             QStringLiteral("%1x%2").arg(size.width()).arg(size.height())});
    QVERIFY2(r.status == 0, r.err.constData());
    QVERIFY(r.out.isEmpty());
    const QImage expected = QImage(fromWindow).convertToFormat(QImage::Format_ARGB32);
    const QImage actual = QImage(fromCalc).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(actual.size(), size);
    QVERIFY(actual == expected);
}

// --scale K draws K times as many pixels each way, as on a high-density screen.
void TestRender::scaleMultipliesPixels()
{
    const QString project = saveProject();
    const Result r = render({project, path("big.png"), "--size", "400x200", "--scale", "3"});
    QVERIFY2(r.status == 0, r.err.constData());
    QCOMPARE(QImage(path("big.png")).size(), QSize(1200, 600));
}

// A display left behind by an ended session does not stop render: it never
// needed one.
void TestRender::unreachableDisplayIsNotNeeded()
{
    const QString project = saveProject();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", ":97");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VOREL_CALC_BINARY), {"render", project, path("x.png")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QImage(path("x.png")).size(), QSize(1174, 316));
}

// SVG keeps the curves as lines in the cameras' colours and the legend as
// text.
void TestRender::svgKeepsLinesAndTexts()
{
    const QString project = saveProject();
    const Result r = render({project, path("diagram.svg")});
    QVERIFY2(r.status == 0, r.err.constData());

    QFile file(path("diagram.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList strokes;
    QString stroke;
    QString texts;
    QString width;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"svg")
            width = xml.attributes().value("viewBox").toString();
        if (xml.name() == u"g")
            stroke = xml.attributes().value("stroke").toString();
        if (xml.name() == u"polyline" || xml.name() == u"path" || xml.name() == u"line")
            strokes << stroke;
        if (xml.name() == u"text")
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(width, QString("0 0 1174 316"));
    QVERIFY(strokes.count("#007f00") > 100);
    QVERIFY(strokes.count("#00007f") > 100);
    QVERIFY(texts.contains("Camera 1:"));
    QVERIFY(texts.contains("135mm f/2 - Dist.: 4m - CoC: 0.0128mm"));
    QVERIFY(texts.contains("Uz(inf): "));
}

// One page whose media box is the diagram's size, a point per pixel.
void TestRender::pdfIsOnePageOfDiagramSize()
{
    const QString project = saveProject();
    const Result r = render({project, path("diagram.pdf"), "--size", "800x300"});
    QVERIFY2(r.status == 0, r.err.constData());
    QFile file(path("diagram.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page/") + pdf.count("/Type /Page "), 1);
    QVERIFY(pdf.contains("/MediaBox [0 0 800.000000 300.000000]"));
}

void TestRender::windowExportTakesVectorSuffixes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("svg") << "typed.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "typed.pdf" << QByteArray("%PDF-");
}

// A name typed with .svg or .pdf in the export dialog gives that format.
void TestRender::windowExportTakesVectorSuffixes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    DialogCatcher catcher;
    QVERIFY(w->exportImageTo(path(name)));
    QCOMPARE(catcher.dialogs, 0);
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(start));
}

void TestRender::badInputWritesNothing_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("named");

    QTest::newRow("broken project") << "broken.vlp"
                                    << "a.png" << QStringList() << "broken.vlp";
    QTest::newRow("missing project") << "none.vlp"
                                     << "a.png" << QStringList() << "none.vlp";
    QTest::newRow("unknown suffix") << "project.vlp"
                                    << "a.gif" << QStringList() << ".svg";
    QTest::newRow("no suffix") << "project.vlp"
                               << "a" << QStringList() << ".png";
    QTest::newRow("size too small") << "project.vlp"
                                    << "a.png" << QStringList{"--size", "199x316"} << "--size";
    QTest::newRow("size too large") << "project.vlp"
                                    << "a.png" << QStringList{"--size", "1174x10001"} << "--size";
    QTest::newRow("size not a size") << "project.vlp"
                                     << "a.png" << QStringList{"--size", "big"} << "--size";
    QTest::newRow("scale 0") << "project.vlp"
                             << "a.png" << QStringList{"--scale", "0"} << "--scale";
    QTest::newRow("scale 5") << "project.vlp"
                             << "a.png" << QStringList{"--scale", "5"} << "--scale";
    QTest::newRow("scale 1.5") << "project.vlp"
                               << "a.png" << QStringList{"--scale", "1.5"} << "--scale";
}

// Bad input: status 2, one line naming the problem, no file written.
void TestRender::badInputWritesNothing()
{
    QFETCH(QString, project);
    QFETCH(QString, out);
    QFETCH(QStringList, options);
    QFETCH(QString, named);

    QVERIFY(!saveProject().isEmpty());
    QFile broken(path("broken.vlp"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("0123456789");
    broken.close();

    const Result r = render(QStringList{path(project), path(out)} + options);
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY2(r.err.startsWith("vorel-calc: ") && r.err.contains(named.toUtf8()), r.err.constData());
    QVERIFY(!QFileInfo::exists(path(out)));
}

void TestRender::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QStringList>("options");

    QTest::newRow("default size") << QStringList();
    // Small enough to sit whole in the file's write buffer: the full disk
    // shows only when the buffer is flushed.
    QTest::newRow("small size") << QStringList{"--size", "200x120"};
}

// A write that fails halfway (here a file size limit, which binds root
// too) ends with status 1 and leaves the earlier file as it was, whether
// the write itself or only the final flush meets the limit.
void TestRender::failedWriteKeepsOldFile()
{
    QFETCH(QStringList, options);

    const QString project = saveProject();
    const QString out = path("kept.png");
    // The image must be larger than the limit, or nothing is cut short.
    const Result whole = render(QStringList{project, path("whole.png")} + options);
    QCOMPARE(whole.status, 0);
    QVERIFY(QFileInfo(path("whole.png")).size() > 2000);
    QVERIFY(QFile::remove(path("whole.png")));
    QFile old(out);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier image");
    old.close();

    FileSizeLimit limit(2000);
    QVERIFY(limit.isActive());
    // The child inherits the limit and the ignored signal.
    const Result r = render(QStringList{project, out} + options);
    limit.lift();

    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith("vorel-calc: render: cannot write "), r.err.constData());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier image"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), (QStringList{"kept.png", "project.vlp"}));

    const Result missing = render({project, path("no/such/folder.png")});
    QCOMPARE(missing.status, 1);
    QVERIFY(missing.err.contains("folder.png"));
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
