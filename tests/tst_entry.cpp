#include <QtTest>

// The program as a process: argument counts other than 1 or 6 are refused
// before any window exists.
class TestEntry : public QObject
{
    Q_OBJECT

private slots:
    void usageLine_data();
    void usageLine();
    void acceptedCountsOpenTheWindow_data();
    void acceptedCountsOpenTheWindow();
};

void TestEntry::usageLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("2 arguments") << QStringList{"x"};
    QTest::newRow("3 arguments") << QStringList{"a", "b"};
    QTest::newRow("7 arguments") << QStringList{"1", "2", "3", "4", "5", "6"};
}

void TestEntry::usageLine()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    process.start(QStringLiteral(VOREL_BINARY), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 255);
    const QByteArray expected = QByteArray("Usage: ") + VOREL_BINARY +
                                " center.jpg upperRight.jpg lowerleft.jpg lowerRight.jpg "
                                "upperLeft.jpg\n";
    QCOMPARE(process.readAllStandardOutput(), expected);
}

void TestEntry::acceptedCountsOpenTheWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("1 argument") << QStringList{};
    // The five image names are not read, whether or not they exist.
    QTest::newRow("6 arguments") << QStringList{"c.jpg", "ur.jpg", "ll.jpg", "lr.jpg", "ul.jpg"};
}

void TestEntry::acceptedCountsOpenTheWindow()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VOREL_BINARY), arguments);
    QVERIFY(process.waitForStarted(10000));
    // Still running after the start-up computations: the event loop is up.
    QVERIFY(!process.waitForFinished(1500));
    QCOMPARE(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(TestEntry)
#include "tst_entry.moc"
