#include "enterpressesbutton.h"

#include <QKeyEvent>
#include <QPushButton>

EnterPressesButton::EnterPressesButton(QObject *parent) : QObject(parent) {}

void EnterPressesButton::installOn(QWidget *root)
{
    auto *filter = new EnterPressesButton(root);
    for (QPushButton *button : root->findChildren<QPushButton *>())
        button->installEventFilter(filter);
}

bool EnterPressesButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // A modified Enter stays free for shortcuts.
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    auto *button = qobject_cast<QPushButton *>(watched);
    if (!button || !button->isEnabled() || button->autoDefault() || button->isDefault())
        return false;
    // click() runs pressed, released and clicked: the window's copy and
    // swap buttons act on released.
    button->click();
    return true;
}
