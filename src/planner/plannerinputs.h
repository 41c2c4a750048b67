#ifndef PLANNERINPUTS_H
#define PLANNERINPUTS_H

#include "plannertext.h"

#include <QString>

// What every page of the planner works from: the camera, the lens and the
// range of distances to render sharp. Lengths in mm; farDist is
// std::numeric_limits<double>::infinity() for a range out to infinity.
struct PlannerInputs {
    QString camera;
    double diagonal = 0;
    // The frame's width over its height.
    double aspect = 1.5;
    double flength = 0;
    double coc = 0;
    double nearDist = 0;
    double farDist = 0;
    PlannerText::Unit unit = PlannerText::Unit::Metres;

    // Why the range cannot be planned, for people; empty when it can.
    QString problem() const;
};

#endif // PLANNERINPUTS_H
