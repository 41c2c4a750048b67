#ifndef MAINWIN_H
#define MAINWIN_H

#include "app/manuallocator.h"
#include "diagram/diagramscene.h"
#include "optics/lensmodel.h"
#include "ui_mainwin.h"

#include <QMainWindow>
#include <QString>

class graph;
struct ProjectFile;

// The one main window and the controller of the program. The form is a base
// class, so every control is a member under its object name. The slots are
// defined next to the subsystem they belong to: wiring, run(), copy and swap
// here; the CoC and hyperfocal setters with the sensor presets; load and save
// with the project file; the export with the diagram.
class mainWin : public QMainWindow, public Ui_mainWin
{
    Q_OBJECT

public:
    mainWin();
    ~mainWin() override;

    LensModel c1_lens;
    LensModel c2_lens;
    QString version;
    QString fileName;
    graph *diagram = nullptr;

    // The work behind load() and save(), without the file dialogs; each
    // shows one warning and returns false when the file cannot be used.
    bool loadProject(const QString &name);
    bool saveProject(const QString &name);
    // Puts a record that has been read and checked into the controls, as
    // opening the file name does.
    void applyProject(const ProjectFile &p, const QString &name);
    // What the diagram shows: both lens records and the view's controls.
    DiagramScene diagramScene();
    // What a file dropped on the window does: a photo fills camera (0 or
    // 1) through its spin boxes, a project (.vlp) opens as File > Open
    // opens it, anything else is refused with a note in the status bar.
    // Returns whether the file was used.
    bool dropFile(const QString &name, int camera);

    // File > "Same framing as camera 1": camera 2's focus for camera 1's
    // field width at the subject. Added in code, after the form's actions.
    QAction *actionSame_framing = nullptr;

    // Where Help and Tutorial look for the manual's pages.
    QStringList manualFolders = ManualLocator::defaultRoots();
    // Opens page of the manual in the window's language; says so in a
    // message box and returns false when the manual cannot be found.
    bool openManual(const QString &page);

public slots:
    void run();
    void setDist();
    void setC1CocPS();
    void setC2CocPS();
    void setC1CocCF();
    void setC2CocCF();
    void setC1CocVD();
    void setC2CocVD();
    void copyL();
    void copyR();
    void swapLR();
    double getDiag(int index);
    double getMPixel(int index);
    double getEqScale(int i);
    void load();
    void save();
    void saveAs();
    void quit();
    void about();
    void tutorial();
    void help();
    void setC1Hyper();
    void setC2Hyper();
    void exportImage();
    void sameFraming();

public:
    // Writes the diagram to the image file name; warns and returns false
    // when that fails. An empty name (a cancelled dialog) does nothing.
    bool exportImageTo(const QString &name);

protected:
    // Takes the drops of files on the window and on its controls.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Tool tips and accessible names of the inputs, set once; the results'
    // accessible descriptions and the status bar's note on the model's
    // limits follow every run().
    void setUpTips();
    void describeResults();
    void noteModelLimits();
    QString modelNote;

    void setUpDrops();
    bool dropPhoto(const QString &name, int camera);

    // The controls of one camera, so that each camera-2 slot is its
    // camera-1 twin applied to the other set of controls.
    struct Camera {
        LensModel *lens;
        QGroupBox *box;
        QDoubleSpinBox *fdist;
        QDoubleSpinBox *apature;
        QDoubleSpinBox *flength;
        QDoubleSpinBox *coc;
        QCheckBox *calcDef;
        QPushButton *setHyper;
        QComboBox *cocSet;
        QGroupBox *panelCropFactor;
        QGroupBox *panelPixelSize;
        QGroupBox *panelViewDistance;
        QComboBox *cropC;
        QComboBox *crop;
        QComboBox *quality;
        QDoubleSpinBox *distD;
        QDoubleSpinBox *widthD;
        QComboBox *formD;
        QCheckBox *lock;
    };
    Camera camera(int index);

    void raiseLeftBorderFloor(double flength);
    static void showHyperfocal(const Camera &cam, double hyperfocal);
    static void showCocPanel(const Camera &cam);

    void setCocByPixelSize(const Camera &cam);
    void setCocByCropFactor(const Camera &cam);
    void setCocByViewDistance(const Camera &cam);
    void setHyper(const Camera &cam);
    void applyCoc(const Camera &cam, double coc, const QString &whyNot);

    // "Lock magnification": while a camera's box is ticked, its focal
    // length moves its focus so that (s - F) / F stays at the base taken
    // when the box was ticked or the focus was last set any other way. The
    // base is kept unrounded, so that the box's two decimals do not drift
    // over repeated changes.
    void setUpLocks();
    void rebaseLock(int index);
    void holdMagnification(int index);
    // Copies, swaps, project loads and photos write focus and focal length
    // one after the other: the lock waits until all are written, then takes
    // the new values as its base.
    class LockPause
    {
    public:
        explicit LockPause(mainWin *window);
        ~LockPause();
        LockPause(const LockPause &) = delete;
        LockPause &operator=(const LockPause &) = delete;

    private:
        mainWin *window;
    };
    double lockBase[2] = {0, 0};
    bool lockMoving[2] = {false, false};
    int lockPaused = 0;

    // The sensor diagonal behind each camera's CoC while the CoC is the one
    // a crop-factor or pixel-size "Set" wrote (cocBySensor), NaN otherwise.
    double cocSensorDiagonal[2];
    double cocBySensor[2];
    void rememberCocSensor(const Camera &cam, double diagonal, double coc);
    // The camera's sensor diagonal, or for a CoC set another way the
    // diagonal that the crop-factor rule gives that CoC: what the two
    // cameras' frame widths are in proportion to.
    double frameSize(int index);
};

#endif // MAINWIN_H
