#ifndef CAMERALIST_H
#define CAMERALIST_H

#include <QString>
#include <QVector>

// The cameras the planner offers: the main window's sensor formats, each
// with its diagonal, from which the circle of confusion follows by the
// crop-factor rule.
struct CameraEntry {
    QString name;
    double diagonal = 0;
    // The CoC of the crop-factor rule for this camera, in mm.
    double coc() const;
};

namespace CameraList
{

// Sensor formats first, in the form's order.
QVector<CameraEntry> entries();
// The entry of the full-frame format: where the planner starts.
int defaultIndex();

} // namespace CameraList

#endif // CAMERALIST_H
