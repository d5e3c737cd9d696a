#include "qtruntime.h"

#include "runtimeerror.h"
#include "version.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace pomvexa {
namespace {

void showBox(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(identity::title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

QString describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtimeError) {
        return QStringLiteral("运行时错误 '%1':\n\n%2")
            .arg(runtimeError.number())
            .arg(QString::fromStdString(runtimeError.text()));
    } catch (const std::exception& other) {
        return QStringLiteral("内部错误:\n\n%1").arg(QString::fromLocal8Bit(other.what()));
    } catch (...) {
        return QStringLiteral("内部错误");
    }
}

} // namespace

void QtRuntime::showMessage(const std::string& text, MessageStyle) {
    showBox(QString::fromStdString(text));
}

void QtRuntime::reportError(std::exception_ptr error) noexcept {
    try {
        showBox(describe(error));
    } catch (...) {
        // Not even the report could be shown; the program still must not end here.
        std::fputs("Pomvexa: an error could not be reported\n", stderr);
    }
}

} // namespace pomvexa
