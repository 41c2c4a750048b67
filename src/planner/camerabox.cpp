#include "camerabox.h"

#include "cameras/cameradatabase.h"
#include "presets/cocpresets.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QStringListModel>

CameraBox::CameraBox(QWidget *parent)
    : QComboBox(parent), entries(CameraList::entries()), offered(new QStringListModel(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < entries.size(); ++i)
        addItem(i < CocPresets::FormatCount ? CameraList::formatText(i) : entries[i].name);
    // The completer offers the search's order, which the box's own
    // filtering would not keep.
    auto *completer = new QCompleter(offered, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    setCompleter(completer);
    setMinimumContentsLength(18);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CameraBox::offer);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &CameraBox::takeTyped);
}

CameraEntry CameraBox::camera() const
{
    const int index = currentIndex();
    return index >= 0 && index < entries.size() ? entries[index] : CameraEntry();
}

QList<int> CameraBox::matches(const QString &text) const
{
    const QString typed = text.simplified();
    QList<int> found;
    if (typed.isEmpty())
        return found;
    const int whole = findText(typed, Qt::MatchFixedString);
    if (whole >= 0)
        found << whole;
    for (int i = 0; i < CocPresets::FormatCount && i < entries.size(); ++i) {
        const bool holds = itemText(i).contains(typed, Qt::CaseInsensitive) ||
                           entries[i].name.contains(typed, Qt::CaseInsensitive);
        if (holds && !found.contains(i))
            found << i;
    }
    QHash<QString, int> byName;
    for (int i = CocPresets::FormatCount; i < entries.size(); ++i)
        byName.insert(entries[i].name, i);
    for (const CameraInfo &c : CameraList::database().ranked(typed)) {
        const int i = byName.value(c.name(), -1);
        if (i >= 0 && !found.contains(i))
            found << i;
    }
    return found;
}

int CameraBox::indexOfName(const QString &name) const
{
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return findText(name, Qt::MatchFixedString);
}

void CameraBox::offer(const QString &text)
{
    QStringList names;
    for (const int i : matches(text))
        names << entries[i].name;
    offered->setStringList(names);
}

void CameraBox::takeTyped()
{
    const QString typed = lineEdit()->text().simplified();
    const QList<int> found = matches(typed);
    if (found.isEmpty() && !typed.isEmpty()) {
        // The text stays for the user to mend; the camera and its CoC stay.
        emit unknownTyped(typed);
        return;
    }
    if (!found.isEmpty() && found.first() != currentIndex())
        setCurrentIndex(found.first());
    // Whatever was typed, the box shows the camera it stands for.
    if (lineEdit()->text() != currentText())
        lineEdit()->setText(itemText(currentIndex()));
    emit unknownTyped(QString());
}
