#ifndef FOCUSSTACKPAGE_H
#define FOCUSSTACKPAGE_H

#include "plannerinputs.h"
#include "planning/focusplanner.h"

#include <QWidget>

class ChartView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSettings;
class QTableWidget;

// The fewest frames whose sharp zones cover the range at one f-number,
// refocusing the lens for each or moving the camera on a focusing rail: the
// count, frame 1's magnification (which can be typed instead of the near
// distance) and working f-number, a table of the frames and a chart of their
// zones, with the table to copy or save as CSV in vorel-calc's columns.
class FocusStackPage : public QWidget
{
    Q_OBJECT

public:
    explicit FocusStackPage(QWidget *parent = nullptr);

    // The stack settings of this page, besides the common inputs.
    struct Settings {
        double fNumber = 8;
        // Fraction of a frame's zone that neighbours share.
        double overlap = 0.1;
        bool diffraction = false;
        double pupilMagnification = 1;
        // A focusing-rail plan rather than refocusing the lens.
        bool rail = false;
    };
    Settings settings() const;
    // The page's inputs as the next session finds them; a value missing or
    // out of range in the settings leaves that input as it is.
    void saveTo(QSettings &settings) const;
    void restoreFrom(const QSettings &settings);
    // The one place where the page asks the planning code for a stack.
    static FocusPlanner::StackPlan planFor(const PlannerInputs &inputs, const Settings &settings);

    void recompute(const PlannerInputs &inputs);
    const FocusPlanner::StackPlan &plan() const { return current; }

    // The frame table as CSV in the chosen unit, a header line first.
    QString csv() const;
    // Writes csv() to a file, replacing it only once written completely.
    bool writeCsv(const QString &fileName, QString *whyNot) const;
    void copyTable() const;

    QDoubleSpinBox *apertureBox() const { return aperture; }
    QDoubleSpinBox *overlapBox() const { return overlap; }
    QCheckBox *diffractionBox() const { return diffraction; }
    QDoubleSpinBox *pupilBox() const { return pupil; }
    QComboBox *planBox() const { return planKind; }
    QDoubleSpinBox *magnificationBox() const { return magnification; }
    QLineEdit *workingApertureField() const { return working; }
    QLineEdit *framesField() const { return frames; }
    QTableWidget *table() const { return frameTable; }
    ChartView *chart() const { return chartView; }

signals:
    void changed();
    // A magnification was typed: the near distance that makes it frame 1's.
    void nearDistanceAsked(double mm);

private:
    void askCsv();
    void magnificationTyped(double value);
    void showMagnification(double value);

    FocusPlanner::StackPlan current;
    PlannerInputs shown;
    QDoubleSpinBox *aperture;
    QDoubleSpinBox *overlap;
    QCheckBox *diffraction;
    QDoubleSpinBox *pupil;
    QComboBox *planKind;
    QDoubleSpinBox *magnification;
    QLineEdit *working;
    QLabel *measured;
    QLineEdit *frames;
    QLabel *problem;
    QTableWidget *frameTable;
    ChartView *chartView;
};

#endif // FOCUSSTACKPAGE_H
