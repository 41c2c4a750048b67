#ifndef PLANNERWINDOW_H
#define PLANNERWINDOW_H

#include <QMainWindow>
#include <QStringList>

class BestAperturePage;
class CommonInputs;
class FocusStackPage;
class PhotoPage;
class QPagedPaintDevice;
class QSettings;
class QTabWidget;
struct PhotoFacts;
struct Printout;
class SamePicturePage;

// The planner's window: the common inputs always in view above the pages
// Best aperture, Focus stack, Photo and Same picture. Every change
// recomputes the results at once; there is nothing to press.
class PlannerWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit PlannerWindow(QWidget *parent = nullptr);

    CommonInputs *inputs() const { return common; }
    BestAperturePage *bestAperture() const { return bestPage; }
    FocusStackPage *focusStack() const { return stackPage; }
    PhotoPage *photo() const { return photoPage; }
    SamePicturePage *samePicture() const { return samePage; }
    QTabWidget *pages() const { return tabs; }

    // Shows the page of that name: "best", "stack", "photo" or "same";
    // false for any other name.
    bool showPage(const QString &name);
    static QStringList pageNames();

    // The settings key of the distance unit, "metres" or "feet".
    static const char UnitKey[];

    // A page on paper: the common inputs, the page's fields, its chart and
    // its table; the page in view for -1.
    Printout printout(int page = -1) const;
    // Prints a page onto a printer or PDF writer, brought up to date first;
    // the number of sheets, 0 where nothing could be printed.
    int print(QPagedPaintDevice &device, int page = -1);

public slots:
    void recompute();

private:
    void askPrint();
    // Opens the context menu of the widget with the keyboard focus, as the
    // Menu key does.
    void openContextMenu();
    void pageShown();
    void remember();
    void recomputeStack();
    void recomputeSame();
    void rememberUnit();
    void usePhoto(const PhotoFacts &photo);

    // Written on every change, to disk when the window closes or the event
    // loop finds the time.
    QSettings *settings;
    CommonInputs *common;
    QTabWidget *tabs;
    BestAperturePage *bestPage;
    FocusStackPage *stackPage;
    PhotoPage *photoPage;
    SamePicturePage *samePage;
    bool stackStale = true;
    bool sameStale = true;
};

#endif // PLANNERWINDOW_H
