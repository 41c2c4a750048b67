#ifndef CAMERALIST_H
#define CAMERALIST_H

#include <QString>
#include <QVector>

class CameraDatabase;

// The cameras the planner offers: the main window's sensor formats and the
// cameras of the camera database, each with its diagonal, from which the
// circle of confusion follows by the crop-factor rule.
struct CameraEntry {
    QString name;
    double diagonal = 0;
    // Width over height: the format's own, 3:2 for a camera of the
    // database, which knows only its crop factor.
    double aspect = 1.5;
    // The CoC of the crop-factor rule for this camera, in mm.
    double coc() const;
};

namespace CameraList
{

// Sensor formats first, in the form's order, then the database's cameras
// in its order. Read once: the database loads on the first call.
const QVector<CameraEntry> &entries();
// The system's camera database, loaded once, for those who look cameras
// up by a photo's make and model.
const CameraDatabase &database();
// The entry of the full-frame format: where the planner starts.
int defaultIndex();
// A sensor format's name in the user's language.
QString formatText(int format);

} // namespace CameraList

#endif // CAMERALIST_H
