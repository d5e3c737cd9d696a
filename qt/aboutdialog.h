#pragma once

#include "about/frmabout.h"
#include "qt/labelcontrol.h"
#include "qt/widgetwindow.h"
#include "runtime/runtime.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace pomvexa {

class PictureWidget;
class QtRuntime;
class Registry;

// The About box: a fixed dialog at a fixed place on the screen with the face icon, the title,
// the version, a description, an etched rule, OK and System Info. It owns its controls and its
// logic; unloading it closes and destroys it, and the program ends when it was the last window.
class AboutDialog : public WidgetWindow<QDialog> {
    Q_OBJECT

public:
    static constexpr QRect clientGeometry{156, 129, 382, 237};

    AboutDialog(QtRuntime& runtime, Registry& registry);
    ~AboutDialog() override;

    // Whether the box has been unloaded and only waits to be destroyed.
    bool isUnloaded() const { return unloaded; }

    // Esc presses OK, which unloads the box.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void fitTexts();
    QLabel* createLabel(const QString& text, const QRect& geometry, const char* name);

    QtRuntime& runtime;

    PictureWidget* picIcon = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;

    std::unique_ptr<LabelControl> titleLabel;
    std::unique_ptr<LabelControl> versionLabel;
    std::unique_ptr<frmAbout> form;
    bool unloaded = false;
};

} // namespace pomvexa
