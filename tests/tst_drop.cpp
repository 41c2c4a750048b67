#include "app/mainwin.h"
#include "app/translations.h"
#include "calc/calcapp.h"
#include "calc/mediacommands.h"
#include "coutcapture.h"
#include "dialogcatcher.h"
#include "project/projectfile.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <exiv2/exiv2.hpp>
#include <memory>

// Files dropped on the shown window: a photo fills the camera whose panel
// it lands on (camera 1 elsewhere), a project opens as File > Open opens
// it, anything else is refused in the status bar without a dialog.
class TestDrop : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void photoFillsThePanelsCamera_data();
    void photoFillsThePanelsCamera();
    void valuesGoThroughTheBoxesAndRecompute();
    void missingValuesAreLeftAsTheyWere();
    void valuesBeyondARangeAreHeld();
    void projectOpensAsFileOpenDoes();
    void brokenProjectWarnsAsFileOpenDoes();
    void otherFilesAreRefusedWithoutADialog_data();
    void otherFilesAreRefusedWithoutADialog();
    void twoPhotoProjectOpensInTheWindow();
    void windowStartsAsTheRecordSays();
    void statusInGerman();

private:
    // Drops the file on the window at pos (window coordinates), through
    // the widget there that takes drops, as Qt delivers them.
    bool drop(const QString &file, const QPoint &pos);
    QPoint centreOf(QWidget *widget) const;

    std::unique_ptr<mainWin> w;
    QTemporaryDir dir;
};

namespace
{

QString photo(const char *name)
{
    return QStringLiteral(VOREL_TEST_PHOTOS "/") + QLatin1String(name);
}

} // namespace

void TestDrop::init()
{
    CoutCapture quiet;
    w = std::make_unique<mainWin>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void TestDrop::cleanup()
{
    w.reset();
}

QPoint TestDrop::centreOf(QWidget *widget) const
{
    return widget->mapTo(w.get(), widget->rect().center());
}

bool TestDrop::drop(const QString &file, const QPoint &pos)
{
    QWidget *target = w->childAt(pos);
    while (target && !target->acceptDrops())
        target = target->parentWidget();
    if (!target)
        target = w.get();
    const QPointF local = target->mapFrom(w.get(), pos);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    mime.setText(file);
    QDragEnterEvent enter(local.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(local, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    CoutCapture quiet;
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

void TestDrop::photoFillsThePanelsCamera_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("camera");
    QTest::newRow("camera 1's focal length box") << "c1_flength" << 0;
    QTest::newRow("camera 1's panel") << "boxC1" << 0;
    QTest::newRow("camera 2's f-number box") << "c2_apature" << 1;
    QTest::newRow("camera 2's panel") << "boxC2" << 1;
    QTest::newRow("the diagram") << "frame" << 0;
    QTest::newRow("the copy button") << "cpL" << 0;
}

// The Nikon D70's values: 0.63 m, f/5, 56 mm and the crop-factor rule for
// the file's own crop factor 1.5 (84 mm equivalent over 56 mm): the
// diagonal 43.27 mm / 1.5 over that of a 3:2 image of 4.17 million pixels,
// 1502.9, 0.0192 mm; the other camera keeps its own.
void TestDrop::photoFillsThePanelsCamera()
{
    QFETCH(QString, where);
    QFETCH(int, camera);
    auto *target = w->findChild<QWidget *>(where);
    QVERIFY(target);
    QDoubleSpinBox *fdist[] = {w->c1_fdist, w->c2_fdist};
    QDoubleSpinBox *apature[] = {w->c1_apature, w->c2_apature};
    QDoubleSpinBox *flength[] = {w->c1_flength, w->c2_flength};
    QDoubleSpinBox *coc[] = {w->c1_coc, w->c2_coc};
    const int other = 1 - camera;
    const double before[] = {fdist[other]->value(), apature[other]->value(),
                             flength[other]->value(), coc[other]->value()};

    QVERIFY(drop(photo("NikonD70.jpg"), centreOf(target)));
    QCOMPARE(fdist[camera]->value(), 0.63);
    QCOMPARE(apature[camera]->value(), 5.0);
    QCOMPARE(flength[camera]->value(), 56.0);
    QCOMPARE(coc[camera]->value(), 0.0192);
    QCOMPARE(fdist[other]->value(), before[0]);
    QCOMPARE(apature[other]->value(), before[1]);
    QCOMPARE(flength[other]->value(), before[2]);
    QCOMPARE(coc[other]->value(), before[3]);
    const QString status = w->statusBar()->currentMessage();
    QVERIFY2(status.startsWith(QStringLiteral("Camera %1 from NikonD70.jpg").arg(camera + 1)),
             qPrintable(status));
    // The path of the file does not land in the box as text.
    QVERIFY(!w->c1_flength->text().contains(QStringLiteral("NikonD70")));
}

// Each value is written through its box, so the lens model and the
// hyperfocal button follow at once.
void TestDrop::valuesGoThroughTheBoxesAndRecompute()
{
    QVERIFY(drop(photo("OlympusE1.jpg"), centreOf(w->boxC2)));
    QCOMPARE(w->c2_lens.fdist, 700.0); // 0.705 m as the box's two decimals hold it
    QCOMPARE(w->c2_lens.apature, 4.5);
    QCOMPARE(w->c2_lens.flength, 20.0);
    QCOMPARE(w->c2_lens.coc, 0.0144);
    // f^2 / (N c) = 400 / (4.5 * 0.0144) mm = 6.2 m.
    QCOMPARE(w->c2_set_Hyper->text(), QStringLiteral("Set to hyperfocal (6.2m)"));
}

// The Pentax records no focus distance: camera 1 keeps its own, and the
// status bar says so.
void TestDrop::missingValuesAreLeftAsTheyWere()
{
    w->c1_fdist->setValue(7.5);
    QVERIFY(drop(photo("Pentax.jpg"), centreOf(w->boxC1)));
    QCOMPARE(w->c1_fdist->value(), 7.5);
    QCOMPARE(w->c1_apature->value(), 13.0);
    QCOMPARE(w->c1_flength->value(), 10.0);
    const QString status = w->statusBar()->currentMessage();
    QVERIFY2(status.contains(QStringLiteral("missing, left as they were: focus distance")),
             qPrintable(status));
}

void TestDrop::valuesBeyondARangeAreHeld()
{
    const QString path = dir.filePath(QStringLiteral("far.jpg"));
    QFile::remove(path);
    QVERIFY(QFile::copy(photo("Pentax.jpg"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    image->exifData()["Exif.Photo.FNumber"].setValue("90/1");
    image->exifData()["Exif.Photo.SubjectDistance"].setValue("4294967295/1");
    image->writeMetadata();

    QVERIFY(drop(path, centreOf(w->boxC2)));
    QCOMPARE(w->c2_apature->value(), 64.0);
    QCOMPARE(w->c2_fdist->value(), 99999.0);
    const QString status = w->statusBar()->currentMessage();
    QVERIFY2(status.contains(QStringLiteral("held to the range of its box: focus distance, "
                                            "f-number")),
             qPrintable(status));
}

// The project's values and the title, exactly as File > Open gives them.
void TestDrop::projectOpensAsFileOpenDoes()
{
    ProjectFile p = ProjectFile::windowStart();
    p.cameras[1].fdist = 12.5;
    p.cameras[1].flength = 200;
    p.cameras[0].enabled = false;
    const QString name = dir.filePath(QStringLiteral("trip.vlp"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(p.write(file));
    file.close();

    DialogCatcher catcher;
    QVERIFY(drop(name, centreOf(w->boxC1)));
    QCOMPARE(catcher.dialogs, 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("Vorel - ") + name);
    QCOMPARE(w->fileName, name);
    QCOMPARE(w->c2_fdist->value(), 12.5);
    QCOMPARE(w->c2_flength->value(), 200.0);
    QVERIFY(!w->boxC1->isChecked());
}

void TestDrop::brokenProjectWarnsAsFileOpenDoes()
{
    const QString name = dir.filePath(QStringLiteral("broken.vlp"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("too short");
    file.close();
    const double before = w->c1_fdist->value();
    DialogCatcher catcher;
    drop(name, centreOf(w->frame));
    QCOMPARE(catcher.dialogs, 1);
    QCOMPARE(catcher.icons.value(0), QMessageBox::Warning);
    QVERIFY(catcher.texts.value(0).startsWith(QStringLiteral("Cannot read file")));
    QCOMPARE(w->c1_fdist->value(), before);
    QCOMPARE(w->windowTitle(), QStringLiteral("Vorel"));
}

void TestDrop::otherFilesAreRefusedWithoutADialog_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why");
    QTest::newRow("text") << "notes.txt" << QByteArray("focus at 3 m\n")
                          << "it is neither a photo nor a project";
    QTest::newRow("cut short") << "cut.jpg" << QByteArray("\xff\xd8\xff\xe1", 4)
                               << "the photo is cut short or damaged";
    QTest::newRow("missing") << "gone.jpg" << QByteArray() << "there is no such file";
}

void TestDrop::otherFilesAreRefusedWithoutADialog()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    const QString path = dir.filePath(name);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    const double values[] = {w->c1_fdist->value(), w->c1_apature->value(), w->c1_flength->value(),
                             w->c1_coc->value()};
    DialogCatcher catcher;
    drop(path, centreOf(w->boxC1));
    QCOMPARE(catcher.dialogs, 0);
    QCOMPARE(w->statusBar()->currentMessage(), name + QStringLiteral(" not used: ") + why + ".");
    QCOMPARE(w->c1_fdist->value(), values[0]);
    QCOMPARE(w->c1_apature->value(), values[1]);
    QCOMPARE(w->c1_flength->value(), values[2]);
    QCOMPARE(w->c1_coc->value(), values[3]);
    QCOMPARE(w->windowTitle(), QStringLiteral("Vorel"));
}

// A project that vorel-calc writes from two photos opens in the window with
// both cameras' values.
void TestDrop::twoPhotoProjectOpensInTheWindow()
{
    const QString name = dir.filePath(QStringLiteral("photos.vlp"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString errors;
    QTextStream err(&errors);
    int status = 0;
    {
        CoutCapture quiet;
        CalcApp calc(out, err);
        CalcCommands::provideMedia(calc);
        status =
            calc.run({"photo", photo("NikonD70.jpg"), photo("OlympusE1.jpg"), "--project", name});
    }
    QCOMPARE(status, 0);
    DialogCatcher catcher;
    {
        CoutCapture quiet;
        QVERIFY(w->loadProject(name));
    }
    QCOMPARE(catcher.dialogs, 0);
    QCOMPARE(w->c1_fdist->value(), 0.63);
    QCOMPARE(w->c1_flength->value(), 56.0);
    QCOMPARE(w->c2_fdist->value(), 0.7);
    QCOMPARE(w->c2_apature->value(), 4.5);
    QCOMPARE(w->c2_coc->value(), 0.0144);
}

// The record that a project from photos starts from is the window's own
// start: saved from a fresh window, they are the same bytes.
void TestDrop::windowStartsAsTheRecordSays()
{
    const QString name = dir.filePath(QStringLiteral("start.vlp"));
    QVERIFY(w->saveProject(name));
    QFile saved(name);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QBuffer expected;
    expected.open(QIODevice::WriteOnly);
    QVERIFY(ProjectFile::windowStart().write(expected));
    QCOMPARE(saved.readAll(), expected.data());
}

void TestDrop::statusInGerman()
{
    QVERIFY(installTranslations(*QCoreApplication::instance(),
                                QLocale(QLocale::German, QLocale::Germany)));
    QVERIFY(drop(photo("Pentax.jpg"), centreOf(w->boxC2)));
    const QString status = w->statusBar()->currentMessage();
    installTranslations(*QCoreApplication::instance(), QLocale::c());
    QVERIFY2(status.startsWith(QStringLiteral("Kamera 2 aus Pentax.jpg")), qPrintable(status));
    QVERIFY2(status.contains(QStringLiteral("Brennweite")), qPrintable(status));
}

QTEST_MAIN(TestDrop)
#include "tst_drop.moc"
