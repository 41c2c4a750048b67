#ifndef SAMEPICTUREPAGE_H
#define SAMEPICTUREPAGE_H

#include "camerabox.h"
#include "plannerinputs.h"
#include "planning/equivalence.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

// The same picture from a second camera: the focal length, f-number and
// CoC that give the first camera's field of view and depth of field on the
// second camera's sensor, and both cameras' sharp zones at the best focus
// for the range.
class SamePicturePage : public QWidget
{
    Q_OBJECT

public:
    explicit SamePicturePage(QWidget *parent = nullptr);

    // focus is where both cameras are focused, in mm; NaN for none.
    void recompute(const PlannerInputs &inputs, double focus);
    const Equivalence &equivalence() const { return current; }

    CameraBox *secondCameraBox() const { return second; }
    QDoubleSpinBox *apertureBox() const { return aperture; }
    QLineEdit *focalField() const { return focal; }
    QLineEdit *fNumberField() const { return fNumber; }
    QLineEdit *cocField() const { return coc; }
    QLineEdit *firstZoneField() const { return firstZone; }
    QLineEdit *secondZoneField() const { return secondZone; }

signals:
    void changed();

private:
    Equivalence current;
    CameraBox *second;
    QDoubleSpinBox *aperture;
    QLineEdit *focal;
    QLineEdit *fNumber;
    QLineEdit *coc;
    QLineEdit *firstZone;
    QLineEdit *secondZone;
    QLabel *problem;
};

#endif // SAMEPICTUREPAGE_H
