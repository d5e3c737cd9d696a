#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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
// dismisses it with its OK button. Where the box opens only some time after the action, as
// after a button's animated click, waits for it at most waitMilliseconds.
inline SeenMessage dismissMessageDuring(const std::function<void()>& action,
                                        int waitMilliseconds = 0) {
    SeenMessage seen;
    // Owned here, so that it cannot fire after this function has returned. It looks for the
    // box on every pass of the event loop until it has seen one.
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&seen, &reader] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        reader.stop();
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
    if (!seen.shown && waitMilliseconds > 0)
        static_cast<void>(QTest::qWaitFor([&seen] { return seen.shown; }, waitMilliseconds));
    return seen;
}

} // namespace pomvexa::testing
