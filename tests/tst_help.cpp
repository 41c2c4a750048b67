#include "app/mainwin.h"
#include "coutcapture.h"
#include "dialogcatcher.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QtTest>

#include <memory>

// Stands in for the browser: the desktop hands it every https address.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> asked;

public slots:
    void open(const QUrl &url) { asked << url; }
};

// The About box and the web pages of the Help menu.
class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aboutBox();
    void webPage_data();
    void webPage();

private:
    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<UrlRecorder> browser;
};

void TestHelp::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    browser = std::make_unique<UrlRecorder>();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), browser.get(), "open");
}

void TestHelp::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
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

void TestHelp::webPage_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("address");

    QTest::newRow("tutorial") << "actionTutorial"
                              << "https://vorel.example.org/links/voreltutorial.html";
    QTest::newRow("help") << "actionHelp"
                          << "https://vorel.example.org/links/vorel0.02beta.html";
}

// Each Help menu entry asks the desktop for its page once; the help page's
// address carries the version.
void TestHelp::webPage()
{
    QFETCH(QString, action);
    QFETCH(QString, address);

    w->findChild<QAction *>(action)->trigger();
    const QList<QUrl> &asked = browser->asked;
    QCOMPARE(asked, QList<QUrl>{QUrl(address)});
    QVERIFY(asked.first().isValid());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
