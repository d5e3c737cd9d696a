#include "memoryregistry.h"
#include "qt/aboutbox.h"
#include "qt/gamewindow.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/timercontrol.h"
#include "qt/widgettesthelpers.h"
#include "runtime/runtimeerror.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    PictureWidget* picture() { return window.findChild<PictureWidget*>("Picture1"); }
    TimerControl* timer() { return window.findChild<TimerControl*>("Timer1"); }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    void tick() { emit timer()->ticked(); }
    void clickFace() { QTest::mouseClick(picture(), Qt::LeftButton, {}, QPoint(50, 50)); }

    QtRuntime runtime;
    MemoryRegistry registry;
    AboutBox aboutBox{runtime, registry};
    GameWindow window{runtime, aboutBox};
};

TEST_F(GameWindowTest, FixedClientAreaWithoutMinimiseOrMaximise) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pomvexa-  tarnik"));
    EXPECT_EQ(window.centralWidget()->size(), QSize(527, 391));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.height(), 391 + window.menuBar()->height());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(picture()->geometry(), QRect(24, 16, 100, 100));
}

TEST_F(GameWindowTest, MenuTreeHasCaptionsSeparatorShortcutAndCheckMark) {
    QStringList tree;
    for (QAction* menuAction : window.menuBar()->actions()) {
        tree << menuAction->text();
        for (QAction* item : menuAction->menu()->actions()) {
            QString line = item->isSeparator() ? QStringLiteral("-") : "  " + item->text();
            if (!item->shortcut().isEmpty())
                line += " [" + item->shortcut().toString() + "]";
            if (item->isChecked())
                line += " *";
            tree << line;
        }
    }
    EXPECT_EQ(tree.join('\n').toStdString(), "游戏(G)\n  开始(S) [Ctrl+N]\n-\n  退出(E)\n"
                                             "难度\n  简单\n  中等 *\n  困难\n  艰难\n"
                                             "帮助\n  帮助\n  关于");
}

TEST_F(GameWindowTest, ClickScoresOnlyWhileRoundRuns) {
    clickFace();
    EXPECT_EQ(window.game().currentScore(), 0);
    EXPECT_EQ(timer()->interval(), 0);

    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(timer()->interval(), 500);
    clickFace();
    clickFace();
    EXPECT_EQ(window.game().currentScore(), 2);

    // A click on the playfield beside the face does nothing.
    QTest::mouseClick(window.centralWidget(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(window.game().currentScore(), 2);

    // A press that leaves the picture before its release is no click.
    QTest::mousePress(picture(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(window.game().currentScore(), 2);
}

TEST_F(GameWindowTest, WholeRoundEndsInScoreBox) {
    action("mnuimpossible")->trigger();
    action("mnustartgame")->trigger();
    EXPECT_EQ(timer()->interval(), 250);
    clickFace();
    for (int jump = 1; jump < 30; ++jump) {
        tick();
        const QPoint at = picture()->pos();
        ASSERT_TRUE(at.x() >= 20 && at.x() <= 410 && at.y() >= 20 && at.y() <= 250)
            << at.x() << "," << at.y();
    }
    clickFace();
    const SeenMessage box = dismissMessageDuring([this] { tick(); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text.toStdString(), "你的成绩:2");
    EXPECT_EQ(box.title, QStringLiteral("Pomvexa"));
    EXPECT_EQ(box.buttonText, QStringLiteral("确定"));
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_FALSE(box.buttonHasIcon);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(timer()->interval(), 0);
    clickFace();
    EXPECT_EQ(window.game().currentScore(), 2);
}

TEST_F(GameWindowTest, ChosenLevelAloneCarriesTheCheckMark) {
    const char* const levels[] = {"mnueasy", "mnumoderate", "mnuhard", "mnuimpossible"};
    for (const char* chosen : {"mnuhard", "mnuhard", "mnueasy", "mnuimpossible"}) {
        action(chosen)->trigger();
        for (const char* level : levels)
            EXPECT_EQ(action(level)->isChecked(), std::string(level) == chosen)
                << level << " after choosing " << chosen;
    }
}

TEST_F(GameWindowTest, ExitDuringARoundClosesTheWindowAndStopsTheTimerAtOnce) {
    action("mnustartgame")->trigger();
    action("mnuexit")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(timer()->interval(), 0);
}

TEST(EventDelivery, RunTimeErrorIsReportedAndDoesNotEscape) {
    QtRuntime runtime;
    bool stepBeforeErrorDone = false;
    const SeenMessage box = dismissMessageDuring([&] {
        deliver(runtime, [&] {
            stepBeforeErrorDone = true;
            throw RuntimeError(RuntimeError::overflow);
        });
    });
    EXPECT_TRUE(stepBeforeErrorDone);
    ASSERT_TRUE(box.shown);
    EXPECT_TRUE(box.text.contains(QStringLiteral("Overflow")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("6")));
    EXPECT_EQ(box.title, QStringLiteral("Pomvexa"));
    EXPECT_EQ(box.buttonText, QStringLiteral("确定"));
}

} // namespace
} // namespace pomvexa::testing
