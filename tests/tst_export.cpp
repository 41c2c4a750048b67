#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"
#include "dialogcatcher.h"

#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QtTest>

#include <memory>

// Export of the diagram to JPEG, PNG and BMP files, and its failures.
class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void imageHasWidgetSize();
    void losslessFormatsHoldTheDrawing_data();
    void losslessFormatsHoldTheDrawing();
    void jpegIsWritten();
    void failureWarnsOnce_data();
    void failureWarnsOnce();
    void failureKeepsExistingFile();
    void cancelDoesNothing();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    QImage expected() const;

    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<mainWin> w;
    std::unique_ptr<QTemporaryDir> dir;
};

namespace
{
const QColor Background(220, 220, 220);
} // namespace

void TestExport::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestExport::cleanup()
{
    w.reset();
    dir.reset();
    quiet.reset();
}

// The same routine on a light grey image of the widget's size.
QImage TestExport::expected() const
{
    QImage image(w->diagram->size(), QImage::Format_ARGB32);
    image.fill(Background);
    QPainter painter(&image);
    w->diagram->drawDiagram(painter);
    return image;
}

// The image has the widget's size at the moment of export, and follows a
// resize of the window; where nothing is drawn it is light grey.
void TestExport::imageHasWidgetSize()
{
    QVERIFY(w->exportImageTo(path("first.png")));
    QImage first(path("first.png"));
    QCOMPARE(first.size(), w->diagram->size());
    QCOMPARE(first.pixelColor(first.width() - 2, first.height() - 2), Background);

    w->resize(w->width() + 100, w->height() + 60);
    QTRY_VERIFY(w->diagram->width() == first.width() + 100);
    QVERIFY(w->exportImageTo(path("second.png")));
    QCOMPARE(QImage(path("second.png")).size(), w->diagram->size());
    QVERIFY(w->diagram->height() > first.height());
}

void TestExport::losslessFormatsHoldTheDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("png") << "diagram.png" << QByteArray("png");
    QTest::newRow("bmp") << "diagram.bmp" << QByteArray("bmp");
    QTest::newRow("upper-case suffix") << "DIAGRAM.PNG" << QByteArray("png");
    QTest::newRow("both cameras off") << "empty.png" << QByteArray("png");
}

// PNG and BMP hold the rendered pixels unchanged.
void TestExport::losslessFormatsHoldTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    if (name == "empty.png") {
        w->boxC1->setChecked(false);
        w->boxC2->setChecked(false);
    }
    QVERIFY(w->exportImageTo(path(name)));
    QImageReader reader(path(name));
    QCOMPARE(reader.format(), format);
    const QImage written = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written, expected().convertToFormat(QImage::Format_RGB32));
}

void TestExport::jpegIsWritten()
{
    QVERIFY(w->exportImageTo(path("diagram.jpg")));
    QImageReader reader(path("diagram.jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage written = reader.read();
    QCOMPARE(written.size(), w->diagram->size());
    const QColor corner = written.pixelColor(written.width() - 2, written.height() - 2);
    QVERIFY(qAbs(corner.red() - 220) < 8 && qAbs(corner.blue() - 220) < 8);
}

void TestExport::failureWarnsOnce_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no suffix") << "diagram"
                               << "no suffix";
    QTest::newRow("unknown suffix") << "diagram.xyz"
                                    << "\".xyz\"";
    QTest::newRow("missing folder") << "missing/diagram.png"
                                    << "";
    QTest::newRow("name is a folder") << "."
                                      << "";
}

// A name that cannot be written gives one warning naming the file, and no
// file is left behind.
void TestExport::failureWarnsOnce()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString file = name == "." ? dir->path() : path(name);
    DialogCatcher catcher;
    QVERIFY(!w->exportImageTo(file));
    QCOMPARE(catcher.texts.size(), 1);
    QCOMPARE(catcher.icons.value(0), QMessageBox::Warning);
    const QString text = catcher.texts.value(0);
    QVERIFY2(text.startsWith("Cannot write file " + QDir::toNativeSeparators(file) + ":\n"),
             qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(text.length() > QString("Cannot write file " + file + ":\n.").length());
    if (name != ".")
        QVERIFY(!QFile::exists(file));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
}

// An existing image survives a failed write of a new one under its name.
void TestExport::failureKeepsExistingFile()
{
    QFile old(path("keep.xyz"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    DialogCatcher catcher;
    QVERIFY(!w->exportImageTo(path("keep.xyz")));
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
}

// A cancelled dialog hands over an empty name: no warning, no file.
void TestExport::cancelDoesNothing()
{
    DialogCatcher catcher;
    QVERIFY(!w->exportImageTo(QString()));
    QTest::qWait(20);
    QCOMPARE(catcher.texts.size(), 0);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
