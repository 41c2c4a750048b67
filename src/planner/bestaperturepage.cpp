#include "bestaperturepage.h"

#include "chartview.h"
#include "plannercharts.h"
#include "plannerfields.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

BestAperturePage::BestAperturePage(QWidget *parent)
    : QWidget(parent), focus(PlannerFields::result()), best(PlannerFields::result()),
      sharp(PlannerFields::result()), problem(new QLabel), chartView(new ChartView)
{
    auto *form = new QFormLayout;
    PlannerFields::addRow(form, tr("Focus &distance"), tr("Focus distance"), focus);
    PlannerFields::addRow(form, tr("Best ape&rture"), tr("Best aperture"), best);
    PlannerFields::addRow(form, tr("Sharp a&pertures"), tr("Sharp apertures"), sharp);
    problem->setWordWrap(true);
    problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chartView->setAccessibleName(tr("Worst blur chart"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addWidget(chartView, 1);
}

QString BestAperturePage::nothingSharp(const FocusPlanner::OptimumPlan &plan,
                                       const PlannerInputs &inputs)
{
    // Two significant digits are enough to act on, rounded so that the
    // advice works: the CoC up, the far distance down, the near one up.
    // A far distance rounded down onto the near one would be no range:
    // then a digit more, or the near distance instead.
    const QString coc = PlannerText::upward(plan.smallestCoc, 2);
    const double far = PlannerText::toUnit(plan.farthestFar, inputs.unit);
    const double nearDist = PlannerText::toUnit(inputs.nearDist, inputs.unit);
    for (const int digits : {2, 3, 4}) {
        if (!std::isfinite(far) || !(FocusPlanner::rounded(far, digits, false) > nearDist))
            continue;
        return tr("Nothing is sharp at any f-number: a CoC of at least %1 mm or a far distance "
                  "of %2 would do")
            .arg(coc, PlannerText::downward(far, digits) + QLatin1Char(' ') +
                          PlannerText::unitSymbol(inputs.unit));
    }
    return tr("Nothing is sharp at any f-number: a CoC of at least %1 mm or a near distance "
              "of %2 would do")
        .arg(coc, PlannerText::upward(PlannerText::toUnit(plan.nearestNear, inputs.unit), 2) +
                      QLatin1Char(' ') + PlannerText::unitSymbol(inputs.unit));
}

void BestAperturePage::recompute(const PlannerInputs &inputs)
{
    QString why = inputs.problem();
    current = why.isEmpty() ? FocusPlanner::optimum(inputs.flength, inputs.nearDist, inputs.farDist,
                                                    inputs.coc)
                            : FocusPlanner::OptimumPlan();
    if (why.isEmpty() && !current.valid)
        why = tr("The near and far distances are too close together, or too extreme, to tell "
                 "apart at this focal length.");
    if (!why.isEmpty()) {
        for (QLineEdit *line : {focus, best, sharp})
            line->setText(tr("none"));
        problem->setText(why);
        problem->setVisible(true);
        chartView->setChart(
            [why](QPainter &painter, const QSize &size) {
                PlannerCharts::drawMessage(painter, size, why);
            },
            why);
        return;
    }

    focus->setText(PlannerText::distance(current.focus, inputs.unit));
    // The working f-number is what diffraction sees at the focus's scale.
    best->setText(tr("%1 (working %2 at %3), worst blur %4 CoC")
                      .arg(PlannerText::fNumber(current.bestFNumber),
                           PlannerText::fNumber(current.bestFNumber * current.workingFactor),
                           PlannerText::ratio(current.magnification),
                           PlannerText::upward(current.bestBlur)));
    if (current.hasSharpRange) {
        sharp->setText(tr("%1 to %2")
                           .arg(QStringLiteral("f/") + PlannerText::upward(current.sharpFrom),
                                QStringLiteral("f/") + PlannerText::downward(current.sharpTo)));
    } else {
        // The field itself says why, where a screen reader reads the result.
        sharp->setText(nothingSharp(current, inputs));
    }
    problem->clear();
    problem->setVisible(false);
    sharp->setCursorPosition(0);
    const FocusPlanner::OptimumPlan plan = current;
    chartView->setChart(
        [plan](QPainter &painter, const QSize &size) {
            PlannerCharts::drawBlur(painter, size, plan);
        },
        PlannerCharts::describeBlur(plan),
        [plan](const QSize &size) { return PlannerCharts::blurPoints(size, plan); });
}
