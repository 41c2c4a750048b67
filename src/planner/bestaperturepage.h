#ifndef BESTAPERTUREPAGE_H
#define BESTAPERTUREPAGE_H

#include "plannerinputs.h"
#include "planning/focusplanner.h"

#include <QWidget>

class ChartView;
class QLabel;
class QLineEdit;

// Where to focus and which f-number renders the whole range as sharp as
// possible, the f-numbers that keep it within the CoC, and the worst blur at
// every third stop as a chart.
class BestAperturePage : public QWidget
{
    Q_OBJECT

public:
    explicit BestAperturePage(QWidget *parent = nullptr);

    void recompute(const PlannerInputs &inputs);
    const FocusPlanner::OptimumPlan &plan() const { return current; }

    // Why nothing is sharp at any f-number, and what would make it so.
    static QString nothingSharp(const FocusPlanner::OptimumPlan &plan, const PlannerInputs &inputs);

    QLineEdit *focusField() const { return focus; }
    QLineEdit *bestField() const { return best; }
    QLineEdit *sharpField() const { return sharp; }
    ChartView *chart() const { return chartView; }
    QLabel *problemLabel() const { return problem; }

private:
    FocusPlanner::OptimumPlan current;
    QLineEdit *focus;
    QLineEdit *best;
    QLineEdit *sharp;
    QLabel *problem;
    ChartView *chartView;
};

#endif // BESTAPERTUREPAGE_H
