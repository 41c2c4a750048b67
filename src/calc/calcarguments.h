#ifndef CALCARGUMENTS_H
#define CALCARGUMENTS_H

#include "calc/cocresolution.h"
#include "calcoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// The arguments of one vorel-calc command: its options, their parsing in
// the C locale and their checks. Every getter records the first problem it
// meets, naming the argument and what would be accepted, and then returns a
// harmless value, so that a command reads all it needs and asks failed()
// once.
class CalcArguments
{
public:
    // A circle of confusion and, for people, how it came about.
    struct Coc {
        double mm = 0;
        QString source;
        // The frame of a sensor format or camera it came from (diagonal in
        // mm, width over height); NaN for a CoC given another way.
        double diagonal = std::numeric_limits<double>::quiet_NaN();
        double aspect = std::numeric_limits<double>::quiet_NaN();
        // The camera of --camera, "Nikon D850"; empty without one.
        QString camera = {};
        // The user gave the size itself.
        bool given = false;

        // Where the size came from as the texts add it: empty for a size
        // the user gave.
        QString note() const { return given ? QString() : source; }
        // The size as the texts show it: "0.03 mm", or with the source it
        // came from, "0.0299 mm (full frame)".
        QString text() const;
    };

    explicit CalcArguments(const QString &command);

    // Declares an option from its definition; its help line comes from it.
    void add(const OptionSpec &option);
    // --coc, --sensor, --camera, --megapixels, --view-distance,
    // --image-width, --form.
    void addCocOptions();
    // --format with the first of formats as its default.
    void addFormatOption(const QStringList &formats);
    // What the last positional argument may be: given once, left out,
    // given once or more, or any number of times.
    enum class Last { Required, Optional, Repeated, Any };
    // Positional arguments in this order; all but the last are required.
    void setPositional(const QStringList &names, const QStringList &descriptions,
                       Last last = Last::Required);
    void setDescription(const QString &summary) { description = summary; }

    // Reads the arguments that follow the command's name.
    bool parse(const QStringList &arguments);
    bool helpRequested() const { return wantsHelp; }
    QString helpText() const;
    // The long names of the declared options, "--" included, in help order.
    QStringList optionNames() const;

    // Required, finite and greater than zero.
    double positive(const OptionSpec &option);
    double positiveOr(const OptionSpec &option, double fallback);
    // Within the option's range, when given.
    double numberOr(const OptionSpec &option, double fallback);
    // A distance in metres, returned in millimetres; it must lie beyond the
    // focal length. "inf" is accepted where allowed and gives infinity.
    double distance(const OptionSpec &option, double flength, bool allowInfinity);
    // Comma-separated; at most MaxListEntries of them.
    QList<double> positiveList(const OptionSpec &option, const QList<double> &fallback);
    static constexpr int MaxListEntries = 1000;
    // Without the option, the fallback distances beyond the focal length.
    QList<double> distanceList(const OptionSpec &option, double flength,
                               const QList<double> &fallbackMetres);
    // From 0 up to but excluding 1.
    double fraction(const OptionSpec &option, double fallback);
    // Whether the option is given at all.
    bool flag(const OptionSpec &option) const;
    QString format();
    QString positional(int index) const;
    QStringList positionals() const;
    // The text of an option; a null string when it is absent. An option
    // given twice is a problem: the second would silently win.
    QString value(const OptionSpec &option);
    // The CoC of the CoC options; --camera asks the camera finder, which
    // the program that links a camera database supplies.
    Coc coc();
    void setCameraFinder(const CocResolution::CameraFinder &finder) { cameraFinder = finder; }

    bool failed() const { return !problem.isEmpty(); }
    QString error() const { return problem; }
    // Records a problem unless an earlier one is already recorded.
    void fail(const QString &message);
    // Records a problem of the machine rather than of the arguments (a
    // database that is not installed): status 1 instead of 2.
    void failWorking(const QString &message);
    // The exit status of the recorded problem.
    int status() const { return failed() ? (workingFailure ? 1 : 2) : 0; }

    const QString command;

private:
    struct OptionHelp {
        QString syntax;
        QString description;
    };

    double number(const OptionSpec &option, const QString &text);
    // A problem for an option the command never declared: a fault of the
    // command, not of the user, and named as such.
    bool declared(const OptionSpec &option) const;
    std::optional<double> optionalPositive(const OptionSpec &option);
    std::optional<QString> optionalText(const OptionSpec &option);

    QCommandLineParser parser;
    QList<OptionHelp> optionHelp;
    QStringList declaredNames;
    QStringList positionalNames;
    QStringList positionalHelp;
    QStringList formats;
    QString description;
    QString problem;
    bool workingFailure = false;
    Last lastPositional = Last::Required;
    bool wantsHelp = false;
    CocResolution::CameraFinder cameraFinder;
};

#endif // CALCARGUMENTS_H
