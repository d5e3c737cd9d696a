#include "qt/qtruntime.h"

#include "qt/trace.h"
#include "runtime/runtimeerror.h"
#include "version.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <filesystem>

namespace pomvexa {
namespace {

// Room for the title bar's buttons beside the title, so that a short message does not make the
// box too narrow to show its title.
constexpr int titleBarButtonsWidth = 160;

void showBox(const QString& text) {
    const QString title = QString::fromUtf8(identity::title);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    ok->setIcon(QIcon());
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(title) + titleBarButtonsWidth;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

} // namespace

void QtRuntime::showMessage(const std::string& text, MessageStyle) {
    showBox(QString::fromStdString(text));
}

void QtRuntime::soundBeep() {
    trace::event("beep");
    beeper.beep();
}

ApplicationIdentity QtRuntime::application() const {
    return {identity::title, identity::major, identity::minor, identity::revision};
}

std::string QtRuntime::findFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    return std::filesystem::is_regular_file(file, error) ? file.filename().string() : std::string();
}

// The path is the program itself: no shell sees it and no search path is consulted, so a name
// with spaces or shell characters starts exactly that file.
void QtRuntime::launchProgram(const std::string& path, WindowStyle) {
    const QString program = QString::fromStdString(path);
    if (!QFileInfo(program).isAbsolute() || !QProcess::startDetached(program, {}))
        throw RuntimeError(RuntimeError::fileNotFound);
}

} // namespace pomvexa
