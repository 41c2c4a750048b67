#include "calcapp.h"

#include "calcarguments.h"
#include "calccommands.h"
#include "calcoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>

#include <cstring>
#include <string>

namespace
{

QStringList commandNames()
{
    QStringList names;
    for (const CalcCommands::Command &c : CalcCommands::all())
        names << QLatin1String(c.name);
    return names;
}

} // namespace

QString CalcApp::overallHelp()
{
    QString text = QStringLiteral(
        "Usage: vorel-calc COMMAND [options]\n"
        "       vorel-calc help COMMAND\n\n"
        "Depth of field, DOF tables, the best aperture for a near/far range, focus-stacking\n"
        "plans and project diagrams, computed with the same optics as the Vorel window.\n"
        "Distances are metres, focal lengths and CoC millimetres.\n\n"
        "Commands:\n");
    for (const CalcCommands::Command &c : CalcCommands::all())
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(c.name).leftJustified(8), QLatin1String(c.summary));
    text += QStringLiteral(
        "\nOptions:\n"
        "  -h, --help     show this help; 'vorel-calc help COMMAND' for one command\n"
        "  -v, --version  show the version\n\n"
        "Exit status: 0 complete result, 1 failure while working, 2 bad usage or input.\n");
    return text;
}

namespace
{

// Whether a raw argument is the option, as "--name" or "--name=value".
bool namesOption(const char *argument, const OptionSpec &option)
{
    if (std::strncmp(argument, "--", 2) != 0)
        return false;
    const char *rest = argument + 2;
    const std::size_t length = std::strlen(option.name);
    return std::strncmp(rest, option.name, length) == 0 &&
           (rest[length] == '\0' || rest[length] == '=');
}

// The helper the command itself needs, whatever its options.
CalcCommands::Helper commandHelper(int argc, const char *const *argv)
{
    if (argc < 2 || argv[1] == nullptr)
        return CalcCommands::Helper::None;
    for (const CalcCommands::Command &c : CalcCommands::all())
        if (std::strcmp(argv[1], c.name) == 0)
            return c.helper;
    return CalcCommands::Helper::None;
}

// Whether the command line holds --camera (every command that takes a CoC
// takes it).
bool hasCameraOption(int argc, const char *const *argv)
{
    for (int i = 2; i < argc && argv[i] != nullptr; ++i)
        if (namesOption(argv[i], CalcOptions::Camera))
            return true;
    return false;
}

} // namespace

CalcCommands::Helper CalcApp::helperFor(int argc, const char *const *argv)
{
    const CalcCommands::Helper own = commandHelper(argc, argv);
    if (own != CalcCommands::Helper::None)
        return own;
    return hasCameraOption(argc, argv) ? CalcCommands::Helper::Media : CalcCommands::Helper::None;
}

bool CalcApp::helperOnlyForCamera(int argc, const char *const *argv)
{
    return commandHelper(argc, argv) == CalcCommands::Helper::None && hasCameraOption(argc, argv);
}

int CalcApp::refuse(const QString &message)
{
    // One line whatever the user typed: control characters are shown as
    // escapes rather than breaking the line.
    QString line;
    for (const QChar c : message) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    err << "vorel-calc: " << line << '\n';
    err.flush();
    return 2;
}

int CalcApp::write(const QByteArray &bytes, const QString &command)
{
    // The device is unbuffered (or in memory), so a full disk or a closed
    // pipe shows here.
    if (out.write(bytes) != bytes.size()) {
        err << "vorel-calc: " << command << ": cannot write to standard output\n";
        err.flush();
        return 1;
    }
    return 0;
}

int CalcApp::run(const QStringList &arguments)
{
    // Global options come before the command; everything after the command
    // belongs to it.
    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    global.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    global.addOption(help);
    global.addOption(version);
    if (!global.parse(QStringList(QStringLiteral("vorel-calc")) + arguments)) {
        const QString unknown = global.unknownOptionNames().value(0);
        return refuse(QStringLiteral("unknown option '%1'; give a command first (%2), or "
                                     "--help or --version")
                          .arg((unknown.size() == 1 ? "-" : "--") + unknown,
                               commandNames().join(QStringLiteral(", "))));
    }
    if (global.isSet(help)) {
        return write(overallHelp().toUtf8(), QStringLiteral("help"));
    }
    if (global.isSet(version)) {
        return write(
            QStringLiteral("vorel-calc %1\n").arg(QCoreApplication::applicationVersion()).toUtf8(),
            QStringLiteral("version"));
    }

    const QStringList positional = global.positionalArguments();
    if (positional.isEmpty())
        return refuse(QStringLiteral("missing command; commands are %1 (see vorel-calc --help)")
                          .arg(commandNames().join(QStringLiteral(", "))));
    const QString name = positional.first();
    const QStringList rest = positional.mid(1);

    if (name == QLatin1String("help")) {
        if (rest.isEmpty()) {
            return write(overallHelp().toUtf8(), QStringLiteral("help"));
        }
        if (rest.size() > 1)
            return refuse(QStringLiteral("help: unexpected argument '%1'; help takes one command")
                              .arg(rest.at(1)));
        const CalcCommands::Command *command = CalcCommands::find(rest.first());
        if (command == nullptr)
            return refuse(QStringLiteral("help: unknown command '%1'; commands are %2")
                              .arg(rest.first(), commandNames().join(QStringLiteral(", "))));
        CalcArguments args(rest.first());
        command->declare(args);
        return write(args.helpText().toUtf8(), QStringLiteral("help"));
    }

    const CalcCommands::Command *command = CalcCommands::find(name);
    if (command == nullptr)
        return refuse(QStringLiteral("unknown command '%1'; commands are %2")
                          .arg(name, commandNames().join(QStringLiteral(", "))));

    CalcArguments args(name);
    command->declare(args);
    args.setCameraFinder(cameraFinder);
    if (!args.parse(rest))
        return refuse(name + QStringLiteral(": ") + args.error());
    if (args.helpRequested())
        return write(args.helpText().toUtf8(), name);
    const CalcCommands::Runner run = command->run ? command->run : runners.value(name);
    if (run == nullptr) {
        err << "vorel-calc: " << name << ": " << cannotRun << '\n';
        err.flush();
        return 1;
    }
    const CalcCommands::Result result = run(args);
    if (result.status != 0) {
        // Nothing on standard output; a failure while working keeps its
        // status 1, everything else is a refusal.
        const int refused = refuse(name + QStringLiteral(": ") + result.message);
        return result.status == 1 ? 1 : refused;
    }
    if (!result.message.isEmpty()) {
        err << "vorel-calc: " << name << ": " << result.message << '\n';
        err.flush();
    }
    return write(result.output, name);
}
