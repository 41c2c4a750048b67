#include "samepicturepage.h"

#include "chartview.h"
#include "plannercharts.h"
#include "plannerfields.h"
#include "planning/doffigures.h"
#include "planning/framing.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>

namespace
{

// Enough for the background blur's axis and its title.
constexpr int ChartMinimumHeight = 240;

// Where a second camera starts: the first APS-C format, the commonest
// question being full frame against APS-C.
constexpr int DefaultSecondCamera = 5;
// A background a few metres behind the subject, as for a portrait.
constexpr double DefaultBackgroundMetres = 5;
constexpr double MaxBackgroundMetres = 100000;

} // namespace

SamePicturePage::SamePicturePage(QWidget *parent)
    : QWidget(parent), second(new CameraBox),
      aperture(PlannerFields::number(0.5, 256, 8, 1, QString())), focal(PlannerFields::result()),
      fNumber(PlannerFields::result()), coc(PlannerFields::result()),
      firstZone(PlannerFields::result()), secondZone(PlannerFields::result()), problem(new QLabel),
      framingFocal(PlannerFields::number(0, 5000, 0, 0, tr(" mm"))),
      framingAperture(PlannerFields::number(0, 256, 0, 1, QString())),
      background(PlannerFields::number(0.01, MaxBackgroundMetres, DefaultBackgroundMetres, 2,
                                       QStringLiteral(" m"))),
      chart(new ChartView)
{
    second->setCurrentIndex(DefaultSecondCamera);
    aperture->setPrefix(QStringLiteral("f/"));

    PlannerFields::setTip(second, tr("The camera that is to take the same picture as the "
                                     "first, the one chosen above."));
    PlannerFields::setTip(aperture, tr("The f-number of the first camera."));
    PlannerFields::setTip(framingFocal, tr("The second camera's focal length for the same "
                                           "framing; at 0, shown as \"equivalent\", the "
                                           "equivalent focal length."));
    PlannerFields::setTip(framingAperture, tr("The second camera's f-number for the same "
                                              "framing; at 0, shown as \"equivalent\", the "
                                              "equivalent f-number."));
    auto *form = new QFormLayout;
    PlannerFields::addRow(form, tr("Second ca&mera"), tr("Second camera"), second);
    PlannerFields::addRow(form, tr("Ape&rture of the first"), tr("Aperture"), aperture);
    PlannerFields::addRow(form, tr("Equivalent focal len&gth"), tr("Equivalent focal length"),
                          focal);
    PlannerFields::addRow(form, tr("Equivalent a&perture"), tr("Equivalent aperture"), fNumber);
    PlannerFields::addRow(form, tr("E&quivalent circle of confusion"),
                          tr("Equivalent circle of confusion"), coc);
    PlannerFields::addRow(form, tr("First camera's sharp &zone"), tr("First camera's sharp zone"),
                          firstZone);
    PlannerFields::addRow(form, tr("S&econd camera's sharp zone"), tr("Second camera's sharp zone"),
                          secondZone);
    problem->setWordWrap(true);

    framingFocal->setSpecialValueText(tr("equivalent"));
    framingAperture->setSpecialValueText(tr("equivalent"));
    framingAperture->setPrefix(QStringLiteral("f/"));
    PlannerFields::setTip(background, tr("How far the background lies behind the subject."));
    auto *framingBox = new QGroupBox(tr("Same framing"));
    auto *framingForm = new QFormLayout;
    PlannerFields::addRow(framingForm, tr("Secon&d camera's focal length"),
                          tr("Second camera's focal length"), framingFocal);
    PlannerFields::addRow(framingForm, tr("&With its f-number"), tr("Second camera's f-number"),
                          framingAperture);
    PlannerFields::addRow(framingForm, tr("Bac&kground behind the subject"),
                          tr("Background behind the subject"), background);
    auto *grid = new QGridLayout;
    const QString cameraNames[2] = {tr("First camera"), tr("Second camera")};
    const QString rowNames[5] = {tr("Focus"), tr("Field of view"), tr("Field at the subject"),
                                 tr("Depth of field"), tr("Background blur")};
    for (int c = 0; c < 2; ++c)
        grid->addWidget(new QLabel(cameraNames[c]), 0, c + 1);
    for (int r = 0; r < 5; ++r) {
        grid->addWidget(new QLabel(rowNames[r]), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            framing[c][r] = PlannerFields::result();
            // "First camera: Field of view", as a screen reader announces it.
            framing[c][r]->setAccessibleName(tr("%1: %2").arg(cameraNames[c], rowNames[r]));
            grid->addWidget(framing[c][r], r + 1, c + 1);
        }
    }
    chart->setAccessibleName(tr("Background blur chart"));
    auto *framingLayout = new QVBoxLayout(framingBox);
    framingLayout->addLayout(framingForm);
    framingLayout->addLayout(grid);
    framingLayout->addWidget(chart, 1);

    // The page is taller than the planner's other pages: it scrolls rather
    // than making the window too tall for a laptop's screen, and its chart
    // keeps a readable height.
    chart->setMinimumHeight(ChartMinimumHeight);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addWidget(framingBox, 1);
    auto *scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(second, &QComboBox::currentIndexChanged, this, &SamePicturePage::changed);
    connect(aperture, &QDoubleSpinBox::valueChanged, this, &SamePicturePage::changed);
    for (QDoubleSpinBox *box : {framingFocal, framingAperture, background})
        connect(box, &QDoubleSpinBox::valueChanged, this, &SamePicturePage::changed);
}

void SamePicturePage::saveTo(QSettings &settings) const
{
    settings.setValue(QStringLiteral("same/secondCamera"), second->camera().name);
    settings.setValue(QStringLiteral("same/aperture"), aperture->value());
    settings.setValue(QStringLiteral("same/framingFocalLength"), framingFocal->value());
    settings.setValue(QStringLiteral("same/framingAperture"), framingAperture->value());
    // In mm, whatever the unit shown.
    settings.setValue(QStringLiteral("same/backgroundMm"),
                      PlannerText::fromUnit(background->value(), backgroundUnit));
}

void SamePicturePage::restoreFrom(const QSettings &settings)
{
    const int index =
        second->indexOfName(settings.value(QStringLiteral("same/secondCamera")).toString());
    if (index >= 0)
        second->setCurrentIndex(index);
    PlannerFields::restore(aperture, settings, QStringLiteral("same/aperture"));
    PlannerFields::restore(framingFocal, settings, QStringLiteral("same/framingFocalLength"));
    PlannerFields::restore(framingAperture, settings, QStringLiteral("same/framingAperture"));
    const double mm = PlannerFields::stored(settings, QStringLiteral("same/backgroundMm"));
    const double shown = PlannerText::toUnit(mm, backgroundUnit);
    if (shown >= background->minimum() && shown <= background->maximum())
        background->setValue(shown);
}

QLineEdit *SamePicturePage::framingField(int camera, Figure figure) const
{
    return framing[camera == 0 ? 0 : 1][int(figure)];
}

void SamePicturePage::clearFraming(const QString &why)
{
    for (auto &column : framing)
        for (QLineEdit *line : column)
            line->setText(tr("none"));
    chart->setChart([why](QPainter &painter,
                          const QSize &size) { PlannerCharts::drawMessage(painter, size, why); },
                    why);
}

void SamePicturePage::recomputeFraming(const PlannerInputs &inputs, double focus)
{
    // The distance stays where it is when the unit changes; only its
    // figure does.
    if (inputs.unit != backgroundUnit) {
        const double mm = PlannerText::fromUnit(background->value(), backgroundUnit);
        backgroundUnit = inputs.unit;
        const QSignalBlocker block(background);
        background->setSuffix(QLatin1Char(' ') + PlannerText::unitSymbol(backgroundUnit));
        background->setMaximum(PlannerText::toUnit(MaxBackgroundMetres * 1000, backgroundUnit));
        background->setValue(PlannerText::toUnit(mm, backgroundUnit));
        PlannerFields::renewTip(background);
    }
    if (!current.valid || !(std::isfinite(focus) && focus > inputs.flength)) {
        clearFraming(tr("No chart: the same framing needs both cameras and a focus that can be "
                        "planned."));
        return;
    }
    const Framing::Frame frames[2] = {
        Framing::frameOf(inputs.diagonal, inputs.aspect),
        Framing::frameOf(second->camera().diagonal, second->camera().aspect)};
    const double flengths[2] = {inputs.flength, framingFocal->value() > 0 ? framingFocal->value()
                                                                          : current.flength};
    const double fNumbers[2] = {aperture->value(), framingAperture->value() > 0
                                                       ? framingAperture->value()
                                                       : current.fNumber};
    const double cocs[2] = {inputs.coc, current.coc};
    // The second camera frames the first camera's field width at the
    // subject.
    const Framing::Figures firstFigures = Framing::compute(flengths[0], focus, frames[0]);
    const double focuses[2] = {
        focus, Framing::focusForField(flengths[1], frames[1].width, firstFigures.fieldWidth)};
    const double behind = PlannerText::fromUnit(background->value(), backgroundUnit);
    if (!frames[0].valid() || !frames[1].valid() || !std::isfinite(focuses[1])) {
        clearFraming(tr("No chart: the same framing needs both cameras and a focus that can be "
                        "planned."));
        return;
    }
    PlannerCharts::BlurCamera cameras[2];
    for (int c = 0; c < 2; ++c) {
        const Framing::Figures f = Framing::compute(flengths[c], focuses[c], frames[c]);
        const DofFigures dof =
            DofFigures::limits(flengths[c], fNumbers[c], focuses[c], cocs[c], false);
        cameras[c] = {flengths[c], fNumbers[c], focuses[c], frames[c].width};
        const double blur =
            Framing::backgroundBlur(flengths[c], fNumbers[c], focuses[c], focuses[c] + behind);
        QLineEdit *const *fields = framing[c];
        fields[int(Figure::Focus)]->setText(tr("%1 at %2 mm %3")
                                                .arg(PlannerText::distance(focuses[c], inputs.unit),
                                                     PlannerText::number(flengths[c], 4),
                                                     PlannerText::fNumber(fNumbers[c])));
        fields[int(Figure::FieldOfView)]->setText(tr("%1° × %2° (%3° diagonal)")
                                                      .arg(PlannerText::number(f.horizontalDeg, 3),
                                                           PlannerText::number(f.verticalDeg, 3),
                                                           PlannerText::number(f.diagonalDeg, 3)));
        fields[int(Figure::Field)]->setText(
            tr("%1 × %2").arg(PlannerText::distance(f.fieldWidth, inputs.unit, 3),
                              PlannerText::distance(f.fieldHeight, inputs.unit, 3)));
        fields[int(Figure::DepthOfField)]->setText(
            tr("%1 to %2")
                .arg(PlannerText::distance(dof.nearLimit, inputs.unit),
                     PlannerText::distance(dof.farLimit, inputs.unit)));
        fields[int(Figure::BackgroundBlur)]->setText(
            tr("%1 mm, %2 % of the frame width")
                .arg(PlannerText::number(blur, 3),
                     PlannerText::number(100 * blur / frames[c].width, 3)));
        for (QLineEdit *const line : framing[c])
            line->setCursorPosition(0);
    }
    const PlannerCharts::BlurCamera first = cameras[0];
    const PlannerCharts::BlurCamera secondCamera = cameras[1];
    const PlannerText::Unit unit = inputs.unit;
    chart->setChart(
        [first, secondCamera, behind, unit](QPainter &painter, const QSize &size) {
            PlannerCharts::drawBackgroundBlur(painter, size, first, secondCamera, behind, unit);
        },
        PlannerCharts::describeBackgroundBlur(first, secondCamera, behind, unit),
        [first, secondCamera, behind, unit](const QSize &size) {
            return PlannerCharts::backgroundBlurPoints(size, first, secondCamera, behind, unit);
        });
}

void SamePicturePage::recompute(const PlannerInputs &inputs, double focus)
{
    recomputeEquivalence(inputs, focus);
    recomputeFraming(inputs, focus);
}

void SamePicturePage::recomputeEquivalence(const PlannerInputs &inputs, double focus)
{
    const double otherDiagonal = second->camera().diagonal;
    current = Equivalence::of(inputs.flength, aperture->value(), inputs.coc, inputs.diagonal,
                              otherDiagonal);
    if (!current.valid) {
        for (QLineEdit *line : {focal, fNumber, coc, firstZone, secondZone})
            line->setText(tr("none"));
        problem->setText(tr("Choose both cameras and a focal length, f-number and CoC greater "
                            "than zero."));
        return;
    }
    focal->setText(tr("%1 mm").arg(PlannerText::number(current.flength, 4)));
    fNumber->setText(PlannerText::fNumber(current.fNumber));
    coc->setText(tr("%1 mm").arg(PlannerText::number(current.coc, 3)));

    // The sharp zones at the focus of the best single exposure.
    if (!(std::isfinite(focus) && focus > inputs.flength && focus > current.flength)) {
        firstZone->setText(tr("none"));
        secondZone->setText(tr("none"));
        problem->setText(tr("The sharp zones need a range that can be planned."));
        return;
    }
    const auto zone = [&](double flength, double n, double c) {
        const DofFigures f = DofFigures::limits(flength, n, focus, c, false);
        return tr("%1 to %2")
            .arg(PlannerText::distance(f.nearLimit, inputs.unit),
                 PlannerText::distance(f.farLimit, inputs.unit));
    };
    firstZone->setText(zone(inputs.flength, aperture->value(), inputs.coc));
    secondZone->setText(zone(current.flength, current.fNumber, current.coc));
    problem->setText(tr("Both focused at %1, the best focus for the range.")
                         .arg(PlannerText::distance(focus, inputs.unit)));
}
