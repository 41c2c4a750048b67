#ifndef CAMERABOX_H
#define CAMERABOX_H

#include "cameralist.h"

#include <QComboBox>

// A choice of camera with type-ahead: typing any part of a name offers the
// cameras that hold it, and Enter (or leaving the box) takes the first of
// them, so that a typed name never stays as a camera nobody has.
class CameraBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CameraBox(QWidget *parent = nullptr);

    // The chosen camera; an empty entry (no diagonal) if none is.
    CameraEntry camera() const;
    const QVector<CameraEntry> &cameras() const { return entries; }

private:
    void takeTyped();

    QVector<CameraEntry> entries;
};

#endif // CAMERABOX_H
