#ifndef COMMONINPUTS_H
#define COMMONINPUTS_H

#include "camerabox.h"
#include "plannerinputs.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSettings;

// The inputs every page shares, always in view: camera, focal length,
// circle of confusion and the range from near to far. Choosing a camera
// refills the CoC by the crop-factor rule; the CoC stays editable.
class CommonInputs : public QWidget
{
    Q_OBJECT

public:
    explicit CommonInputs(QWidget *parent = nullptr);

    PlannerInputs values() const;
    PlannerText::Unit unit() const;
    void setUnit(PlannerText::Unit unit);

    // Fills the inputs from a photo's settings; a camera not in the list
    // leaves the camera as it is. The focus becomes the range's middle
    // only when it lies inside the range; lengths in mm.
    // False, and nothing changes, where the list has no such camera.
    bool setCamera(const QString &name);
    void setFocalLength(double mm);
    void setCoc(double mm);
    void setRange(double nearDist, double farDist);
    // The near distance alone, as a page asks for it (a magnification typed
    // on the focus-stack page).
    void setNear(double nearDist);

    // The inputs as the next session finds them; a value missing or out of
    // range in the settings leaves that input as it is.
    void saveTo(QSettings &settings) const;
    void restoreFrom(const QSettings &settings);

    CameraBox *cameraBox() const { return camera; }
    QDoubleSpinBox *focalBox() const { return focal; }
    QDoubleSpinBox *cocBox() const { return coc; }
    QDoubleSpinBox *nearBox() const { return nearDist; }
    QDoubleSpinBox *farBox() const { return farDist; }
    QCheckBox *farInfinityBox() const { return farInfinity; }
    QComboBox *unitBox() const { return units; }
    // Says when the typed camera matches none; hidden otherwise.
    QLabel *cameraProblemLabel() const { return cameraProblem; }

signals:
    void changed();
    void unitChanged(PlannerText::Unit unit);

private:
    void cameraChosen();
    void showCameraProblem(const QString &typed);
    void unitChosen();
    void retitleUnits();
    void nearTyped(double value);
    void farTyped(double value);
    void showDistances();

    CameraBox *camera;
    QDoubleSpinBox *focal;
    QDoubleSpinBox *coc;
    QDoubleSpinBox *nearDist;
    QDoubleSpinBox *farDist;
    QCheckBox *farInfinity;
    QComboBox *units;
    QLabel *cameraProblem;
    PlannerText::Unit shownUnit = PlannerText::Unit::Metres;
    // The distances themselves in mm: the boxes show them rounded to their
    // decimals, and a change of unit shows them anew rather than reading
    // the rounded figures back.
    double nearMm = 2000;
    double farMm = 10000;
};

#endif // COMMONINPUTS_H
