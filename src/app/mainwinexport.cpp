// Export of the diagram to an image file.

#include "app/graph.h"
#include "app/mainwin.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

void mainWin::exportImage()
{
    const QString name = QFileDialog::getSaveFileName(
        this, tr("Export to image"), QDir::currentPath(), tr("Image (*.jpg *.png *.bmp)"));
    exportImageTo(name);
}

bool mainWin::exportImageTo(const QString &name)
{
    // An empty name is a cancelled dialog.
    if (name.isEmpty())
        return false;
    QString whyNot;
    if (diagram->saveImage(name, &whyNot))
        return true;
    QMessageBox::warning(
        this, QStringLiteral("Vorel"),
        tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(name), whyNot));
    return false;
}
