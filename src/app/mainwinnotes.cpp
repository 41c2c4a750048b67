// The status bar's note where the window's fixed model is far off the exact
// figures, which the planner computes.

#include "mainwin.h"

#include "planning/modelcheck.h"

#include <QStatusBar>

void mainWin::noteModelLimits()
{
    QStringList notes;
    for (int i = 0; i < 2; ++i) {
        const Camera cam = camera(i);
        if (!cam.box->isChecked())
            continue;
        switch (ModelCheck::check(*cam.lens, cam.calcDef->isChecked())) {
        case ModelCheck::Finding::Fair:
            break;
        case ModelCheck::Finding::Diffraction:
            notes << tr("Camera %1: with diffraction counted, the depth of field differs from "
                        "the one shown by more than 10 %.")
                         .arg(i + 1);
            break;
        case ModelCheck::Finding::Close:
            notes << tr("Camera %1: at this close range the depth of field shown is more than "
                        "10 % off the exact one.")
                         .arg(i + 1);
            break;
        }
    }
    const QString note = notes.isEmpty() ? QString()
                                         : notes.join(QLatin1Char(' ')) + QLatin1Char(' ') +
                                               tr("Vorel Planner gives the exact figures.");
    // Said once: a note stays until the findings change, and a note that
    // no longer holds is taken back unless something else has replaced it.
    if (note == modelNote)
        return;
    if (!modelNote.isEmpty() && statusbar->currentMessage() == modelNote)
        statusbar->clearMessage();
    if (!note.isEmpty())
        statusbar->showMessage(note);
    modelNote = note;
}
