#ifndef COCRESOLUTION_H
#define COCRESOLUTION_H

#include <QString>

#include <functional>
#include <limits>
#include <optional>

// How a circle of confusion is chosen from what a user gives: a size, a
// sensor format (by index or a piece of its name) with an optional pixel
// count, a viewing distance with an image width and form, or, where a
// caller supplies a finder, a camera. Numbers arrive already read (NaN for
// one that could not be read, which the reader has reported); everything
// else is checked here.
namespace CocResolution
{

// The CoC the window starts with: full frame at 21 million pixels, as its
// box rounds it.
constexpr double DefaultCoc = 0.0128;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// The form assumed for a camera of the database.
constexpr double CameraAspect = 1.5;

// What the user gave; an absent option is an empty optional.
struct Request {
    std::optional<double> coc;
    std::optional<QString> sensor;
    std::optional<double> megaPixels;
    std::optional<double> viewDistance;
    std::optional<double> imageWidth;
    std::optional<QString> form;
    // Text naming a camera, for a caller that has a camera finder.
    std::optional<QString> camera;
};

// A circle of confusion and, for people, how it came about; or why there
// is none. mm is NaN whenever problem is set, and also when a number of the
// request was unreadable (then problem is empty: it was reported already).
struct Result {
    double mm = 0;
    // "given" for a size the user gave, else the preset or camera it comes
    // from ("full frame, 24 MP").
    QString source;
    QString problem;
    // The problem is the camera finder's unavailable one.
    bool unavailable = false;
    // The frame behind a CoC from a sensor format or a camera: its
    // diagonal in mm and its form, width over height (a camera's taken as
    // 3:2, the database knowing only its crop factor); NaN otherwise.
    double diagonal = NaN;
    double aspect = NaN;
    // The camera of --camera by its name, "Sony Alpha 7 III"; empty for
    // any other way of giving the CoC.
    QString camera = {};
    // The user gave the size itself: a text shows it without its source.
    bool given = false;
};

// A sensor format found from a user's text: its index, or why none.
struct SensorMatch {
    int index = -1;
    QString problem;
};

// A camera found from a user's text: its sensor diagonal in mm and its
// name as people know it, or why none. unavailable marks a problem of the
// machine (no camera database to look in) rather than of the text.
struct CameraMatch {
    double diagonal = 0;
    QString name;
    QString problem;
    bool unavailable = false;
    // The camera's name alone ("Nikon D850"), where name describes it.
    QString camera = {};
};
using CameraFinder = std::function<CameraMatch(const QString &text)>;

// An index 0 to FormatCount - 1, or a piece of one format's name (any
// case); several or no matches are a problem naming the choices.
SensorMatch matchSensor(const QString &text);

// Options that belong together or exclude each other: the first such
// problem, or an empty text. Depends only on which options are given.
QString combinationProblem(const Request &request);

// The CoC of the request; without any way of giving it, the default. A
// camera in the request without a finder is a problem.
Result resolve(const Request &request, const CameraFinder &findCamera = {});

} // namespace CocResolution

#endif // COCRESOLUTION_H
