#include "app/mainwin.h"
#include "app/translations.h"
#include "coutcapture.h"
#include "dialogcatcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Stands in for the browser: the desktop hands it every address it is
// asked to open, local files and web pages alike.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> asked;

public slots:
    void open(const QUrl &url) { asked << url; }
};

// The About box and the manual behind the Help menu.
class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aboutBox();
    void manualPage_data();
    void manualPage();
    void missingLanguageFallsBackToEnglish();
    void installedManualComesFirst();
    void missingManualSaysSo();
    void manualLinksResolve_data();
    void manualLinksResolve();
    void languagesHaveTheSamePages();

private:
    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<UrlRecorder> browser;
};

namespace
{

// The manual as the source tree holds it, found from this file's place.
const QString sourceManual = QStringLiteral(VOREL_TEST_MANUAL);

} // namespace

void TestHelp::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    browser = std::make_unique<UrlRecorder>();
    for (const char *scheme : {"https", "http", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), browser.get(), "open");
}

void TestHelp::cleanup()
{
    for (const char *scheme : {"https", "http", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    browser.reset();
    w.reset();
    quiet.reset();
}

// Help > About: an information box titled "Vorel" that starts with the name
// and the version, with one Ok button that is the default, so Enter closes it.
void TestHelp::aboutBox()
{
    QList<QAbstractButton *> buttons;
    bool okIsDefault = false;
    bool closedByEnter = false;

    DialogCatcher catcher([&](QDialog *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        if (box == nullptr)
            return;
        buttons = box->buttons();
        okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);
        closedByEnter = !box->isVisible();
    });
    w->actionAbout->trigger();

    QCOMPARE(catcher.texts.size(), 1);
    const QStringList lines = catcher.texts.first().split('\n');
    QCOMPARE(catcher.titles.first(), QString("Vorel"));
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.at(0), QString("Vorel"));
    QCOMPARE(lines.at(1), QString("Version 0.02beta"));
    QVERIFY(lines.join('\n').contains("Hinweis"));
    QCOMPARE(catcher.icons.first(), QMessageBox::Information);
    QCOMPARE(buttons.size(), 1);
    QVERIFY(okIsDefault);
    QVERIFY(closedByEnter);
    QCOMPARE(w->windowTitle(), QString("Vorel"));
}

void TestHelp::manualPage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("page");

    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("en help") << QLocale::c() << "actionHelp"
                             << "en"
                             << "index.html";
    QTest::newRow("en tutorial") << QLocale::c() << "actionTutorial"
                                 << "en"
                                 << "tutorial.html";
    QTest::newRow("de help") << german << "actionHelp"
                             << "de"
                             << "index.html";
    QTest::newRow("de tutorial") << german << "actionTutorial"
                                 << "de"
                                 << "tutorial.html";
}

// Help opens the manual's start page and Tutorial the tutorial: a local
// file that exists, in the language the window speaks, never a web address.
void TestHelp::manualPage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, action);
    QFETCH(QString, language);
    QFETCH(QString, page);

    installTranslations(*QCoreApplication::instance(), locale);
    {
        CoutCapture quietToo;
        w = std::make_unique<mainWin>();
    }
    DialogCatcher catcher;
    w->findChild<QAction *>(action)->trigger();
    installTranslations(*QCoreApplication::instance(), QLocale::c());

    QCOMPARE(catcher.dialogs, 0);
    QCOMPARE(browser->asked.size(), 1);
    const QUrl url = browser->asked.first();
    QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
    const QFileInfo file(url.toLocalFile());
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QCOMPARE(file.fileName(), page);
    QCOMPARE(file.dir().dirName(), language);

    QFile html(file.filePath());
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    QVERIFY(text.contains(QStringLiteral("<html lang=\"%1\"").arg(language)));
}

// A language the manual lacks gets the English page rather than nothing.
void TestHelp::missingLanguageFallsBackToEnglish()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkpath("en"));
    QFile page(root.filePath("en/index.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html lang=\"en\"></html>");
    page.close();

    const ManualLocator locator(QStringList{root.filePath("none"), root.path()});
    QCOMPARE(locator.page("de", "index.html"), QFileInfo(page).absoluteFilePath());
    QCOMPARE(locator.page("en", "index.html"), QFileInfo(page).absoluteFilePath());
    QVERIFY(locator.page("de", "tutorial.html").isEmpty());
    QVERIFY(locator.page("en", "../en/index.html").isEmpty());
}

// The manual installed beside the program (bin/../share/vorel/docs/manual)
// is looked for first, the source tree's last.
void TestHelp::installedManualComesFirst()
{
    const QStringList roots = ManualLocator::defaultRoots();
    QVERIFY(roots.size() >= 2);
    QCOMPARE(roots.first(), QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            "/../share/vorel/docs/manual"));
    QCOMPARE(roots.last(), sourceManual);
    QCOMPARE(w->manualFolders, roots);
}

// Without the manual, Help and Tutorial say so in a warning and open
// nothing: no browser on an address that does not exist.
void TestHelp::missingManualSaysSo()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    w->manualFolders = QStringList{empty.path()};
    for (QAction *action : {w->actionHelp, w->actionTutorial}) {
        DialogCatcher catcher;
        action->trigger();
        QCOMPARE(catcher.dialogs, 1);
        QCOMPARE(catcher.icons.first(), QMessageBox::Warning);
        QVERIFY2(catcher.texts.first().contains(QDir::toNativeSeparators(empty.path())),
                 qPrintable(catcher.texts.first()));
    }
    QVERIFY(browser->asked.isEmpty());
}

namespace
{

QStringList manualPages(const QString &language)
{
    return QDir(sourceManual + '/' + language).entryList({"*.html"}, QDir::Files, QDir::Name);
}

} // namespace

void TestHelp::manualLinksResolve_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("de")}) {
        for (const QString &page : manualPages(language)) {
            const QString path = language + '/' + page;
            QTest::newRow(qPrintable(path)) << path;
        }
    }
}

// Every local link, picture and style sheet a page names exists, so the
// manual reads the same installed and in the source tree.
void TestHelp::manualLinksResolve()
{
    QFETCH(QString, path);
    QFile file(sourceManual + '/' + path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QDir here = QFileInfo(file).dir();

    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    int local = 0;
    for (const QRegularExpressionMatch &m : reference.globalMatch(text)) {
        const QString target = m.captured(1);
        if (target.startsWith(QLatin1String("https:")) || target.startsWith(QLatin1String("#")))
            continue;
        ++local;
        const QString name = target.section('#', 0, 0);
        QVERIFY2(!QDir::isAbsolutePath(name), qPrintable(target));
        QVERIFY2(QFileInfo::exists(here.filePath(name)), qPrintable(path + ": " + target));
    }
    QVERIFY(local > 0);
    QVERIFY(text.contains(QStringLiteral("<title>")));
}

// The German manual has each page of the English one, and no other.
void TestHelp::languagesHaveTheSamePages()
{
    const QStringList english = manualPages("en");
    QVERIFY(english.contains("index.html"));
    QVERIFY(english.contains("tutorial.html"));
    QCOMPARE(manualPages("de"), english);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
