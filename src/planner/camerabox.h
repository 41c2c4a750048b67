#ifndef CAMERABOX_H
#define CAMERABOX_H

#include "cameralist.h"

#include <QComboBox>

class QStringListModel;

// A choice of camera with type-ahead: typing offers the sensor formats
// that hold the text and the cameras the camera database's search finds
// for it, best first; Enter (or leaving the box) takes the first of them.
// A text that names nothing stays in the box, the camera stays as it was,
// and unknownTyped() says so. The sensor formats are shown in the user's
// language; the entries keep their names.
class CameraBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CameraBox(QWidget *parent = nullptr);

    // The chosen camera; an empty entry (no diagonal) if none is.
    CameraEntry camera() const;
    const QVector<CameraEntry> &cameras() const { return entries; }
    // The entries a text stands for, best first: a name given whole, the
    // formats that hold the text, then the search's cameras.
    QList<int> matches(const QString &text) const;
    // The entry of a camera by its name (a sensor format by its untranslated
    // name), whatever its case; -1 for none.
    int indexOfName(const QString &name) const;

signals:
    // The typed text matches no camera; empty when a camera was taken.
    void unknownTyped(const QString &text);

private:
    void offer(const QString &text);
    void takeTyped();

    QVector<CameraEntry> entries;
    QStringListModel *offered;
};

#endif // CAMERABOX_H
