#include "diagramscene.h"

#include "project/projectfile.h"

DiagramScene DiagramScene::fromProject(const ProjectFile &project)
{
    const ProjectFile held = project.asWindowHolds();
    DiagramScene scene;
    scene.xscale = held.xscale;
    scene.yscale = held.yscale;
    scene.leftBorder = held.leftBorder;
    scene.fromCamera = held.distanceCam;
    for (int i = 0; i < 2; ++i) {
        const ProjectFile::Camera &src = held.cameras[i];
        Camera &cam = scene.cameras[i];
        cam.shown = src.enabled;
        cam.diffraction = src.calcDef;
        cam.lens.init(src.fdist * 1000, src.apature, src.flength, src.coc);
    }
    return scene;
}
