#include "plannerwindow.h"

#include "bestaperturepage.h"
#include "commoninputs.h"
#include "focusstackpage.h"
#include "photopage.h"
#include "samepicturepage.h"

#include "planning/doffigures.h"
#include "presets/cocpresets.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

const char PlannerWindow::UnitKey[] = "units";

PlannerWindow::PlannerWindow(QWidget *parent)
    : QMainWindow(parent), common(new CommonInputs), tabs(new QTabWidget),
      bestPage(new BestAperturePage), stackPage(new FocusStackPage), photoPage(new PhotoPage),
      samePage(new SamePicturePage)
{
    setWindowTitle(tr("Vorel Planner"));
    const QString unit = QSettings().value(QLatin1String(UnitKey)).toString();
    common->setUnit(unit == QLatin1String("feet") ? PlannerText::Unit::Feet
                                                  : PlannerText::Unit::Metres);

    auto *group = new QGroupBox(tr("Camera and range"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(common);
    tabs->addTab(bestPage, tr("&Best aperture"));
    tabs->addTab(stackPage, tr("Focus &stack"));
    tabs->addTab(photoPage, tr("P&hoto"));
    tabs->addTab(samePage, tr("Same pic&ture"));
    tabs->setAccessibleName(tr("Pages"));

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(group);
    layout->addWidget(tabs, 1);
    setCentralWidget(central);

    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *quit = file->addAction(tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    connect(common, &CommonInputs::changed, this, &PlannerWindow::recompute);
    connect(tabs, &QTabWidget::currentChanged, this, &PlannerWindow::pageShown);
    connect(common, &CommonInputs::unitChanged, this, &PlannerWindow::rememberUnit);
    connect(stackPage, &FocusStackPage::changed, this, &PlannerWindow::recomputeStack);
    connect(stackPage, &FocusStackPage::nearDistanceAsked, common, &CommonInputs::setNear);
    connect(samePage, &SamePicturePage::changed, this, &PlannerWindow::recomputeSame);
    connect(photoPage, &PhotoPage::settingsChosen, this, &PlannerWindow::usePhoto);
    resize(860, 640);
    recompute();
}

QStringList PlannerWindow::pageNames()
{
    // In the order of the tabs.
    return {QStringLiteral("best"), QStringLiteral("stack"), QStringLiteral("photo"),
            QStringLiteral("same")};
}

bool PlannerWindow::showPage(const QString &name)
{
    const int index = pageNames().indexOf(name);
    if (index < 0)
        return false;
    tabs->setCurrentIndex(index);
    return true;
}

void PlannerWindow::recompute()
{
    // The Best aperture page always follows, as the Same picture page
    // focuses where it says. A stack of thousands of frames takes a while
    // to tabulate: the pages out of view are brought up to date when shown.
    bestPage->recompute(common->values());
    photoPage->setInputs(common->values());
    stackStale = sameStale = true;
    pageShown();
}

void PlannerWindow::pageShown()
{
    if (stackStale && tabs->currentWidget() == stackPage)
        recomputeStack();
    if (sameStale && tabs->currentWidget() == samePage)
        recomputeSame();
}

void PlannerWindow::recomputeStack()
{
    stackStale = false;
    stackPage->recompute(common->values());
}

void PlannerWindow::recomputeSame()
{
    sameStale = false;
    const FocusPlanner::OptimumPlan &plan = bestPage->plan();
    samePage->recompute(common->values(),
                        plan.valid ? plan.focus : std::numeric_limits<double>::quiet_NaN());
}

void PlannerWindow::usePhoto(const PhotoFacts &photo)
{
    QStringList lacking;
    const bool known = photo.diagonal > 0 && std::isfinite(photo.diagonal);
    if (!common->setCamera(photo.camera)) {
        // A camera the list cannot name: its own sensor's CoC, where the
        // photo gives its crop factor.
        if (known) {
            common->setCoc(CocPresets::cocFromCropFactor(photo.diagonal));
            lacking << tr("the camera (not in the camera database; the CoC of the photo's own "
                          "crop factor, %1, is used)")
                           .arg(PlannerText::number(CocPresets::FullFrameDiagonal / photo.diagonal,
                                                    3));
        } else {
            lacking << tr("the camera and its crop factor (the camera and CoC stay as they were)");
        }
    }
    common->setFocalLength(photo.flength);
    stackPage->apertureBox()->setValue(photo.fNumber);
    samePage->apertureBox()->setValue(photo.fNumber);
    // The photo's own sharp zone becomes the range to plan.
    const PlannerInputs in = common->values();
    if (photo.hasFocus() && photo.focus > photo.flength) {
        const DofFigures f =
            DofFigures::limits(photo.flength, photo.fNumber, photo.focusForLens(), in.coc, false);
        common->setRange(f.nearLimit, f.farLimit);
    } else {
        lacking << tr("the focus distance (the range to plan stays as it was)");
    }
    photoPage->showNote(
        lacking.isEmpty()
            ? QString()
            : tr("Not taken from the photo: %1.").arg(lacking.join(QStringLiteral("; "))));
}

void PlannerWindow::rememberUnit()
{
    QSettings().setValue(QLatin1String(UnitKey), common->unit() == PlannerText::Unit::Feet
                                                     ? QStringLiteral("feet")
                                                     : QStringLiteral("metres"));
}
