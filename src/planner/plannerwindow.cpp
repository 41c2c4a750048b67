#include "plannerwindow.h"

#include "bestaperturepage.h"
#include "chartview.h"
#include "commoninputs.h"
#include "focusstackpage.h"
#include "photopage.h"
#include "plannerprint.h"
#include "samepicturepage.h"

#include "planning/doffigures.h"
#include "presets/cocpresets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

const char PlannerWindow::UnitKey[] = "units";

PlannerWindow::PlannerWindow(QWidget *parent)
    : QMainWindow(parent), settings(new QSettings(this)), common(new CommonInputs),
      tabs(new QTabWidget), bestPage(new BestAperturePage), stackPage(new FocusStackPage),
      photoPage(new PhotoPage), samePage(new SamePicturePage)
{
    setWindowTitle(tr("Vorel Planner"));
    // Where the last session left off, before anything listens.
    const QString unit = settings->value(QLatin1String(UnitKey)).toString();
    common->setUnit(unit == QLatin1String("feet") ? PlannerText::Unit::Feet
                                                  : PlannerText::Unit::Metres);
    common->restoreFrom(*settings);
    stackPage->restoreFrom(*settings);
    samePage->restoreFrom(*settings);

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
    QAction *print = file->addAction(tr("&Print page..."));
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(tr("Prints the page in view, its figures, chart and table, on a printer or "
                         "to a PDF file"));
    connect(print, &QAction::triggered, this, &PlannerWindow::askPrint);
    file->addSeparator();
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
    connect(common, &CommonInputs::changed, this, &PlannerWindow::remember);
    connect(stackPage, &FocusStackPage::changed, this, &PlannerWindow::remember);
    connect(samePage, &SamePicturePage::changed, this, &PlannerWindow::remember);
    // Shift+F10 is the other key for a context menu, where a keyboard has
    // no Menu key.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &PlannerWindow::openContextMenu);
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
    const bool known = photo.diagonal() > 0 && std::isfinite(photo.diagonal());
    if (!common->setCamera(photo.camera)) {
        // A camera the list cannot name: its own sensor's CoC, where the
        // photo gives its crop factor.
        if (known) {
            common->setCoc(CocPresets::cocFromCropFactor(photo.diagonal()));
            lacking << tr("the camera (not in the camera database; the CoC of the photo's own "
                          "crop factor, %1, is used)")
                           .arg(PlannerText::number(
                               CocPresets::FullFrameDiagonal / photo.diagonal(), 3));
        } else {
            lacking << tr("the camera and its crop factor (the camera and CoC stay as they were)");
        }
    }
    common->setFocalLength(photo.flength());
    stackPage->apertureBox()->setValue(photo.fNumber());
    samePage->apertureBox()->setValue(photo.fNumber());
    // The photo's own sharp zone becomes the range to plan.
    const PlannerInputs in = common->values();
    if (photo.hasFocus() && photo.focus() > photo.flength()) {
        const DofFigures f = DofFigures::limits(photo.flength(), photo.fNumber(),
                                                photo.focusForLens(), in.coc, false);
        common->setRange(f.nearLimit, f.farLimit);
    } else {
        lacking << tr("the focus distance (the range to plan stays as it was)");
    }
    photoPage->showNote(
        lacking.isEmpty()
            ? QString()
            : tr("Not taken from the photo: %1.").arg(lacking.join(QStringLiteral("; "))));
}

void PlannerWindow::remember()
{
    common->saveTo(*settings);
    stackPage->saveTo(*settings);
    samePage->saveTo(*settings);
}

Printout PlannerWindow::printout(int page) const
{
    if (page < 0 || page >= tabs->count())
        page = tabs->currentIndex();
    const QWidget *shown = tabs->widget(page);
    Printout p;
    p.title = tr("Vorel Planner: %1").arg(tabs->tabText(page).remove(QLatin1Char('&')));
    p.fields = PlannerPrint::fieldsOf(common) + PlannerPrint::fieldsOf(shown);
    if (const ChartView *chart = shown->findChild<ChartView *>())
        p.chart = chart->chartDrawing();
    if (const QTableWidget *table = shown->findChild<QTableWidget *>()) {
        for (int c = 0; c < table->columnCount(); ++c)
            p.headers << table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
            p.rows << cells;
        }
    }
    return p;
}

int PlannerWindow::print(QPagedPaintDevice &device, int page)
{
    // A page out of view may not be up to date.
    const int index = page < 0 || page >= tabs->count() ? tabs->currentIndex() : page;
    if (tabs->widget(index) == stackPage && stackStale)
        recomputeStack();
    if (tabs->widget(index) == samePage && sameStale)
        recomputeSame();
    return PlannerPrint::print(device, printout(index));
}

void PlannerWindow::askPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(tabs->tabText(tabs->currentIndex()).remove(QLatin1Char('&')));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print page"));
    if (dialog.exec() == QDialog::Accepted)
        print(printer);
}

void PlannerWindow::openContextMenu()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return;
    // Where a text cursor is, there; elsewhere the widget's middle.
    QPoint at = focus->rect().center();
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (cursor.isValid() && focus->rect().contains(cursor.center()))
        at = cursor.center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QCoreApplication::sendEvent(focus, &event);
}

void PlannerWindow::rememberUnit()
{
    settings->setValue(QLatin1String(UnitKey), common->unit() == PlannerText::Unit::Feet
                                                   ? QStringLiteral("feet")
                                                   : QStringLiteral("metres"));
}
