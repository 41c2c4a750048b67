#include "mainwin.h"

#include "app/enterpressesbutton.h"
#include "app/graph.h"

#include <QGridLayout>

#include <cmath>
#include <cstdlib>

mainWin::mainWin()
{
    version = QStringLiteral("0.02beta");
    setupUi(this);

    // run() shows the one panel that each camera's CoC method selects.
    gbC1_1->hide();
    gbC1_2->hide();
    gbC1_3->hide();
    gbC2_1->hide();
    gbC2_2->hide();
    gbC2_3->hide();

    setWindowTitle(QStringLiteral("Vorel"));

    connect(actionOpen, &QAction::triggered, this, &mainWin::load);
    connect(actionSave, &QAction::triggered, this, &mainWin::save);
    connect(actionSave_as, &QAction::triggered, this, &mainWin::saveAs);
    connect(actionExport_to_Image, &QAction::triggered, this, &mainWin::exportImage);
    connect(actionQuit, &QAction::triggered, this, &mainWin::quit);
    connect(actionHelp, &QAction::triggered, this, &mainWin::help);
    connect(actionAbout, &QAction::triggered, this, &mainWin::about);
    connect(actionTutorial, &QAction::triggered, this, &mainWin::tutorial);
    connect(c1_fdist, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c2_fdist, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c1_apature, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c2_apature, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c1_flength, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c2_flength, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c1_coc, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(c2_coc, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(DSB_leftBorder, &QDoubleSpinBox::valueChanged, this, &mainWin::run);
    connect(qxscale, &QSlider::valueChanged, this, &mainWin::run);
    connect(qyscale, &QSlider::valueChanged, this, &mainWin::run);
    connect(distanceCam, &QRadioButton::toggled, this, &mainWin::run);
    connect(distanceFP, &QRadioButton::toggled, this, &mainWin::run);
    connect(SB_leftBorder, &QScrollBar::valueChanged, this, &mainWin::setDist);
    connect(c1_set_Hyper, &QPushButton::clicked, this, &mainWin::setC1Hyper);
    connect(c2_set_Hyper, &QPushButton::clicked, this, &mainWin::setC2Hyper);
    connect(boxC1, &QGroupBox::toggled, this, &mainWin::run);
    connect(boxC2, &QGroupBox::toggled, this, &mainWin::run);
    connect(c1_setCOCPS, &QPushButton::released, this, &mainWin::setC1CocPS);
    connect(c2_setCOCPS, &QPushButton::released, this, &mainWin::setC2CocPS);
    connect(c1_setCOCCF, &QPushButton::released, this, &mainWin::setC1CocCF);
    connect(c2_setCOCCF, &QPushButton::released, this, &mainWin::setC2CocCF);
    connect(c1_setCOCVD, &QPushButton::released, this, &mainWin::setC1CocVD);
    connect(c2_setCOCVD, &QPushButton::released, this, &mainWin::setC2CocVD);
    connect(c1_calcDef, &QCheckBox::toggled, this, &mainWin::run);
    connect(c2_calcDef, &QCheckBox::toggled, this, &mainWin::run);
    connect(c1_cocSet, &QComboBox::currentIndexChanged, this, &mainWin::run);
    connect(c2_cocSet, &QComboBox::currentIndexChanged, this, &mainWin::run);
    connect(cpL, &QPushButton::released, this, &mainWin::copyL);
    connect(cpR, &QPushButton::released, this, &mainWin::copyR);
    connect(swpLR, &QPushButton::released, this, &mainWin::swapLR);
    setUpLocks();

    auto *diagramLayout = new QGridLayout;
    diagramLayout->setSpacing(0);
    diagram = new graph;
    diagram->setMainWin(this);
    diagramLayout->addWidget(diagram);
    frame->setLayout(diagramLayout);

    EnterPressesButton::installOn(this);
    setUpTips();

    fileName = QString();

    // Both cameras start with the CoC of the initial sensor format and
    // pixel count rather than the spin box's own default.
    setC1CocPS();
    setC2CocPS();
    run();
    setUpDrops();
}

mainWin::~mainWin() = default;

mainWin::Camera mainWin::camera(int index)
{
    if (index == 0)
        return {&c1_lens,     boxC1,     c1_fdist,  c1_apature, c1_flength, c1_coc,   c1_calcDef,
                c1_set_Hyper, c1_cocSet, gbC1_1,    gbC1_2,     gbC1_3,     c1_cropC, c1_crop,
                c1_quality,   c1_distD,  c1_widthD, c1_formD,   checkBox_2};
    return {&c2_lens,     boxC2,     c2_fdist,  c2_apature, c2_flength, c2_coc,   c2_calcDef,
            c2_set_Hyper, c2_cocSet, gbC2_1,    gbC2_2,     gbC2_3,     c2_cropC, c2_crop,
            c2_quality,   c2_distD,  c2_widthD, c2_formD,   checkBox};
}

void mainWin::run()
{
    // The left border may not come closer than twice a focal length, where
    // the blur of the nearer distances stops meaning anything. Camera 2's
    // floor, set last, is the one that remains when both apply.
    raiseLeftBorderFloor(c1_flength->value());
    raiseLeftBorderFloor(c2_flength->value());

    qxscaled->setText(QString::number(qxscale->value()));
    qyscaled->setText(QString::number(qyscale->value()));

    SB_leftBorder->setMinimum(1);
    SB_leftBorder->setMaximum(1000);

    for (int i = 0; i < 2; ++i) {
        const Camera cam = camera(i);
        cam.lens->init(cam.fdist->value() * 1000, cam.apature->value(), cam.flength->value(),
                       cam.coc->value());
    }

    const Camera cam1 = camera(0);
    const Camera cam2 = camera(1);
    const double h1 = cam1.lens->hyperfocal(cam1.calcDef->isChecked());
    const double h2 = cam2.lens->hyperfocal(cam2.calcDef->isChecked());
    showHyperfocal(cam1, h1);
    showHyperfocal(cam2, h2);

    showCocPanel(cam1);
    showCocPanel(cam2);
    describeResults();
    noteModelLimits();

    repaint();
}

DiagramScene mainWin::diagramScene()
{
    DiagramScene scene;
    for (int i = 0; i < 2; ++i) {
        const Camera cam = camera(i);
        scene.cameras[i] = {cam.box->isChecked(), cam.calcDef->isChecked(), *cam.lens};
    }
    scene.xscale = qxscale->value();
    scene.yscale = qyscale->value();
    scene.leftBorder = DSB_leftBorder->value();
    scene.fromCamera = distanceCam->isChecked();
    return scene;
}

void mainWin::raiseLeftBorderFloor(double flength)
{
    // Compared in whole millimetres: the box holds centimetres and the focal
    // length whole millimetres, and 4.03 * 1000 alone comes out above 4030.
    if (std::llround(DSB_leftBorder->value() * 1000) > std::llround(2 * flength))
        DSB_leftBorder->setMinimum(2 * flength / 1000);
}

void mainWin::showHyperfocal(const Camera &cam, double hyperfocal)
{
    QPushButton *button = cam.setHyper;
    // The button belongs to its camera's group box: while the box is
    // unchecked it stays off with the rest of the camera's controls, or a
    // click would move the focus of a camera that is not shown.
    if (!LensModel::hasHyperfocal(hyperfocal)) {
        button->setText(tr("Set to hyperfocal (none)"));
        button->setEnabled(false);
        return;
    }
    button->setText(tr("Set to hyperfocal (") + QString::number(hyperfocal / 1000, 'f', 1) +
                    tr("m)"));
    button->setEnabled(cam.box->isChecked());
}

void mainWin::showCocPanel(const Camera &cam)
{
    const int method = cam.cocSet->currentIndex();
    if (method < 0 || method > 2)
        return;
    cam.panelCropFactor->setVisible(method == 0);
    cam.panelPixelSize->setVisible(method == 1);
    cam.panelViewDistance->setVisible(method == 2);
}

void mainWin::setDist()
{
    DSB_leftBorder->setValue(static_cast<double>(SB_leftBorder->value()));
}

void mainWin::copyL()
{
    const LockPause pause(this);
    // Focus, f-number, focal length, CoC: the order the traces show, kept on
    // purpose (swapLR differs).
    c1_fdist->setValue(c2_fdist->value());
    c1_apature->setValue(c2_apature->value());
    c1_flength->setValue(c2_flength->value());
    c1_coc->setValue(c2_coc->value());
}

void mainWin::copyR()
{
    const LockPause pause(this);
    c2_fdist->setValue(c1_fdist->value());
    c2_apature->setValue(c1_apature->value());
    c2_flength->setValue(c1_flength->value());
    c2_coc->setValue(c1_coc->value());
}

void mainWin::swapLR()
{
    // CoC before focal length, unlike the copies: deliberate. Each setValue
    // runs run() at once, so this order fixes the sequence of trace lines
    // and of half-swapped states, which the window's trace users rely on.
    const LockPause pause(this);
    QDoubleSpinBox *const pairs[4][2] = {
        {c1_fdist, c2_fdist}, {c1_apature, c2_apature}, {c1_coc, c2_coc}, {c1_flength, c2_flength}};
    for (auto &pair : pairs) {
        const double first = pair[0]->value();
        pair[0]->setValue(pair[1]->value());
        pair[1]->setValue(first);
    }
}

void mainWin::quit()
{
    std::exit(0);
}
