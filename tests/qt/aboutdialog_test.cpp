#include "memoryregistry.h"
#include "qt/aboutbox.h"
#include "qt/aboutdialog.h"
#include "qt/canvaswidget.h"
#include "qt/gamewindow.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/widgettesthelpers.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace pomvexa::testing {
namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    AboutDialog* open() {
        aboutBox.showModeless();
        AboutDialog* dialog = aboutBox.dialog();
        if (dialog != nullptr) {
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }

    template <typename T> T* control(const char* name) {
        return aboutBox.dialog()->findChild<T*>(QString::fromLatin1(name));
    }

    static int openAboutBoxes() {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<AboutDialog*>(widget))
                count += dialog->isVisible() ? 1 : 0;
        return count;
    }

    // Lets boxes that were unloaded be destroyed, as the event loop would.
    static void destroyUnloaded() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void TearDown() override {
        aboutBox.unload();
        destroyUnloaded();
    }

    QtRuntime runtime;
    MemoryRegistry registry;
    AboutBox aboutBox{runtime, registry};
};

TEST_F(AboutBoxTest, TextsGeometryAndPosition) {
    AboutDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("关于 Pomvexa"));
    EXPECT_EQ(dialog->geometry(), QRect(156, 129, 382, 237));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dialog->windowIcon().pixmap(32, 32).isNull());

    EXPECT_EQ(control<PictureWidget>("picIcon")->geometry(), QRect(16, 16, 36, 36));
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } labels[] = {
        {"lblTitle", {70, 16, 259, 32}, "Pomvexa"},
        {"lblVersion", {70, 52, 259, 15}, "版本 1.0.0"},
        {"lblDescription", {70, 75, 259, 78}, "用鼠标点击图，点到得1分，默认为难度为中等"},
        {"lblDisclaimer", {17, 175, 242, 55}, ""},
    };
    for (const auto& label : labels) {
        QLabel* widget = control<QLabel>(label.name);
        ASSERT_NE(widget, nullptr) << label.name;
        EXPECT_EQ(widget->geometry(), label.geometry) << label.name;
        EXPECT_EQ(widget->text().toStdString(), label.text) << label.name;
    }
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } buttons[] = {
        {"cmdOK", {275, 175, 100, 23}, "确定"},
        {"cmdSysInfo", {276, 205, 99, 23}, "系统信息(&S)..."},
    };
    for (const auto& button : buttons) {
        QPushButton* widget = control<QPushButton>(button.name);
        ASSERT_NE(widget, nullptr) << button.name;
        EXPECT_EQ(widget->geometry(), button.geometry) << button.name;
        EXPECT_EQ(widget->text().toStdString(), button.text) << button.name;
    }
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("cmdOK"));
    // The focus moves from OK to the icon and on to System Info.
    EXPECT_EQ(control<QPushButton>("cmdOK")->nextInFocusChain(), control<PictureWidget>("picIcon"));
    EXPECT_EQ(control<PictureWidget>("picIcon")->nextInFocusChain(),
              control<QPushButton>("cmdSysInfo"));
}

TEST_F(AboutBoxTest, AboutThenHelpShowOneBox) {
    GameWindow window(runtime, aboutBox);
    window.show();
    window.findChild<QAction*>("about")->trigger();
    AboutDialog* first = aboutBox.dialog();
    window.findChild<QAction*>("help")->trigger();
    EXPECT_EQ(aboutBox.dialog(), first);
    EXPECT_EQ(openAboutBoxes(), 1);
}

// The element with the name and role given below the accessible object, as a screen reader
// walks the children; null if there is none.
QAccessibleInterface* findAccessible(QAccessibleInterface* in, const QString& name,
                                     QAccessible::Role role) {
    for (int index = 0; in != nullptr && index < in->childCount(); ++index) {
        QAccessibleInterface* child = in->child(index);
        if (child->text(QAccessible::Name) == name && child->role() == role)
            return child;
        if (QAccessibleInterface* found = findAccessible(child, name, role))
            return found;
    }
    return nullptr;
}

TEST_F(AboutBoxTest, ScreenReadersAreToldThePlayfieldTheFaceTheMenusAndTheIcon) {
    GameWindow window(runtime, aboutBox);
    window.show();
    QAccessibleInterface* game = QAccessible::queryAccessibleInterface(&window);
    EXPECT_NE(findAccessible(game, QStringLiteral("Pomvexa"), QAccessible::MenuBar), nullptr);
    for (QAction* menu : window.menuBar()->actions())
        EXPECT_NE(findAccessible(game, menu->text(), QAccessible::PopupMenu), nullptr)
            << menu->text().toStdString();
    QAccessibleInterface* playfield =
        findAccessible(game, QStringLiteral("游戏区"), QAccessible::Canvas);
    ASSERT_NE(playfield, nullptr);
    EXPECT_EQ(playfield->object(), window.centralWidget());
    const QAccessibleInterface* face =
        findAccessible(playfield, QStringLiteral("笑脸"), QAccessible::Graphic);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->object(), window.findChild<PictureWidget*>("Picture1"));

    window.findChild<QAction*>("about")->trigger();
    const QAccessibleInterface* icon =
        findAccessible(QAccessible::queryAccessibleInterface(aboutBox.dialog()),
                       QStringLiteral("Pomvexa"), QAccessible::Graphic);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->object(), control<PictureWidget>("picIcon"));
}

TEST_F(AboutBoxTest, LoadsAgainAfterOkButNotWhileOpen) {
    QPointer<AboutDialog> first = open();
    control<QLabel>("lblTitle")->setText(QStringLiteral("changed"));
    aboutBox.showModeless();
    EXPECT_EQ(aboutBox.dialog(), first.data());
    EXPECT_EQ(control<QLabel>("lblTitle")->text(), QStringLiteral("changed")) << "not loaded again";

    QTest::mouseClick(control<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_EQ(aboutBox.dialog(), nullptr);
    destroyUnloaded();
    EXPECT_TRUE(first.isNull()) << "unloading destroys the box";

    open();
    EXPECT_EQ(control<QLabel>("lblTitle")->text(), QStringLiteral("Pomvexa"));
    EXPECT_EQ(openAboutBoxes(), 1);
}

class AboutBoxKeyTest : public AboutBoxTest, public ::testing::WithParamInterface<const char*> {
protected:
    QWidget* focusOn(const char* name) {
        open();
        QWidget* widget = control<QWidget>(name);
        widget->setFocus();
        return widget;
    }
};

TEST_P(AboutBoxKeyTest, EscapeClosesWhateverHasTheFocus) {
    QTest::keyClick(focusOn(GetParam()), Qt::Key_Escape);
    EXPECT_EQ(aboutBox.dialog(), nullptr);
}

TEST_P(AboutBoxKeyTest, EnterClosesExceptOnSystemInfo) {
    QWidget* focused = focusOn(GetParam());
    const bool onSysInfo = std::string(GetParam()) == "cmdSysInfo";
    const SeenMessage seen =
        dismissMessageDuring([focused] { QTest::keyClick(focused, Qt::Key_Return); });
    EXPECT_EQ(seen.shown, onSysInfo);
    EXPECT_EQ(aboutBox.dialog() != nullptr, onSysInfo);
}

INSTANTIATE_TEST_SUITE_P(Focus, AboutBoxKeyTest,
                         ::testing::Values("cmdOK", "picIcon", "cmdSysInfo"));

TEST_F(AboutBoxTest, AltSRunsTheLauncherAndStaysOpen) {
    AboutDialog* dialog = open();
    EXPECT_EQ(control<QPushButton>("cmdSysInfo")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    // A mnemonic presses its button with a short animation before the click.
    const SeenMessage seen = dismissMessageDuring(
        [dialog] { QTest::keyClick(dialog, Qt::Key_S, Qt::AltModifier); }, 5000);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, QStringLiteral("此时系统信息不可用"));
    EXPECT_EQ(seen.title, QStringLiteral("Pomvexa"));
    EXPECT_EQ(aboutBox.dialog(), dialog);
    EXPECT_EQ(registry.opened.size(), 2U) << "both registry keys were tried";
}

TEST_F(AboutBoxTest, SystemInfoStartsTheToolFromTheRegistryPath) {
    registry.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                       MemoryRegistry::text("/nonexistent/info tool"));
    open();
    const SeenMessage seen = dismissMessageDuring(
        [this] { QTest::mouseClick(control<QPushButton>("cmdSysInfo"), Qt::LeftButton); });
    EXPECT_TRUE(seen.shown) << "a path that cannot start ends in the message";
    EXPECT_EQ(registry.opened.size(), 1U) << "the folder key is not tried once PATH was read";
    EXPECT_NE(aboutBox.dialog(), nullptr);
}

// The program ends when its last window closes: with the About box open, not at Exit.
TEST_F(AboutBoxTest, ExitWithBoxOpenEndsTheProgramOnlyWhenTheBoxCloses) {
    auto* window = new GameWindow(runtime, aboutBox);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    bool boxOpenAfterExit = false;
    bool stillRunningAfterExit = false;
    QTimer::singleShot(0, [&] {
        window->findChild<QAction*>("about")->trigger();
        window->findChild<QAction*>("mnuexit")->trigger();
        QTimer::singleShot(0, [&] {
            boxOpenAfterExit = aboutBox.dialog() != nullptr && aboutBox.dialog()->isVisible();
            stillRunningAfterExit = true;
            aboutBox.dialog()->findChild<QPushButton*>("cmdOK")->click();
        });
    });
    // Fails the test instead of hanging it if the program never ends.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(boxOpenAfterExit);
    EXPECT_TRUE(stillRunningAfterExit);
}

// WCAG's contrast ratio of two colours, from their relative luminance.
double contrast(QColor first, QColor second) {
    const auto luminance = [](QColor colour) {
        const auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

// The darkest pixel of a widget as shown: its text, for a label.
QColor darkest(QWidget* widget) {
    const QImage shown = widget->grab().toImage();
    QColor found = Qt::white;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qGray(shown.pixel(x, y)) < qGray(found.rgb()))
                found = shown.pixelColor(x, y);
    return found;
}

// Under a dark desktop the playfield and the About box keep their light background, so that
// their black frame and labels can be read.
TEST(DarkScheme, WindowsStayLightAndReadable) {
    const QPalette desktop = QApplication::palette();
    QPalette dark(QColor(0x32, 0x32, 0x32));
    dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
    QApplication::setPalette(dark);
    {
        QtRuntime runtime;
        MemoryRegistry registry;
        AboutBox aboutBox{runtime, registry};
        GameWindow window{runtime, aboutBox};
        const QImage playfield = window.findChild<CanvasWidget*>()->surface().image();
        EXPECT_GE(contrast(playfield.pixelColor(5, 5), playfield.pixelColor(300, 200)), 3.0);

        aboutBox.showModeless();
        AboutDialog* box = aboutBox.dialog();
        const QColor background = box->grab().toImage().pixelColor(200, 10);
        EXPECT_GE(background.lightness(), 200);
        for (const char* label : {"lblTitle", "lblVersion", "lblDescription"})
            EXPECT_GE(contrast(darkest(box->findChild<QLabel*>(label)), background), 4.5) << label;
        aboutBox.unload();
    }
    QApplication::setPalette(desktop);
}

// The box keeps its geometry; at the desktop font sizes people use its texts still fit, and at
// the usual size their fonts are the desktop's own.
TEST(AboutTexts, FitAtCommonDesktopFontSizes) {
    const QFont desktop = QApplication::font();
    for (const double points : {9.0, 10.0, 11.0}) {
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        QtRuntime runtime;
        MemoryRegistry registry;
        AboutDialog box(runtime, registry);
        auto* sysInfo = box.findChild<QPushButton*>("cmdSysInfo");
        EXPECT_EQ(sysInfo->width(), 99);
        EXPECT_LE(sysInfo->sizeHint().width(), sysInfo->width()) << points << " pt";
        for (const char* name : {"lblTitle", "lblVersion"}) {
            auto* label = box.findChild<QLabel*>(name);
            EXPECT_LE(label->fontMetrics().height(), label->height()) << name << " " << points;
        }
        auto* description = box.findChild<QLabel*>("lblDescription");
        EXPECT_LE(description->heightForWidth(description->width()), description->height());
        if (points == 9.0) {
            EXPECT_EQ(sysInfo->font(), font) << "nothing changes at the usual size";
        }
    }
    QApplication::setFont(desktop);
}

} // namespace
} // namespace pomvexa::testing
