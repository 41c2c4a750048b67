#include "calc/calcapp.h"
#include "calc/calcarguments.h"
#include "calc/calccommands.h"
#include "calc/texttable.h"
#include "project/projectfile.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// vorel-calc without a display: every command's options agree with the
// manual page and the shell completion, the commands that draw nothing
// load no GUI library, and CSV cells are quoted where they must be.
class TestCalcOptions : public QObject
{
    Q_OBJECT

private slots:
    void manPageSynopsis_data() { commandRows(); }
    void manPageSynopsis();
    void manPageOptionsSection();
    void completion_data() { commandRows(); }
    void completion();
    void noGuiLibraries_data();
    void noGuiLibraries();
    void renderLoadsNoWidgets_data();
    void renderLoadsNoWidgets();
    void csvQuoting_data();
    void csvQuoting();
    void drawingWithoutHelper();
    void helpersMissing_data();
    void helpersMissing();
    void rangedNumber_data();
    void rangedNumber();
    void undeclaredOptionIsAFault();

private:
    void commandRows();
};

namespace
{

using Names = QSet<QString>;

// The options the program's own help lists for a command.
Names helpOptions(const QString &command)
{
    CalcArguments args(command);
    CalcCommands::find(command)->declare(args);
    const QStringList names = args.optionNames();
    return Names(names.begin(), names.end());
}

QString manPage()
{
    QFile file(QStringLiteral(VOREL_MAN_PAGE));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Every --name in a piece of roff, "\-" read as "-".
Names roffOptions(const QString &roff)
{
    Names names;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral(R"(\\-\\-([a-z]+(?:\\-[a-z]+)*))")).globalMatch(roff);
    while (it.hasNext())
        names << QStringLiteral("--") +
                     it.next().captured(1).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    return names;
}

QString section(const QString &text, const QString &from, const QString &to)
{
    const qsizetype start = text.indexOf(from);
    if (start < 0)
        return QString();
    const qsizetype end = text.indexOf(to, start + from.size());
    return text.mid(start, end < 0 ? -1 : end - start);
}

QString sorted(const Names &names)
{
    QStringList list(names.begin(), names.end());
    list.sort();
    return list.join(QLatin1Char(' '));
}

} // namespace

void TestCalcOptions::commandRows()
{
    QTest::addColumn<QString>("command");
    for (const CalcCommands::Command &c : CalcCommands::all())
        QTest::newRow(c.name) << QString::fromLatin1(c.name);
}

// The synopsis names exactly the options the help lists, the CoC options
// through its COC placeholder.
void TestCalcOptions::manPageSynopsis()
{
    QFETCH(QString, command);
    const QString page = manPage();
    QVERIFY2(!page.isEmpty(), VOREL_MAN_PAGE);
    const QString synopsis = section(page, QStringLiteral(".SH SYNOPSIS"), QStringLiteral(".PP"));
    const QString cocPart =
        section(page, QStringLiteral("\n.I COC\nis one of"), QStringLiteral(".RE"));
    QVERIFY(!cocPart.isEmpty());

    Names documented;
    bool found = false;
    for (const QString &block : synopsis.split(QStringLiteral("\n.br\n"))) {
        const QStringList lines = block.split(QLatin1Char('\n'));
        if (!lines.contains(QStringLiteral(".B ") + command))
            continue;
        found = true;
        documented += roffOptions(block);
        if (block.contains(QStringLiteral("COC")))
            documented += roffOptions(cocPart);
    }
    QVERIFY2(found, qPrintable(command + " has no synopsis line"));
    QCOMPARE(sorted(documented), sorted(helpOptions(command)));
}

// Every option of every command is described under OPTIONS, and no other.
void TestCalcOptions::manPageOptionsSection()
{
    const QString options =
        section(manPage(), QStringLiteral(".SH OPTIONS"), QStringLiteral(".SH SENSOR"));
    QVERIFY(!options.isEmpty());
    // Options are set in bold there, in their item's tag or in its text.
    Names described;
    for (const QString &line : options.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String(".B")))
            described += roffOptions(line);
    Names all;
    for (const CalcCommands::Command &c : CalcCommands::all())
        all += helpOptions(QString::fromLatin1(c.name));
    all << QStringLiteral("--help") << QStringLiteral("--version");
    QCOMPARE(sorted(described), sorted(all));
}

// The completion offers, after "vorel-calc COMMAND --", what the help lists.
void TestCalcOptions::completion()
{
    QFETCH(QString, command);
    const QString framework = QStringLiteral("/usr/share/bash-completion/bash_completion");
    if (!QFile::exists(framework))
        QSKIP("bash-completion is not installed (Debian package bash-completion)");
    const QString script =
        QStringLiteral("source %1 && source %2 && COMP_WORDS=(vorel-calc %3 --) && "
                       "COMP_CWORD=2 && COMP_LINE=\"vorel-calc %3 --\" && "
                       "COMP_POINT=${#COMP_LINE} && COMPREPLY=() && _vorel_calc && "
                       "printf '%s\\n' \"${COMPREPLY[@]}\"")
            .arg(framework, QStringLiteral(VOREL_COMPLETION), command);
    QProcess bash;
    bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
    QVERIFY(bash.waitForFinished(60000));
    QCOMPARE(bash.exitCode(), 0);
    const QStringList offered = QString::fromUtf8(bash.readAllStandardOutput())
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    Names expected = helpOptions(command);
    expected << QStringLiteral("--help");
    QCOMPARE(sorted(Names(offered.begin(), offered.end())), sorted(expected));
}

void TestCalcOptions::noGuiLibraries_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("draws");
    QTest::addColumn<bool>("media");
    QTest::newRow("dof") << QStringList{"dof",      "--focal", "50", "--aperture",
                                        "8",        "--focus", "3",  "--diffraction",
                                        "--format", "json"}
                         << false << false;
    QTest::newRow("table") << QStringList{"table", "--focal", "50", "--diffraction"} << false
                           << false;
    QTest::newRow("help") << QStringList{"help", "photo"} << false << false;
    // The camera database and the photo reader are no GUI libraries either;
    // they are loaded only where a camera or a photo is asked for.
    QTest::newRow("cameras") << QStringList{"cameras", "Nikon D850"} << false << true;
    // --camera needs lensfun only where no earlier run left the camera
    // database in the cache (the row's cache starts empty).
    QTest::newRow("--camera") << QStringList{"dof",     "--focal", "50",       "--aperture", "8",
                                             "--focus", "3",       "--camera", "Nikon D850"}
                              << false << true;
    QTest::newRow("--camera, cached")
        << QStringList{"dof",   "--focal", "50", "--aperture",
                       "8",     "--focus", "3",  "--camera=Nikon D850",
                       "cached"}
        << false << false;
    QTest::newRow("photo") << QStringList{"photo",
                                          QStringLiteral(VOREL_TEST_PHOTOS "/NikonD70.jpg")}
                           << false << true;
    // The check itself sees GUI libraries where they are loaded; render
    // draws on Qt's painting alone, without cameras or photos.
    QTest::newRow("render") << QStringList{"render", "--help"} << true << false;
}

namespace
{

// The libraries the dynamic loader maps for vorel-calc and its helpers
// while they run the command line; empty when the run fails.
// The libraries vorel-calc maps for a command that succeeds; its camera
// cache in cacheFolder, where given, and its standard output in out.
Names loadedLibraries(const QStringList &arguments, const QString &cacheFolder = QString(),
                      QByteArray *out = nullptr)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!cacheFolder.isEmpty())
        env.insert(QStringLiteral("VOREL_CACHE_DIR"), cacheFolder);
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VOREL_CALC_BINARY), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    if (out)
        *out = process.readAllStandardOutput();
    const QString loaded = QString::fromUtf8(process.readAllStandardError());
    const QRegularExpression file(QStringLiteral(R"(file=(\S+) \[0\];\s+needed by)"));
    Names libraries;
    for (QRegularExpressionMatchIterator it = file.globalMatch(loaded); it.hasNext();)
        libraries << it.next().captured(1);
    return libraries;
}

bool anyLibrary(const Names &libraries, const QString &pattern)
{
    const QRegularExpression name(pattern);
    return std::any_of(libraries.begin(), libraries.end(),
                       [&name](const QString &library) { return name.match(library).hasMatch(); });
}

} // namespace

// The commands that draw nothing start on Qt Core alone: the dynamic
// loader maps no Qt GUI library for them, and no camera or metadata library
// unless they read cameras or photos.
void TestCalcOptions::noGuiLibraries()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, draws);
    QFETCH(bool, media);
    QTemporaryDir cache;
    QByteArray helperOutput;
    if (arguments.last() == QLatin1String("cached")) {
        arguments.removeLast();
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VOREL_CACHE_DIR"), cache.path());
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(VOREL_CALC_BINARY), arguments);
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        helperOutput = first.readAllStandardOutput();
        QVERIFY(!helperOutput.isEmpty());
    }
    QByteArray output;
    const Names libraries = loadedLibraries(arguments, cache.path(), &output);
    QVERIFY2(libraries.contains(QStringLiteral("libQt6Core.so.6")), qPrintable(sorted(libraries)));
    const bool anyGui = anyLibrary(
        libraries, QStringLiteral(R"(^libQt6(Gui|Widgets|Svg|SvgWidgets|DBus|OpenGL|XcbQpa)\.so)"));
    const bool anyMedia = anyLibrary(libraries, QStringLiteral(R"(^lib(lensfun|exiv2)\.so)"));
    QVERIFY2(anyGui == draws, qPrintable(sorted(libraries)));
    QVERIFY2(anyMedia == media, qPrintable(sorted(libraries)));
    // The lookup in the cache answers as the helper did.
    if (!helperOutput.isEmpty())
        QCOMPARE(output, helperOutput);
}

void TestCalcOptions::renderLoadsNoWidgets_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

// render draws a project with Qt's painting alone: the widget library is
// never loaded, in whichever format it writes.
void TestCalcOptions::renderLoadsNoWidgets()
{
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile project(dir.filePath(QStringLiteral("p.vlp")));
    QVERIFY(project.open(QIODevice::WriteOnly));
    QVERIFY(ProjectFile::windowStart().write(project));
    project.close();
    const QString image = dir.filePath(QStringLiteral("d.") + suffix);
    const Names libraries = loadedLibraries({QStringLiteral("render"), project.fileName(), image});
    QVERIFY2(QFileInfo(image).size() > 0, qPrintable(sorted(libraries)));
    QVERIFY2(libraries.contains(QStringLiteral("libQt6Gui.so.6")), qPrintable(sorted(libraries)));
    QVERIFY2(!anyLibrary(libraries, QStringLiteral(R"(^libQt6(Widgets|SvgWidgets)\.so)")),
             qPrintable(sorted(libraries)));
}

void TestCalcOptions::csvQuoting_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "0.5"
                           << "0.5";
    QTest::newRow("comma") << "f/2,8"
                           << "\"f/2,8\"";
    QTest::newRow("quote") << "1/3\" sensor"
                           << "\"1/3\"\" sensor\"";
    QTest::newRow("line break") << "a\nb"
                                << "\"a\nb\"";
}

// A cell with a comma, a quote or a line break stays one field (RFC 4180).
void TestCalcOptions::csvQuoting()
{
    QFETCH(QString, cell);
    QFETCH(QString, field);
    TextTable table({QStringLiteral("h"), QStringLiteral("x")});
    table.addRow({cell, QStringLiteral("1")});
    QCOMPARE(table.csv(), QStringLiteral("h,x\r\n") + field + QStringLiteral(",1\r\n"));
}

// Without its drawing half, render still gives its help and checks its
// arguments, and then fails with the reason and nothing on standard output.
void TestCalcOptions::drawingWithoutHelper()
{
    auto call = [](const QStringList &arguments, QByteArray &out, QString &err) {
        QBuffer device(&out);
        device.open(QIODevice::WriteOnly);
        QTextStream errors(&err);
        CalcApp calc(device, errors);
        calc.setCannotRun(QStringLiteral("no helper here"));
        const int status = calc.run(arguments);
        errors.flush();
        return status;
    };
    QByteArray out;
    QString err;
    QCOMPARE(call({"render", "--help"}, out, err), 0);
    QVERIFY(out.startsWith("Usage: vorel-calc render"));
    out.clear();
    QCOMPARE(call({"render", "a.vlp"}, out, err), 2);
    QCOMPARE(err, QStringLiteral("vorel-calc: render: missing OUT (the file to write)\n"));
    err.clear();
    QCOMPARE(call({"render", "a.vlp", "b.png"}, out, err), 1);
    QCOMPARE(err, QStringLiteral("vorel-calc: render: no helper here\n"));
    QVERIFY(out.isEmpty());
}

namespace
{
const OptionSpec Ranged{"ranged", "P", "a number from 0.1 to 10", OptionSpec::Kind::Number,
                        0.1,      10};
}

void TestCalcOptions::rangedNumber_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("problem");
    QTest::newRow("absent") << QStringList() << 1.0 << "";
    QTest::newRow("lowest") << QStringList{"--ranged", "0.1"} << 0.1 << "";
    QTest::newRow("highest") << QStringList{"--ranged", "10"} << 10.0 << "";
    QTest::newRow("below") << QStringList{"--ranged", "0.05"} << qQNaN()
                           << "--ranged: '0.05' is outside 0.1 to 10";
    QTest::newRow("above") << QStringList{"--ranged", "11"} << qQNaN()
                           << "--ranged: '11' is outside 0.1 to 10";
    QTest::newRow("decimal comma") << QStringList{"--ranged", "1,5"} << qQNaN()
                                   << "--ranged: '1,5' is not a number; write decimals with a "
                                      "point, as in 2.8";
    QTest::newRow("twice") << QStringList{"--ranged", "1", "--ranged", "2"} << qQNaN()
                           << "--ranged is given 2 times; give it once";
}

// A number option is held to the range its definition gives, the ends
// included, with a message naming the option and the range.
void TestCalcOptions::rangedNumber()
{
    QFETCH(QStringList, arguments);
    QFETCH(double, value);
    QFETCH(QString, problem);
    CalcArguments args(QStringLiteral("test"));
    args.add(Ranged);
    QVERIFY(args.parse(arguments));
    const double read = args.numberOr(Ranged, 1.0);
    QCOMPARE(args.error(), problem);
    if (std::isnan(value))
        QVERIFY(std::isnan(read));
    else
        QCOMPARE(read, value);
    QVERIFY(args.helpText().contains(QStringLiteral("--ranged P")));
}

// Reading an option the command never declared is the command's fault, and
// says so instead of reading as absent.
void TestCalcOptions::undeclaredOptionIsAFault()
{
    CalcArguments args(QStringLiteral("test"));
    args.add(CalcOptions::Focal);
    QVERIFY(args.parse({QStringLiteral("--focal"), QStringLiteral("50")}));
    QVERIFY(!args.flag(CalcOptions::Aperture));
    QCOMPARE(args.error(),
             QStringLiteral("internal error: test reads --aperture, which it does not declare"));
}

QTEST_GUILESS_MAIN(TestCalcOptions)
// vorel-calc alone, without its helpers beside it or in a libexec folder:
// the commands it hands over fail with status 1 and the reason, after their
// help and argument checks; everything else runs as before.
void TestCalcOptions::helpersMissing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QStringList dof = {"dof", "--focal", "50", "--aperture", "8", "--focus", "3"};
    QTest::newRow("dof") << dof << 0 << QString();
    QTest::newRow("dof --camera") << (dof + QStringList{"--camera", "Nikon D850"}) << 1
                                  << "vorel-calc: dof: --camera: the camera and photo helper "
                                     "vorel-calc-media is not installed";
    // With the camera database in the cache of an earlier run, --camera
    // needs no helper.
    QTest::newRow("dof --camera, cached")
        << (dof + QStringList{"--camera", "Nikon D850", "cached"}) << 0 << QString();
    QTest::newRow("photo") << QStringList{"photo", "a.jpg"} << 1
                           << "vorel-calc: photo: the camera and photo helper vorel-calc-media "
                              "is not installed";
    QTest::newRow("photo --help") << QStringList{"photo", "--help"} << 0 << QString();
    QTest::newRow("photo, no file") << QStringList{"photo"} << 2 << "vorel-calc: photo: missing";
    QTest::newRow("render") << QStringList{"render", "a.vlp", "b.png"} << 1
                            << "vorel-calc: render: the drawing helper vorel-calc-render is not "
                               "installed";
}

void TestCalcOptions::helpersMissing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString alone = dir.filePath(QStringLiteral("bin/vorel-calc"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(QStringLiteral(VOREL_CALC_BINARY), alone));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VOREL_CACHE_DIR"), dir.filePath(QStringLiteral("cache")));
    if (arguments.last() == QLatin1String("cached")) {
        arguments.removeLast();
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(VOREL_CALC_BINARY), arguments);
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(alone, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), status);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.startsWith(message), qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), message.isEmpty() ? 0 : 1);
    if (status != 0)
        QVERIFY(process.readAllStandardOutput().isEmpty());
}

#include "tst_calcoptions.moc"
