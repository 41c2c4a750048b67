#ifndef ENTERPRESSESBUTTON_H
#define ENTERPRESSESBUTTON_H

#include <QObject>

class QWidget;

// Return and Enter press the focused push button, as Space does. Outside a
// dialog Qt's push buttons take only Space, which leaves keyboard users who
// confirm with Enter with a button that does nothing. Unlike auto-default
// buttons this changes neither a button's size nor its look in any style.
class EnterPressesButton : public QObject
{
public:
    explicit EnterPressesButton(QObject *parent = nullptr);

    // Watches every push button under root; the filter is a child of root.
    static void installOn(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif // ENTERPRESSESBUTTON_H
