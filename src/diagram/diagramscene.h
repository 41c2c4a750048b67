#ifndef DIAGRAMSCENE_H
#define DIAGRAMSCENE_H

#include "optics/lensmodel.h"

struct ProjectFile;

// Everything the blur diagram shows, as plain values: the two cameras' lens
// records and the view's settings. The window fills one from its controls,
// vorel-calc render from a project file; the drawing reads nothing else.
struct DiagramScene {
    struct Camera {
        bool shown = true;
        // Whether the curve and the limits include the diffraction disc.
        bool diffraction = false;
        LensModel lens;
    };
    Camera cameras[2];
    // The horizontal scale's slider position: a pixel column spans
    // 51 - xscale millimetres.
    int xscale = 35;
    // Pixels per unit of blur.
    int yscale = 2;
    // The left border in metres, from the camera or from the focus plane.
    double leftBorder = 1;
    // Distances counted from the camera rather than from the focus plane.
    bool fromCamera = true;

    // The scene of a checked project record, as the window shows it after
    // opening the record: each value as its control holds it.
    static DiagramScene fromProject(const ProjectFile &project);
};

#endif // DIAGRAMSCENE_H
