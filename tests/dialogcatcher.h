#ifndef DIALOGCATCHER_H
#define DIALOGCATCHER_H

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>

// Answers the modal dialogs that a call under test opens, so the call
// returns instead of waiting for a user. While it lives it looks for a modal
// dialog every few milliseconds: it counts each one, keeps the title, text
// and icon of a message box, hands the dialog to the test's own inspect
// function if there is one, and then cancels whatever is still open.
class DialogCatcher
{
public:
    using Inspect = std::function<void(QDialog *)>;

    explicit DialogCatcher(Inspect inspect = nullptr) : inspect(std::move(inspect))
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] { answer(); });
        timer.start(10);
    }

    int dialogs = 0;
    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    void answer()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        ++dialogs;
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            titles << box->windowTitle();
            texts << box->text();
            icons << box->icon();
        }
        if (inspect)
            inspect(dialog);
        if (dialog->isVisible())
            dialog->reject();
    }

    Inspect inspect;
    QTimer timer;
};

#endif // DIALOGCATCHER_H
