// Framing: "Lock magnification" holds a camera's subject at the same size
// while its focal length changes, and File > "Same framing as camera 1"
// focuses camera 2 so that it frames what camera 1 frames at the subject.
// The arithmetic lives in Framing; these only move values between it and
// the controls.

#include "app/mainwin.h"
#include "planning/framing.h"
#include "presets/cocpresets.h"

#include <QStatusBar>

#include <cmath>
#include <limits>

namespace
{

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

mainWin::LockPause::LockPause(mainWin *window) : window(window)
{
    ++window->lockPaused;
}

mainWin::LockPause::~LockPause()
{
    if (--window->lockPaused == 0) {
        window->rebaseLock(0);
        window->rebaseLock(1);
    }
}

void mainWin::setUpLocks()
{
    for (int i = 0; i < 2; ++i) {
        cocSensorDiagonal[i] = cocBySensor[i] = NaN;
        const Camera cam = camera(i);
        // After run()'s own connection: run() has seen the new focal length
        // when the lock moves the focus, which runs it once more.
        connect(cam.lock, &QCheckBox::toggled, this, [this, i] { rebaseLock(i); });
        connect(cam.fdist, &QDoubleSpinBox::valueChanged, this, [this, i] {
            if (!lockMoving[i])
                rebaseLock(i);
        });
        connect(cam.flength, &QDoubleSpinBox::valueChanged, this,
                [this, i] { holdMagnification(i); });
    }

    actionSame_framing = new QAction(this);
    actionSame_framing->setObjectName(QStringLiteral("actionSame_framing"));
    actionSame_framing->setText(tr("Same framing as camera 1"));
    menuFile->insertAction(actionQuit, actionSame_framing);
    connect(actionSame_framing, &QAction::triggered, this, &mainWin::sameFraming);
}

void mainWin::rebaseLock(int index)
{
    const Camera cam = camera(index);
    const double flength = cam.flength->value();
    // (s - F) / F, the inverse of the magnification; NaN for a focus at or
    // inside the focal length, which has no magnification to hold.
    const double s = cam.fdist->value() * 1000;
    lockBase[index] = s > flength && flength > 0 ? (s - flength) / flength : NaN;
}

void mainWin::holdMagnification(int index)
{
    const Camera cam = camera(index);
    if (!cam.lock->isChecked() || lockPaused > 0 || std::isnan(lockBase[index]))
        return;
    const double flength = cam.flength->value();
    const double wanted = flength * (1.0 + lockBase[index]) / 1000;
    lockMoving[index] = true;
    cam.fdist->setValue(wanted);
    lockMoving[index] = false;

    const double held = cam.fdist->value();
    const double halfStep = 0.5 * std::pow(10.0, -cam.fdist->decimals());
    if (std::fabs(held - wanted) > halfStep * (1 + 1e-9) || !(held * 1000 > flength))
        statusbar->showMessage(
            tr("Camera %1: holding the magnification needs a focus of %2 m; it stops at %3 m.")
                .arg(index + 1)
                .arg(QString::number(wanted, 'f', 4), QString::number(held, 'f', 2)));
}

void mainWin::rememberCocSensor(const Camera &cam, double diagonal, double coc)
{
    const int index = cam.lens == &c1_lens ? 0 : 1;
    if (!std::isfinite(coc) || !(coc > 0) || !std::isfinite(diagonal)) {
        cocSensorDiagonal[index] = cocBySensor[index] = NaN;
        return;
    }
    cocSensorDiagonal[index] = diagonal;
    cocBySensor[index] = cam.coc->value();
}

double mainWin::frameSize(int index)
{
    const Camera cam = camera(index);
    const double coc = cam.coc->value();
    // The sensor counts only while the CoC is still the one its "Set"
    // wrote; a CoC typed, copied or loaded since says nothing about it.
    if (coc == cocBySensor[index])
        return cocSensorDiagonal[index];
    return coc * CocPresets::FullFrameDiagonal /
           CocPresets::cocFromCropFactor(CocPresets::FullFrameDiagonal);
}

void mainWin::sameFraming()
{
    const Camera cam1 = camera(0);
    const Camera cam2 = camera(1);
    const double flength1 = cam1.flength->value();
    const double focus1 = cam1.fdist->value() * 1000;
    const double size1 = frameSize(0);
    const double size2 = frameSize(1);
    // Camera 1's field at the subject, in units of its own frame width;
    // camera 2 covers the same field with its frame width.
    const double field = size1 * (focus1 - flength1) / flength1;
    const double focus2 = Framing::focusForField(cam2.flength->value(), size2, field);
    if (!(focus1 > flength1) || !std::isfinite(focus2)) {
        statusbar->showMessage(tr("Camera 1 must focus beyond its focal length to have a "
                                  "framing to match."));
        return;
    }
    const double wanted = focus2 / 1000;
    cam2.fdist->setValue(wanted);
    const double held = cam2.fdist->value();
    if (std::fabs(held - wanted) > 0.5 * std::pow(10.0, -cam2.fdist->decimals()) * (1 + 1e-9))
        statusbar->showMessage(
            tr("Camera 2 needs a focus of %1 m for the same framing; it "
               "stops at %2 m.")
                .arg(QString::number(wanted, 'f', 4), QString::number(held, 'f', 2)));
    else
        statusbar->showMessage(tr("Camera 2 focused at %1 m: the same framing as camera 1.")
                                   .arg(QString::number(held, 'f', 2)));
}
