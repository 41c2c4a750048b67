#include "samepicturepage.h"

#include "plannerfields.h"
#include "planning/doffigures.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace
{

// Where a second camera starts: the first APS-C format, the commonest
// question being full frame against APS-C.
constexpr int DefaultSecondCamera = 5;

} // namespace

SamePicturePage::SamePicturePage(QWidget *parent)
    : QWidget(parent), second(new CameraBox),
      aperture(PlannerFields::number(0.5, 256, 8, 1, QString())), focal(PlannerFields::result()),
      fNumber(PlannerFields::result()), coc(PlannerFields::result()),
      firstZone(PlannerFields::result()), secondZone(PlannerFields::result()), problem(new QLabel)
{
    second->setCurrentIndex(DefaultSecondCamera);
    aperture->setPrefix(QStringLiteral("f/"));

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
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addStretch();

    connect(second, &QComboBox::currentIndexChanged, this, &SamePicturePage::changed);
    connect(aperture, &QDoubleSpinBox::valueChanged, this, &SamePicturePage::changed);
}

void SamePicturePage::recompute(const PlannerInputs &inputs, double focus)
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
