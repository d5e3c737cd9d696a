#include "qt/accessiblerole.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace pomvexa {
namespace {

constexpr char roleProperty[] = "pomvexaAccessibleRole";

// Qt asks every factory for each class of the object, the most derived first, so a widget
// with a role is answered here before Qt's own factory makes it a client area.
QAccessibleInterface* widgetWithRole(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object),
                                 static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void setAccessibleRole(QWidget& widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(widgetWithRole);
        return true;
    }();
    static_cast<void>(installed);
    widget.setProperty(roleProperty, static_cast<int>(role));
}

} // namespace pomvexa
