#include "memoryregistry.h"
#include "qt/aboutbox.h"
#include "qt/aboutdialog.h"
#include "qt/gamewindow.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/timercontrol.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

// Every object the application can still reach: itself, its children and every top-level
// widget with everything inside it.
int liveObjects() {
    int count = 1 + static_cast<int>(qApp->findChildren<QObject*>().size());
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += 1 + static_cast<int>(widget->findChildren<QObject*>().size());
    return count;
}

void destroyUnloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Dismisses every modal message box as soon as its event loop runs, for as long as it lives.
class MessageDismisser {
public:
    MessageDismisser() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++dismissed;
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(0);
    }
    int dismissed = 0;

private:
    QTimer timer;
};

struct SessionCounts {
    int rounds = 0;
    int aboutCycles = 0;
    int expectedMessages = 0;
};

// One run of the program's windows: rounds with clicks in and outside them, level changes and
// Start during rounds, About box cycles through both menu items, closed with OK, Esc and the
// close button, System Info now and then; then Exit. Each event goes through the same delivery
// as in the running program.
void playSession(int session, int rounds, int aboutCycles, SessionCounts& counts) {
    QtRuntime runtime;
    MemoryRegistry registry;
    if (session % 2 == 1)
        registry.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                           MemoryRegistry::text("/nonexistent/system information"));
    AboutBox aboutBox(runtime, registry);
    auto* window = new GameWindow(runtime, aboutBox);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();

    auto* picture = window->findChild<PictureWidget*>("Picture1");
    auto* timer = window->findChild<TimerControl*>("Timer1");
    const auto trigger = [window](const char* name) {
        window->findChild<QAction*>(name)->trigger();
    };
    const char* const levels[] = {"mnueasy", "mnumoderate", "mnuhard", "mnuimpossible"};

    for (int round = 0; round < rounds; ++round, ++counts.rounds) {
        QTest::mouseClick(picture, Qt::LeftButton); // outside a round: nothing
        trigger("mnustartgame");
        if (round % 5 == 0) { // Start again in the middle of a round
            emit timer->ticked();
            trigger("mnustartgame");
        }
        for (int jump = 0; jump < 30; ++jump) {
            if (jump == 10)
                trigger(levels[round % 4]);
            if (jump % 3 == 0)
                QTest::mouseClick(picture, Qt::LeftButton);
            emit timer->ticked();
        }
        ++counts.expectedMessages;
        QTest::mouseClick(picture, Qt::LeftButton); // after the round: nothing
    }

    for (int cycle = 0; cycle < aboutCycles; ++cycle, ++counts.aboutCycles) {
        trigger(cycle % 2 == 0 ? "about" : "help");
        AboutDialog* dialog = aboutBox.dialog();
        ASSERT_NE(dialog, nullptr);
        if (cycle % 10 == 0) {
            dialog->findChild<QPushButton*>("cmdSysInfo")->click();
            ++counts.expectedMessages;
        }
        switch (cycle % 3) {
        case 0:
            dialog->findChild<QPushButton*>("cmdOK")->click();
            break;
        case 1:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        default:
            dialog->close(); // the title bar's close button
            break;
        }
        ASSERT_EQ(aboutBox.dialog(), nullptr);
        destroyUnloaded();
    }
    trigger("mnuexit");
    destroyUnloaded();
}

TEST(Soak, ManySessionsLeaveNothingBehind) {
    MessageDismisser dismisser;
    SessionCounts counts;
    // The toolkit makes its style, mouse and keyboard once, on first use; a first short session
    // lets it, so that what is counted afterwards is only what the sessions leave.
    playSession(0, 1, 3, counts);
    const int widgetsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    const int objectsBefore = liveObjects();

    counts = {};
    dismisser.dismissed = 0;
    for (int session = 0; session < 10; ++session)
        playSession(session, 20, 50, counts);

    EXPECT_EQ(counts.rounds, 200);
    EXPECT_EQ(counts.aboutCycles, 500);
    EXPECT_EQ(dismisser.dismissed, counts.expectedMessages);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), widgetsBefore);
    EXPECT_EQ(liveObjects(), objectsBefore);
}

} // namespace
} // namespace pomvexa::testing
