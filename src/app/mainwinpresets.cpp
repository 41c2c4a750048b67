// The sensor tables and the CoC and hyperfocal setters of the main window.
// Each setter only writes a spin box; the box's own connection recomputes.

#include "app/mainwin.h"
#include "presets/cocpresets.h"

#include <cmath>

double mainWin::getDiag(int index)
{
    return CocPresets::sensorDiagonal(index);
}

double mainWin::getMPixel(int index)
{
    return CocPresets::pixelCount(index);
}

double mainWin::getEqScale(int i)
{
    const Camera cam = camera(i == 0 ? 0 : 1);
    return CocPresets::equivalentScale(cam.lens->scale(), getDiag(cam.crop->currentIndex()));
}

void mainWin::setC1CocPS()
{
    setCocByPixelSize(camera(0));
}

void mainWin::setC2CocPS()
{
    setCocByPixelSize(camera(1));
}

void mainWin::setC1CocCF()
{
    setCocByCropFactor(camera(0));
}

void mainWin::setC2CocCF()
{
    setCocByCropFactor(camera(1));
}

void mainWin::setC1CocVD()
{
    setCocByViewDistance(camera(0));
}

void mainWin::setC2CocVD()
{
    setCocByViewDistance(camera(1));
}

void mainWin::setC1Hyper()
{
    setHyper(camera(0));
}

void mainWin::setC2Hyper()
{
    setHyper(camera(1));
}

void mainWin::setCocByPixelSize(const Camera &cam)
{
    const double coc = CocPresets::cocFromPixelSize(getDiag(cam.crop->currentIndex()),
                                                    getMPixel(cam.quality->currentIndex()));
    applyCoc(cam, coc, tr("Unknown sensor format"));
    rememberCocSensor(cam, getDiag(cam.crop->currentIndex()), coc);
}

void mainWin::setCocByCropFactor(const Camera &cam)
{
    const double coc = CocPresets::cocFromCropFactor(getDiag(cam.cropC->currentIndex()));
    applyCoc(cam, coc, tr("Unknown sensor format"));
    rememberCocSensor(cam, getDiag(cam.cropC->currentIndex()), coc);
}

void mainWin::setCocByViewDistance(const Camera &cam)
{
    const double width = cam.widthD->value();
    const double distance = cam.distD->value();
    const double coc = CocPresets::cocFromViewDistance(distance, width, cam.formD->currentIndex());
    QString whyNot;
    if (!(width > 0))
        whyNot = tr("Image width must be greater than 0");
    else if (!(distance > 0))
        whyNot = tr("View distance must be greater than 0");
    else
        whyNot = tr("Unknown form factor");
    applyCoc(cam, coc, whyNot);
}

void mainWin::applyCoc(const Camera &cam, double coc, const QString &whyNot)
{
    // A CoC that is not a finite positive number would be clamped into the
    // box as a meaningless value: keep the old one and say why instead.
    if (!std::isfinite(coc) || !(coc > 0)) {
        statusbar->showMessage(whyNot);
        return;
    }
    statusbar->clearMessage();
    cam.coc->setValue(coc);
}

void mainWin::setHyper(const Camera &cam)
{
    const double h = cam.lens->hyperfocal(cam.calcDef->isChecked());
    if (!LensModel::hasHyperfocal(h))
        return;
    cam.fdist->setValue(h / 1000);
}
