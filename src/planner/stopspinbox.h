#ifndef STOPSPINBOX_H
#define STOPSPINBOX_H

#include "app/decimalspinbox.h"

// An f-number box whose arrows and Page keys step along the third-stop
// scale engraved on lenses (f/8, f/9, f/10, f/11 ...), while any f-number
// can still be typed. A value between stops steps to the next stop in the
// arrow's direction.
class StopSpinBox : public DecimalSpinBox
{
public:
    explicit StopSpinBox(QWidget *parent = nullptr);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};

#endif // STOPSPINBOX_H
