#ifndef PROJECTFILE_H
#define PROJECTFILE_H

#include "presets/cocpresets.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

class QIODevice;

// The input state of the main window as a project file stores it: a fixed
// record of 30 big-endian fields, 158 bytes, no header and no checksum.
// Reading checks the whole record, so that a caller applies a file either
// completely or not at all.
struct ProjectFile {
    static constexpr qint64 recordSize = 158;
    static constexpr double formatVersion = 1.0;
    // Lengths of the choice lists that the indices refer to.
    static constexpr qint32 sensorFormats = CocPresets::FormatCount;
    static constexpr qint32 pixelCounts = CocPresets::QualityCount;
    static constexpr qint32 formFactors = 2;

    struct Camera {
        bool enabled = true;
        double fdist = 0;
        double apature = 0;
        double flength = 0;
        double coc = 0;
        bool calcDef = false;
        qint32 crop = 0;
        qint32 quality = 0;
        qint32 reserved = 0;
        double distD = 0;
        qint32 formD = 0;
        double widthD = 0;
    };

    double version = formatVersion;
    double leftBorder = 0;
    bool distanceCam = true;
    bool distanceFP = false;
    qint32 xscale = 0;
    qint32 yscale = 0;
    Camera cameras[2];

    // Reads and checks one record from the current position; bytes after it
    // are left unread. On failure the fields are unchanged and errorString()
    // says what is wrong.
    bool read(QIODevice &device);
    // Writes the record; the version is always formatVersion and the reserved
    // fields are zero, whatever the struct holds.
    bool write(QIODevice &device) const;
    QString errorString() const { return error; }

    // Opens and reads the file name; on failure returns false and puts the
    // reason, as the window's warning gives it, into whyNot.
    bool load(const QString &name, QString *whyNot);

    // The record as the window's controls hold it after opening it: each
    // value rounded to its control's decimals and held within its range, and
    // the distance mode as the exclusive pair of radio buttons leaves it.
    ProjectFile asWindowHolds() const;

    // The range and the decimals of a value's spin box in the window.
    struct Range {
        double minimum;
        double maximum;
        int decimals;
        // What the spin box makes of a value: rounded, then held within.
        double held(double value) const;
    };
    static constexpr Range FocusRange{0, 99999, 2};
    static constexpr Range ApertureRange{0.7, 64, 1};
    static constexpr Range FocalRange{1, 5000, 0};
    static constexpr Range CocRange{0.0001, 10, 4};

    // What the window's controls hold when it starts.
    static ProjectFile windowStart();

    // The messages are translated in the context "ProjectFile".
    Q_DECLARE_TR_FUNCTIONS(ProjectFile)

private:
    QString error;
};

#endif // PROJECTFILE_H
