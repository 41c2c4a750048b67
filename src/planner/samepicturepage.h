#ifndef SAMEPICTUREPAGE_H
#define SAMEPICTUREPAGE_H

#include "camerabox.h"
#include "plannerinputs.h"
#include "planning/equivalence.h"

#include <QWidget>

class ChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSettings;

// The same picture from a second camera: the focal length, f-number and
// CoC that give the first camera's field of view and depth of field on the
// second camera's sensor, and both cameras' sharp zones at the best focus
// for the range. Below, the same framing with a focal length and f-number
// of one's choosing: the second camera stands where it frames the first
// camera's field at the subject, and both cameras' field of view, depth of
// field and background blur stand side by side, the blur also as a chart
// against the background's distance behind the subject.
class SamePicturePage : public QWidget
{
    Q_OBJECT

public:
    explicit SamePicturePage(QWidget *parent = nullptr);

    // focus is where both cameras are focused, in mm; NaN for none.
    void recompute(const PlannerInputs &inputs, double focus);
    const Equivalence &equivalence() const { return current; }
    // The page's inputs as the next session finds them; a value missing or
    // out of range in the settings leaves that input as it is.
    void saveTo(QSettings &settings) const;
    void restoreFrom(const QSettings &settings);

    CameraBox *secondCameraBox() const { return second; }
    QDoubleSpinBox *apertureBox() const { return aperture; }
    QLineEdit *focalField() const { return focal; }
    QLineEdit *fNumberField() const { return fNumber; }
    QLineEdit *cocField() const { return coc; }
    QLineEdit *firstZoneField() const { return firstZone; }
    QLineEdit *secondZoneField() const { return secondZone; }

    // The same framing. A focal length or f-number box at its minimum
    // (shown as "equivalent") takes the equivalent value above.
    QDoubleSpinBox *framingFocalBox() const { return framingFocal; }
    QDoubleSpinBox *framingApertureBox() const { return framingAperture; }
    // The background's distance behind the subject, in the shown unit.
    QDoubleSpinBox *backgroundBox() const { return background; }
    // Per camera (0 first, 1 second): focus, field of view, field at the
    // subject, depth of field, background blur.
    enum class Figure { Focus, FieldOfView, Field, DepthOfField, BackgroundBlur };
    QLineEdit *framingField(int camera, Figure figure) const;
    ChartView *blurChart() const { return chart; }

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
    QDoubleSpinBox *framingFocal;
    QDoubleSpinBox *framingAperture;
    QDoubleSpinBox *background;
    QLineEdit *framing[2][5];
    ChartView *chart;
    PlannerText::Unit backgroundUnit = PlannerText::Unit::Metres;

    void recomputeEquivalence(const PlannerInputs &inputs, double focus);
    void recomputeFraming(const PlannerInputs &inputs, double focus);
    void clearFraming(const QString &why);
};

#endif // SAMEPICTUREPAGE_H
