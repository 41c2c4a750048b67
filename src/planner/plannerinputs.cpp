#include "plannerinputs.h"

#include <QCoreApplication>

#include <cmath>

QString PlannerInputs::problem() const
{
    if (!(flength > 0) || !(coc > 0))
        return QCoreApplication::translate(
            "PlannerInputs", "Focal length and circle of confusion must be greater than zero.");
    if (!(nearDist > flength))
        return QCoreApplication::translate("PlannerInputs",
                                           "The near distance must lie beyond the focal length.");
    if (!(farDist > nearDist))
        return QCoreApplication::translate("PlannerInputs",
                                           "The far distance must lie beyond the near distance.");
    return QString();
}
