// Files dropped on the window: a photo fills a camera's four values, a
// project opens as File > Open opens it. The controls that take text drops
// of their own (the spin boxes' line edits) would otherwise swallow a file
// dropped on them as its path, so the window watches every control.

#include "app/mainwin.h"
#include "cameras/cameradatabase.h"
#include "photo/photocamera.h"
#include "photo/photoreader.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include <cmath>

namespace
{

// lensfun's database, loaded at the first photo: a window that never gets
// one does not pay for it.
const CameraDatabase &cameraDatabase()
{
    return CameraDatabase::shared();
}

// The first local file of a drag; empty for anything else.
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

QString valueName(PhotoCamera::Value value)
{
    switch (value) {
    case PhotoCamera::Value::Focus:
        return mainWin::tr("focus distance");
    case PhotoCamera::Value::Aperture:
        return mainWin::tr("f-number");
    case PhotoCamera::Value::Focal:
        return mainWin::tr("focal length");
    case PhotoCamera::Value::Coc:
        return mainWin::tr("circle of confusion");
    }
    return QString();
}

} // namespace

void mainWin::setUpDrops()
{
    setAcceptDrops(true);
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool mainWin::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    auto *drag = static_cast<QDropEvent *>(event);
    const QString name = droppedFile(drag->mimeData());
    if (name.isEmpty())
        return QMainWindow::eventFilter(watched, event);
    drag->acceptProposedAction();
    if (type != QEvent::Drop)
        return true;

    // Camera 2's panel takes camera 2; everything else, camera 1.
    auto *target = qobject_cast<QWidget *>(watched);
    if (target == this)
        target = childAt(drag->position().toPoint());
    const int cam = target && (target == boxC2 || boxC2->isAncestorOf(target)) ? 1 : 0;
    dropFile(name, cam);
    return true;
}

bool mainWin::dropFile(const QString &name, int cam)
{
    const QFileInfo info(name);
    if (info.suffix().compare(QLatin1String("vlp"), Qt::CaseInsensitive) == 0 && !info.isDir())
        return loadProject(name);
    return dropPhoto(name, cam);
}

bool mainWin::dropPhoto(const QString &name, int index)
{
    const QString shown = QFileInfo(name).fileName();
    const PhotoReader::Result read = PhotoReader(&cameraDatabase()).read(name);
    if (!read.ok()) {
        QString why;
        switch (read.error) {
        case PhotoReader::Error::NotImage:
        case PhotoReader::Error::Folder:
        case PhotoReader::Error::None:
            why = tr("it is neither a photo nor a project");
            break;
        case PhotoReader::Error::Missing:
            why = tr("there is no such file");
            break;
        case PhotoReader::Error::Truncated:
            why = tr("the photo is cut short or damaged");
            break;
        case PhotoReader::Error::Unreadable:
            why = tr("the file cannot be read");
            break;
        }
        statusBar()->showMessage(tr("%1 not used: %2.").arg(shown, why));
        return false;
    }

    const PhotoCamera values = PhotoCamera::from(read.settings);
    const Camera cam = camera(index);
    // In the order a project load writes them, each through its box, so
    // that the window recomputes after each.
    QStringList taken;
    const LockPause pause(this);
    const struct {
        PhotoCamera::Value value;
        double number;
        QDoubleSpinBox *box;
    } fields[] = {
        {PhotoCamera::Value::Focus, values.focus, cam.fdist},
        {PhotoCamera::Value::Aperture, values.aperture, cam.apature},
        {PhotoCamera::Value::Focal, values.focal, cam.flength},
        {PhotoCamera::Value::Coc, values.coc, cam.coc},
    };
    for (const auto &f : fields) {
        if (std::isnan(f.number))
            continue;
        f.box->setValue(f.number);
        taken << valueName(f.value);
    }

    QStringList parts;
    parts << tr("Camera %1 from %2").arg(index + 1).arg(shown);
    if (!taken.isEmpty())
        parts << tr("taken: %1").arg(taken.join(QStringLiteral(", ")));
    if (!values.missing.isEmpty()) {
        QStringList names;
        for (const PhotoCamera::Value v : values.missing)
            names << valueName(v);
        parts << tr("missing, left as they were: %1").arg(names.join(QStringLiteral(", ")));
    }
    if (!values.held.isEmpty()) {
        QStringList names;
        for (const PhotoCamera::Held &h : values.held)
            names << valueName(h.value);
        parts << tr("held to the range of its box: %1").arg(names.join(QStringLiteral(", ")));
    }
    statusBar()->showMessage(parts.join(QStringLiteral("; ")) + QLatin1Char('.'));
    return true;
}
