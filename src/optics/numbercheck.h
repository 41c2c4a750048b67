#ifndef NUMBERCHECK_H
#define NUMBERCHECK_H

#include <cmath>

// The two tests a length, an f-number or a ratio passes before a formula
// uses it.
namespace NumberCheck
{

// Above zero and finite: a focal length, a CoC, a frame's side.
inline bool positiveFinite(double x)
{
    return std::isfinite(x) && x > 0.0;
}

// Above zero, infinity included: a distance, which may lie at infinity.
// False for NaN.
inline bool positive(double x)
{
    return x > 0.0;
}

} // namespace NumberCheck

#endif // NUMBERCHECK_H
