#include "camerabox.h"

#include <QCompleter>
#include <QLineEdit>

CameraBox::CameraBox(QWidget *parent) : QComboBox(parent), entries(CameraList::entries())
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (const CameraEntry &entry : entries)
        addItem(entry.name);
    completer()->setFilterMode(Qt::MatchContains);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    setMinimumContentsLength(18);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &CameraBox::takeTyped);
}

CameraEntry CameraBox::camera() const
{
    const int index = currentIndex();
    return index >= 0 && index < entries.size() ? entries[index] : CameraEntry();
}

void CameraBox::takeTyped()
{
    const QString typed = lineEdit()->text().trimmed();
    int index = findText(typed, Qt::MatchFixedString);
    if (index < 0 && !typed.isEmpty())
        index = findText(typed, Qt::MatchContains);
    if (index >= 0 && index != currentIndex())
        setCurrentIndex(index);
    // Whatever was typed, the box shows the camera it stands for.
    if (lineEdit()->text() != currentText() || index < 0)
        lineEdit()->setText(itemText(currentIndex()));
}
