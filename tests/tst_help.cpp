#include "app/mainwin.h"
#include "coutcapture.h"

#include <QMessageBox>
#include <QtTest>

#include <memory>

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
    std::function<bool(const QUrl &)> realOpenUrl;
};

void TestHelp::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    realOpenUrl = mainWin::openUrl;
}

void TestHelp::cleanup()
{
    mainWin::openUrl = realOpenUrl;
    w.reset();
    quiet.reset();
}

// Help > About: an information box titled "Vorel" that starts with the name
// and the version, with one Ok button that is the default, so Enter closes it.
void TestHelp::aboutBox()
{
    QString title;
    QStringList lines;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton *> buttons;
    bool okIsDefault = false;
    bool closedByEnter = false;

    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        timer.stop();
        title = box->windowTitle();
        lines = box->text().split('\n');
        icon = box->icon();
        buttons = box->buttons();
        okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);
        closedByEnter = !box->isVisible();
        if (!closedByEnter)
            box->done(0);
    });
    timer.start(10);
    w->actionAbout->trigger();

    QCOMPARE(title, QString("Vorel"));
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.at(0), QString("Vorel"));
    QCOMPARE(lines.at(1), QString("Version 0.02beta"));
    QVERIFY(lines.join('\n').contains("Hinweis"));
    QCOMPARE(icon, QMessageBox::Information);
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

    QList<QUrl> asked;
    mainWin::openUrl = [&asked](const QUrl &url) {
        asked << url;
        return false;
    };
    w->findChild<QAction *>(action)->trigger();
    QCOMPARE(asked, QList<QUrl>{QUrl(address)});
    QVERIFY(asked.first().isValid());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
