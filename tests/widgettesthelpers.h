#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace pomvexa::testing {

// What a modal message box showed, read while it was open.
struct SeenMessage {
    bool shown = false;
    QString title;
    QString text;
    QString buttonText;
    bool buttonHasIcon = false;
    int buttonCount = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs an action that opens a modal message box, reads the box once its event loop runs and
// dismisses it with its OK button.
inline SeenMessage dismissMessageDuring(const std::function<void()>& action) {
    SeenMessage seen;
    // Owned here, so that it cannot fire after this function has returned.
    QTimer reader;
    reader.setSingleShot(true);
    QObject::connect(&reader, &QTimer::timeout, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttonCount = static_cast<int>(box->buttons().size());
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            seen.buttonText = ok->text();
            seen.buttonHasIcon = !ok->icon().isNull();
            ok->click();
        } else {
            box->reject();
        }
    });
    reader.start(0);
    action();
    return seen;
}

} // namespace pomvexa::testing
