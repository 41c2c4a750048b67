#include "stopspinbox.h"

#include "planning/focusplanner.h"

#include <algorithm>

namespace
{

// Stops within this fraction of a value count as that value: the box shows
// two decimals, and 1.1 is a stop as well as the text of 1.12.
constexpr double Same = 1e-6;

} // namespace

StopSpinBox::StopSpinBox(QWidget *parent) : DecimalSpinBox(parent)
{
    setPrefix(QStringLiteral("f/"));
}

void StopSpinBox::stepBy(int steps)
{
    const std::vector<double> &stops = FocusPlanner::thirdStops();
    double v = value();
    for (; steps > 0; --steps) {
        const auto next =
            std::find_if(stops.begin(), stops.end(), [v](double s) { return s > v * (1 + Same); });
        v = next != stops.end() ? *next : maximum();
    }
    for (; steps < 0; ++steps) {
        const auto below = std::find_if(stops.rbegin(), stops.rend(),
                                        [v](double s) { return s < v * (1 - Same); });
        v = below != stops.rend() ? *below : minimum();
    }
    setValue(std::clamp(v, minimum(), maximum()));
    selectAll();
}

QAbstractSpinBox::StepEnabled StopSpinBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < maximum())
        enabled |= StepUpEnabled;
    if (value() > minimum())
        enabled |= StepDownEnabled;
    return enabled;
}
