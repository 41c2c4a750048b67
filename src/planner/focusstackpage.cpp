#include "focusstackpage.h"

#include "chartview.h"
#include "plannercharts.h"
#include "plannerfields.h"
#include "planning/stackcsv.h"
#include "stopspinbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace
{

// A step as a macro photographer sets it: mm, or µm below a tenth of one.
QString stepText(double mm)
{
    if (std::isnan(mm))
        return QString();
    if (std::isinf(mm))
        return QCoreApplication::translate("PlannerText", "infinity");
    if (std::fabs(mm) < 0.1)
        return FocusStackPage::tr("%1 µm").arg(PlannerText::number(mm * 1000, 3));
    return FocusStackPage::tr("%1 mm").arg(PlannerText::number(mm, 4));
}

} // namespace

FocusStackPage::FocusStackPage(QWidget *parent)
    : QWidget(parent), aperture(new StopSpinBox),
      overlap(PlannerFields::number(0, 90, 10, 0, tr(" %"))),
      diffraction(new QCheckBox(tr("Include &diffraction"))),
      pupil(PlannerFields::number(0.1, 10, 1, 2, QString())), planKind(new QComboBox),
      magnification(PlannerFields::number(0.0001, 100, 0.5, 4, tr(" ×"))),
      working(PlannerFields::result()), measured(new QLabel), frames(PlannerFields::result()),
      problem(new QLabel), frameTable(new QTableWidget(0, 4)), chartView(new ChartView)
{
    aperture->setDecimals(2);
    aperture->setRange(0.5, 256);
    aperture->setValue(8);
    diffraction->setAccessibleName(tr("Include diffraction"));
    planKind->addItem(tr("Refocus the lens"));
    planKind->addItem(tr("Focusing rail"));
    PlannerFields::setTip(planKind, tr("How the focus moves from frame to frame: the lens is "
                                       "refocused, or the camera moves on a focusing rail with the "
                                       "lens's focus fixed."));
    PlannerFields::setTip(aperture, tr("The f-number set on the lens for every frame; the arrows "
                                       "step by third stops."));
    PlannerFields::setTip(overlap, tr("How much of each frame's sharp zone its neighbour shares, "
                                      "in per cent of the zone."));
    diffraction->setToolTip(tr("Adds the blur of diffraction at the working f-number to the "
                               "blur of focus, as at high magnification it matters."));
    PlannerFields::setTip(pupil, tr("The lens's exit pupil over its entrance pupil: 1 for a "
                                    "symmetric lens, below 1 for most telephoto and macro lenses. "
                                    "It sets the working f-number at close range."));
    PlannerFields::setTip(magnification, tr("The magnification of frame 1, at the near distance; "
                                            "typing one sets the near distance."));
    auto *inputs = new QFormLayout;
    PlannerFields::addRow(inputs, tr("&Plan"), tr("Plan"), planKind);
    PlannerFields::addRow(inputs, tr("Ape&rture"), tr("Aperture"), aperture);
    PlannerFields::addRow(inputs, tr("O&verlap"), tr("Overlap"), overlap);
    inputs->addRow(QString(), diffraction);
    PlannerFields::addRow(inputs, tr("Pupil ma&gnification"), tr("Pupil magnification"), pupil);
    auto *results = new QFormLayout;
    PlannerFields::addRow(results, tr("Fra&mes"), tr("Frames"), frames);
    PlannerFields::addRow(results, tr("Frame &1 magnification"), tr("Frame 1 magnification"),
                          magnification);
    PlannerFields::addRow(results, tr("Wor&king aperture"), tr("Working aperture"), working);
    measured->setWordWrap(true);
    results->addRow(measured);
    problem->setWordWrap(true);
    results->addRow(problem);

    frameTable->setHorizontalHeaderLabels({tr("Focus"), tr("Near"), tr("Far"), tr("Step")});
    frameTable->setAccessibleName(tr("Frame table"));
    frameTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frameTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    frameTable->setTabKeyNavigation(false);
    chartView->setAccessibleName(tr("Sharp zones chart"));

    auto *copy = new QPushButton(tr("Cop&y table"));
    auto *save = new QPushButton(tr("&Export CSV..."));
    copy->setToolTip(tr("Copies the frame table as CSV, in vorel-calc's columns, to paste into "
                        "a spreadsheet."));
    save->setToolTip(tr("Saves the frame table as a CSV file in vorel-calc's columns."));
    // Enter presses the focused button, as in a dialog.
    copy->setAutoDefault(true);
    save->setAutoDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(save);

    auto *top = new QHBoxLayout;
    top->addLayout(inputs);
    top->addSpacing(16);
    top->addLayout(results, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(frameTable, 1);
    bottom->addWidget(chartView, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom, 1);
    layout->addLayout(buttons);

    for (QDoubleSpinBox *box : {aperture, overlap, pupil})
        connect(box, &QDoubleSpinBox::valueChanged, this, &FocusStackPage::changed);
    connect(diffraction, &QCheckBox::toggled, this, &FocusStackPage::changed);
    connect(planKind, &QComboBox::currentIndexChanged, this, &FocusStackPage::changed);
    connect(magnification, &QDoubleSpinBox::valueChanged, this,
            &FocusStackPage::magnificationTyped);
    connect(copy, &QPushButton::clicked, this, &FocusStackPage::copyTable);
    connect(save, &QPushButton::clicked, this, &FocusStackPage::askCsv);
}

FocusStackPage::Settings FocusStackPage::settings() const
{
    Settings s;
    s.fNumber = aperture->value();
    s.overlap = overlap->value() / 100.0;
    s.diffraction = diffraction->isChecked();
    s.pupilMagnification = pupil->value();
    s.rail = planKind->currentIndex() == 1;
    return s;
}

void FocusStackPage::saveTo(QSettings &settings) const
{
    settings.setValue(QStringLiteral("stack/rail"), planKind->currentIndex() == 1);
    settings.setValue(QStringLiteral("stack/aperture"), aperture->value());
    settings.setValue(QStringLiteral("stack/overlap"), overlap->value());
    settings.setValue(QStringLiteral("stack/diffraction"), diffraction->isChecked());
    settings.setValue(QStringLiteral("stack/pupilMagnification"), pupil->value());
}

void FocusStackPage::restoreFrom(const QSettings &settings)
{
    planKind->setCurrentIndex(settings.value(QStringLiteral("stack/rail")).toBool() ? 1 : 0);
    PlannerFields::restore(aperture, settings, QStringLiteral("stack/aperture"));
    PlannerFields::restore(overlap, settings, QStringLiteral("stack/overlap"));
    diffraction->setChecked(settings.value(QStringLiteral("stack/diffraction")).toBool());
    PlannerFields::restore(pupil, settings, QStringLiteral("stack/pupilMagnification"));
}

FocusPlanner::StackPlan FocusStackPage::planFor(const PlannerInputs &inputs,
                                                const Settings &settings)
{
    if (settings.rail)
        return FocusPlanner::railStack(inputs.flength, settings.fNumber, inputs.nearDist,
                                       inputs.farDist, inputs.coc, settings.diffraction,
                                       settings.overlap, settings.pupilMagnification);
    return FocusPlanner::stack(inputs.flength, settings.fNumber, inputs.nearDist, inputs.farDist,
                               inputs.coc, settings.diffraction, settings.overlap,
                               settings.pupilMagnification);
}

void FocusStackPage::recompute(const PlannerInputs &inputs)
{
    shown = inputs;
    const Settings s = settings();
    QString why = inputs.problem();
    current = why.isEmpty() ? planFor(inputs, s) : FocusPlanner::StackPlan();
    if (why.isEmpty()) {
        switch (current.status) {
        case FocusPlanner::StackPlan::Status::Ok:
            break;
        case FocusPlanner::StackPlan::Status::DiffractionExceedsCoc: {
            // Diffraction is largest at the near end, where the working
            // f-number is.
            const QString at = tr("%1 (working %2 at %3 at the near distance)")
                                   .arg(PlannerText::fNumber(s.fNumber),
                                        PlannerText::fNumber(current.nearWorkingFNumber),
                                        PlannerText::ratio(current.nearMagnification));
            why = current.suggestedFNumber > 0
                      ? tr("At %1 diffraction alone fills the CoC, so nothing is sharp: f-numbers "
                           "up to %2 would do.")
                            .arg(at, PlannerText::fNumber(current.suggestedFNumber))
                      : tr("At %1 diffraction alone fills the CoC, so nothing is sharp, and "
                           "not even f/1 would do with this CoC.")
                            .arg(at);
        } break;
        case FocusPlanner::StackPlan::Status::TooManyFrames:
            why = tr("The stack would need more than %1 frames: a larger f-number, a larger CoC "
                     "or a shorter range would do.")
                      .arg(FocusPlanner::MaxFrames);
            break;
        case FocusPlanner::StackPlan::Status::InvalidInput:
            why = tr("The near and far distances are too close together, or too extreme, to "
                     "tell apart at this focal length.");
            break;
        }
    }

    const int count = why.isEmpty() ? int(current.frames.size()) : 0;
    frames->setText(why.isEmpty() ? QString::number(count) : tr("none"));
    measured->setText(s.rail ? tr("Distances are measured from the lens where frame 1 is taken; "
                                  "the lens keeps its focus and the camera moves towards the "
                                  "subject by each step.")
                             : tr("Distances are measured from the lens; the lens is refocused "
                                  "for each frame, by each step of its focus distance."));
    if (count > 0) {
        const FocusPlanner::Frame &first = current.frames.front();
        const FocusPlanner::Frame &last = current.frames.back();
        showMagnification(first.magnification);
        const QString at = tr("%1 at %2")
                               .arg(PlannerText::fNumber(first.workingFNumber),
                                    PlannerText::ratio(first.magnification));
        working->setText(count == 1 || s.rail
                             ? at
                             : tr("%1 (frame 1) to %2")
                                   .arg(at, tr("%1 at %2")
                                                .arg(PlannerText::fNumber(last.workingFNumber),
                                                     PlannerText::ratio(last.magnification))));
    } else {
        working->setText(tr("none"));
    }
    problem->setText(why);
    problem->setVisible(!why.isEmpty());
    frameTable->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        const FocusPlanner::Frame &f = current.frames[size_t(i)];
        const QStringList cells = {PlannerText::distance(f.focus, inputs.unit, 5),
                                   PlannerText::distance(f.nearLimit, inputs.unit, 5),
                                   PlannerText::distance(f.farLimit, inputs.unit, 5),
                                   stepText(f.step)};
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem *item = frameTable->item(i, c);
            if (!item) {
                item = new QTableWidgetItem;
                frameTable->setItem(i, c, item);
            }
            item->setText(cells[c]);
        }
    }

    const FocusPlanner::StackPlan plan = current;
    const double nearDist = inputs.nearDist;
    const double farDist = inputs.farDist;
    const PlannerText::Unit unit = inputs.unit;
    if (!why.isEmpty())
        chartView->setChart(
            [why](QPainter &painter, const QSize &size) {
                PlannerCharts::drawMessage(painter, size, why);
            },
            why);
    else
        chartView->setChart(
            [plan, nearDist, farDist, unit](QPainter &painter, const QSize &size) {
                PlannerCharts::drawStack(painter, size, plan, nearDist, farDist, unit);
            },
            PlannerCharts::describeStack(plan, nearDist, farDist, unit),
            [plan, nearDist, farDist, unit](const QSize &size) {
                return PlannerCharts::stackPoints(size, plan, nearDist, farDist, unit);
            });
}

void FocusStackPage::magnificationTyped(double value)
{
    const Settings s = settings();
    const double nearMm = FocusPlanner::nearLimitAtMagnification(
        shown.flength, s.fNumber, value, shown.coc, s.diffraction, s.pupilMagnification);
    if (std::isfinite(nearMm) && nearMm > shown.flength)
        emit nearDistanceAsked(nearMm);
}

void FocusStackPage::showMagnification(double value)
{
    const QSignalBlocker block(magnification);
    magnification->setValue(value);
}

// vorel-calc's columns and numbers: distances in the unit chosen, steps in
// mm.
QString FocusStackPage::csv() const
{
    const std::vector<FocusPlanner::Frame> none;
    return StackCsv::write(
        current.status == FocusPlanner::StackPlan::Status::Ok ? current.frames : none,
        PlannerText::unitSymbol(shown.unit), PlannerText::fromUnit(1, shown.unit));
}

bool FocusStackPage::writeCsv(const QString &fileName, QString *whyNot) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(csv().toUtf8()) < 0 ||
        !file.commit()) {
        *whyNot = file.errorString();
        return false;
    }
    return true;
}

void FocusStackPage::copyTable() const
{
    QApplication::clipboard()->setText(csv());
}

void FocusStackPage::askCsv()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Export frames"), QDir::homePath(),
                                                      tr("CSV table (*.csv)"));
    if (name.isEmpty())
        return;
    QString whyNot;
    if (!writeCsv(name, &whyNot))
        QMessageBox::warning(
            this, tr("Vorel Planner"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(name), whyNot));
}
