// What the window tells about its inputs without changing what it shows:
// tool tips, and the names and descriptions a screen reader announces.

#include "mainwin.h"

namespace
{

// A number as the box beside it writes its own: in the box's locale,
// without group separators.
QString number(const QWidget *box, double value)
{
    QLocale locale = box->locale();
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 6);
}

// The range as the box itself holds it.
QString range(const QDoubleSpinBox *box)
{
    return number(box, box->minimum()) + QStringLiteral(" … ") + number(box, box->maximum());
}

// Only a change is announced: screen readers hear every new description.
void describe(QWidget *widget, const QString &description)
{
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace

void mainWin::setUpTips()
{
    DSB_leftBorder->setToolTip(
        tr("The nearest distance the diagram shows, in metres (up to %1 m). It never comes "
           "closer than twice the longer focal length, where the blur stops meaning anything.")
            .arg(number(DSB_leftBorder, DSB_leftBorder->maximum())));
    SB_leftBorder->setToolTip(
        tr("Moves the diagram's left border in whole metres, from 1 m to 1000 m."));
    distanceCam->setToolTip(tr("The diagram's distances are measured from the camera."));
    distanceFP->setToolTip(
        tr("Distances measured from the plane of focus: not available in this version."));
    qxscale->setToolTip(
        tr("Zoom of the distance axis, %1 to %2: one pixel of the diagram spans 51 minus this "
           "many millimetres, so further right shows less distance in more detail.")
            .arg(qxscale->minimum())
            .arg(qxscale->maximum()));
    qyscale->setToolTip(tr("Height in pixels of one unit of blur, %1 to %2. The blur U is the "
                           "blur disc divided by the CoC; up to 1 counts as sharp.")
                            .arg(qyscale->minimum())
                            .arg(qyscale->maximum()));
    cpR->setToolTip(tr("Copies camera 1's focus, f-number, focal length and CoC to camera 2."));
    cpL->setToolTip(tr("Copies camera 2's focus, f-number, focal length and CoC to camera 1."));
    swpLR->setToolTip(tr("Swaps the focus, f-number, focal length and CoC of the two cameras."));
    qxscaled->setAccessibleName(tr("Distance scale value"));
    qyscaled->setAccessibleName(tr("Uz-Scale value"));

    for (int i = 0; i < 2; ++i) {
        const Camera cam = camera(i);
        const int n = i + 1;
        QPushButton *const setCropFactor = i == 0 ? c1_setCOCCF : c2_setCOCCF;
        QPushButton *const setPixelSize = i == 0 ? c1_setCOCPS : c2_setCOCPS;
        QPushButton *const setViewDistance = i == 0 ? c1_setCOCVD : c2_setCOCVD;

        cam.box->setToolTip(tr("Shows camera %1 in the diagram. Unchecked, the camera is left "
                               "out and its inputs are off.")
                                .arg(n));
        cam.fdist->setToolTip(tr("Focus distance of camera %1, in metres from the camera "
                                 "(%2 m, in steps of 0.01 m).")
                                  .arg(n)
                                  .arg(range(cam.fdist)));
        cam.apature->setToolTip(tr("F-number N of camera %1 as marked on the lens (f/%2). A "
                                   "larger number gives more depth of field and more "
                                   "diffraction blur.")
                                    .arg(n)
                                    .arg(range(cam.apature)));
        cam.flength->setToolTip(tr("Focal length F of camera %1, in millimetres (%2 mm). The "
                                   "hyperfocal distance F² / (N c) grows with its square.")
                                    .arg(n)
                                    .arg(range(cam.flength)));
        cam.coc->setToolTip(tr("Circle of confusion c of camera %1, in millimetres (%2 mm): the "
                               "largest blur disc that still counts as sharp (U ≤ 1). Type it "
                               "in, or set it with the panel below.")
                                .arg(n)
                                .arg(range(cam.coc)));
        cam.setHyper->setToolTip(
            tr("Focuses camera %1 at its hyperfocal distance F² / (N c), or with diffraction at "
               "the nearest focus that keeps 10 km sharp: from about half of it to infinity "
               "everything is then sharp.")
                .arg(n));
        cam.calcDef->setToolTip(
            tr("Counts camera %1's diffraction disc, 0.001342 mm per unit of f-number (2.44 "
               "times 550 nm), with the blur: the limits and the hyperfocal distance are then "
               "searched numerically.")
                .arg(n));
        cam.lock->setToolTip(tr("While ticked, a new focal length moves camera %1's focus so "
                                "that the magnification, (s - F) / F, stays as it was.")
                                 .arg(n));
        cam.cocSet->setToolTip(tr("How camera %1's CoC is found: by crop factor, by pixel size or "
                                  "by view distance. The panel below changes with it; its Set "
                                  "button writes the CoC.")
                                   .arg(n));
        cam.cropC->setToolTip(tr("Sensor format of camera %1. The crop-factor rule takes twice "
                                 "the pixel pitch of a 3:2 image of 4.17 million pixels on it.")
                                  .arg(n));
        setCropFactor->setToolTip(
            tr("Sets camera %1's CoC from the sensor format by the crop-factor rule.").arg(n));
        cam.crop->setToolTip(tr("Sensor format of camera %1, for the pixel-size rule.").arg(n));
        cam.quality->setToolTip(tr("Pixel count of camera %1's sensor, in millions (Standard: "
                                   "4.17). The CoC is twice the pixel pitch along the diagonal.")
                                    .arg(n));
        setPixelSize->setToolTip(
            tr("Sets camera %1's CoC to twice the pixel pitch of that sensor and pixel count.")
                .arg(n));
        cam.distD->setToolTip(tr("Distance from which camera %1's picture is viewed (%2), in the "
                                 "unit of the image width. A farther view allows a larger CoC.")
                                  .arg(n)
                                  .arg(range(cam.distD)));
        cam.formD->setToolTip(
            tr("Shape of camera %1's picture, 3:2 or 4:3: it gives the diagonal from the width.")
                .arg(n));
        cam.widthD->setToolTip(tr("Width of camera %1's picture as viewed (%2), in the unit of "
                                  "the view distance. A larger picture needs a smaller CoC.")
                                   .arg(n)
                                   .arg(range(cam.widthD)));
        setViewDistance->setToolTip(tr("Sets camera %1's CoC for a full-frame picture of that "
                                       "width seen from that distance.")
                                        .arg(n));

        // Both cameras' fields carry the same labels; the names tell them
        // apart. A combo box is announced by its choice on some desktops,
        // so its description names it too.
        const struct {
            QWidget *widget;
            QString name;
        } names[] = {
            {cam.fdist, tr("Camera %1 focus distance")},
            {cam.apature, tr("Camera %1 f-number")},
            {cam.flength, tr("Camera %1 focal length")},
            {cam.coc, tr("Camera %1 circle of confusion")},
            {cam.setHyper, tr("Camera %1 set to hyperfocal")},
            {cam.calcDef, tr("Camera %1 calc with diffraction")},
            {cam.lock, tr("Camera %1 lock magnification")},
            {cam.cocSet, tr("Camera %1 CoC method")},
            {cam.cropC, tr("Camera %1 sensor format for the crop factor")},
            {setCropFactor, tr("Camera %1 set CoC by crop factor")},
            {cam.crop, tr("Camera %1 sensor format")},
            {cam.quality, tr("Camera %1 pixel count")},
            {setPixelSize, tr("Camera %1 set CoC by pixel size")},
            {cam.distD, tr("Camera %1 view distance")},
            {cam.formD, tr("Camera %1 picture shape")},
            {cam.widthD, tr("Camera %1 image width")},
            {setViewDistance, tr("Camera %1 set CoC by view distance")},
        };
        for (const auto &entry : names) {
            const QString name = entry.name.arg(n);
            entry.widget->setAccessibleName(name);
            if (qobject_cast<QComboBox *>(entry.widget) != nullptr)
                entry.widget->setAccessibleDescription(name);
        }
    }
}

void mainWin::describeResults()
{
    for (int i = 0; i < 2; ++i) {
        const Camera cam = camera(i);
        // The button's text holds the distance: "Set to hyperfocal (12.3m)".
        describe(cam.setHyper, tr("Camera %1: %2").arg(i + 1).arg(cam.setHyper->text()));
    }
    describe(qxscaled,
             tr("One pixel of the diagram spans %1 mm of distance.").arg(51 - qxscale->value()));
    describe(qyscaled, tr("A blur of one CoC (U = 1) is %1 pixels high.").arg(qyscale->value()));
}
