#include "commoninputs.h"

#include "plannerfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

using PlannerFields::labelFor;
using PlannerFields::number;

constexpr double MaxDistanceMetres = 100000.0;

// The settings keys of the inputs, distances in mm whatever the unit.
const char CameraKey[] = "camera";
const char FocalKey[] = "focalLength";
const char CocKey[] = "coc";
const char NearKey[] = "nearMm";
const char FarKey[] = "farMm";
const char InfinityKey[] = "farInfinity";

// A tenth of a millimetre in either unit: 4 decimals of a metre, 3 of a foot.
int distanceDecimals(PlannerText::Unit unit)
{
    return unit == PlannerText::Unit::Feet ? 3 : 4;
}

} // namespace

CommonInputs::CommonInputs(QWidget *parent)
    : QWidget(parent), camera(new CameraBox), focal(number(1, 5000, 35, 1, tr(" mm"))),
      coc(number(0.0001, 10, 0.03, 4, tr(" mm"))),
      nearDist(number(0.0001, MaxDistanceMetres, 2, 4, QString())),
      farDist(number(0.0001, MaxDistanceMetres, 10, 4, QString())),
      farInfinity(new QCheckBox(tr("Far at &infinity"))), units(new QComboBox),
      cameraProblem(new QLabel)
{
    camera->setCurrentIndex(CameraList::defaultIndex());
    coc->setValue(camera->camera().coc());

    units->addItem(tr("Metres"));
    units->addItem(tr("Feet"));
    farInfinity->setAccessibleName(tr("Far at infinity"));

    // Two pairs of label and field to a row, so that the row fits half a
    // screen in the longer German words too.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(labelFor(camera, tr("&Camera"), tr("Camera")), 0, 0);
    grid->addWidget(camera, 0, 1, 1, 3);
    auto *unitRow = new QHBoxLayout;
    unitRow->addStretch();
    unitRow->addWidget(labelFor(units, tr("&Units"), tr("Units")));
    unitRow->addWidget(units);
    grid->addLayout(unitRow, 0, 4);
    grid->addWidget(labelFor(focal, tr("F&ocal length"), tr("Focal length")), 1, 0);
    grid->addWidget(focal, 1, 1);
    grid->addWidget(labelFor(coc, tr("Circ&le of confusion"), tr("Circle of confusion")), 1, 2);
    grid->addWidget(coc, 1, 3);
    grid->addWidget(labelFor(nearDist, tr("&Near distance"), tr("Near distance")), 2, 0);
    grid->addWidget(nearDist, 2, 1);
    grid->addWidget(labelFor(farDist, tr("F&ar distance"), tr("Far distance")), 2, 2);
    grid->addWidget(farDist, 2, 3);
    grid->addWidget(farInfinity, 2, 4);
    cameraProblem->setWordWrap(true);
    cameraProblem->setAccessibleName(tr("Camera problem"));
    cameraProblem->hide();
    grid->addWidget(cameraProblem, 3, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    PlannerFields::setTip(camera, tr("The camera or sensor format: type part of its name to find "
                                     "it. Choosing one sets the circle of confusion by its crop "
                                     "factor."));
    PlannerFields::setTip(focal, tr("The lens's focal length, as set on a zoom."));
    PlannerFields::setTip(coc, tr("The largest blur disc on the sensor that still counts as "
                                  "sharp; the camera sets it, and it can be typed."));
    farInfinity->setToolTip(tr("The range reaches to infinity: the far distance is not used."));
    PlannerFields::setTip(units, tr("The unit of all distances, metres or feet; the planner "
                                    "remembers it."));
    retitleUnits();

    connect(camera, &QComboBox::currentIndexChanged, this, &CommonInputs::cameraChosen);
    connect(camera, &CameraBox::unknownTyped, this, &CommonInputs::showCameraProblem);
    connect(units, &QComboBox::currentIndexChanged, this, &CommonInputs::unitChosen);
    for (QDoubleSpinBox *box : {focal, coc})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CommonInputs::changed);
    connect(nearDist, &QDoubleSpinBox::valueChanged, this, &CommonInputs::nearTyped);
    connect(farDist, &QDoubleSpinBox::valueChanged, this, &CommonInputs::farTyped);
    connect(farInfinity, &QCheckBox::toggled, farDist, &QWidget::setDisabled);
    connect(farInfinity, &QCheckBox::toggled, this, &CommonInputs::changed);
}

PlannerInputs CommonInputs::values() const
{
    PlannerInputs in;
    const CameraEntry chosen = camera->camera();
    in.camera = chosen.name;
    in.diagonal = chosen.diagonal;
    in.aspect = chosen.aspect;
    in.flength = focal->value();
    in.coc = coc->value();
    in.unit = shownUnit;
    in.nearDist = nearMm;
    in.farDist = farInfinity->isChecked() ? std::numeric_limits<double>::infinity() : farMm;
    return in;
}

PlannerText::Unit CommonInputs::unit() const
{
    return shownUnit;
}

void CommonInputs::setUnit(PlannerText::Unit unit)
{
    units->setCurrentIndex(unit == PlannerText::Unit::Feet ? 1 : 0);
}

bool CommonInputs::setCamera(const QString &name)
{
    const int index = camera->indexOfName(name);
    if (index >= 0)
        camera->setCurrentIndex(index);
    return index >= 0;
}

void CommonInputs::saveTo(QSettings &settings) const
{
    settings.setValue(QLatin1String(CameraKey), camera->camera().name);
    settings.setValue(QLatin1String(FocalKey), focal->value());
    settings.setValue(QLatin1String(CocKey), coc->value());
    settings.setValue(QLatin1String(NearKey), nearMm);
    settings.setValue(QLatin1String(FarKey), farMm);
    settings.setValue(QLatin1String(InfinityKey), farInfinity->isChecked());
}

void CommonInputs::restoreFrom(const QSettings &settings)
{
    // The camera first: choosing it refills the CoC.
    setCamera(settings.value(QLatin1String(CameraKey)).toString());
    PlannerFields::restore(focal, settings, QLatin1String(FocalKey));
    PlannerFields::restore(coc, settings, QLatin1String(CocKey));
    const double maxMm = MaxDistanceMetres * 1000;
    const auto inRange = [maxMm](double d) { return d >= 0.1 && d <= maxMm; };
    const double nearStored = PlannerFields::stored(settings, QLatin1String(NearKey));
    const double farStored = PlannerFields::stored(settings, QLatin1String(FarKey));
    const bool infinite = settings.value(QLatin1String(InfinityKey)).toBool();
    const double nearNew = inRange(nearStored) ? nearStored : nearMm;
    const double farNew = inRange(farStored) ? farStored : farMm;
    setRange(nearNew, farNew);
    if (infinite) {
        // The far distance stays in its box for when infinity is unchecked.
        setRange(nearNew, std::numeric_limits<double>::infinity());
    }
}

void CommonInputs::setFocalLength(double mm)
{
    focal->setValue(mm);
}

void CommonInputs::setCoc(double mm)
{
    coc->setValue(mm);
}

void CommonInputs::setRange(double nearMm, double farMm)
{
    const QSignalBlocker blockNear(nearDist);
    const QSignalBlocker blockFar(farDist);
    const QSignalBlocker blockInfinity(farInfinity);
    nearDist->setValue(PlannerText::toUnit(nearMm, shownUnit));
    this->nearMm = nearMm;
    const bool infinite = !std::isfinite(farMm);
    farInfinity->setChecked(infinite);
    farDist->setDisabled(infinite);
    if (!infinite) {
        farDist->setValue(PlannerText::toUnit(farMm, shownUnit));
        this->farMm = farMm;
    }
    emit changed();
}

void CommonInputs::setNear(double mm)
{
    if (!(mm > 0) || !std::isfinite(mm))
        return;
    {
        const QSignalBlocker block(nearDist);
        nearDist->setValue(PlannerText::toUnit(mm, shownUnit));
    }
    // Held as asked unless the box had to clamp it.
    nearMm = PlannerText::toUnit(mm, shownUnit) <= nearDist->maximum()
                 ? std::max(mm, PlannerText::fromUnit(nearDist->minimum(), shownUnit))
                 : PlannerText::fromUnit(nearDist->value(), shownUnit);
    emit changed();
}

void CommonInputs::nearTyped(double value)
{
    nearMm = PlannerText::fromUnit(value, shownUnit);
    emit changed();
}

void CommonInputs::farTyped(double value)
{
    farMm = PlannerText::fromUnit(value, shownUnit);
    emit changed();
}

void CommonInputs::cameraChosen()
{
    const CameraEntry chosen = camera->camera();
    const double before = coc->value();
    if (chosen.diagonal > 0)
        coc->setValue(chosen.coc());
    // A camera of the same CoC changes the frame all the same.
    if (coc->value() == before)
        emit changed();
}

void CommonInputs::showCameraProblem(const QString &typed)
{
    cameraProblem->setText(
        typed.isEmpty() ? QString()
                        : tr("No camera matches \"%1\"; the camera stays %2 and the CoC %3.")
                              .arg(typed, camera->itemText(camera->currentIndex()), coc->text()));
    cameraProblem->setVisible(!typed.isEmpty());
}

void CommonInputs::unitChosen()
{
    const PlannerText::Unit chosen =
        units->currentIndex() == 1 ? PlannerText::Unit::Feet : PlannerText::Unit::Metres;
    if (chosen == shownUnit)
        return;
    // The distances stay where they are; only their figures change.
    shownUnit = chosen;
    retitleUnits();
    showDistances();
    emit unitChanged(shownUnit);
    emit changed();
}

void CommonInputs::retitleUnits()
{
    const QString suffix = QLatin1Char(' ') + PlannerText::unitSymbol(shownUnit);
    const double max = PlannerText::toUnit(MaxDistanceMetres * 1000, shownUnit);
    for (QDoubleSpinBox *box : {nearDist, farDist}) {
        const QSignalBlocker block(box);
        box->setSuffix(suffix);
        box->setDecimals(distanceDecimals(shownUnit));
        box->setMinimum(std::pow(10.0, -distanceDecimals(shownUnit)));
        box->setMaximum(max);
    }
    PlannerFields::setTip(nearDist, tr("The nearest distance that must be sharp, measured from "
                                       "the lens."));
    PlannerFields::setTip(farDist, tr("The farthest distance that must be sharp, measured from "
                                      "the lens."));
}

void CommonInputs::showDistances()
{
    const QSignalBlocker blockNear(nearDist);
    const QSignalBlocker blockFar(farDist);
    nearDist->setValue(PlannerText::toUnit(nearMm, shownUnit));
    farDist->setValue(PlannerText::toUnit(farMm, shownUnit));
}
