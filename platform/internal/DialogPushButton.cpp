#include "DialogPushButton.h"

#include <QPainter>

DialogPushButton::DialogPushButton(const QString& text, QWidget* pParent) : QPushButton(text, pParent) {}

bool DialogPushButton::IsEnterTarget() const
{
    if (!isEnabled()) return false;
    // The window's focus widget, whether or not the window is active: an
    // inactive dialog keeps its mark.
    const QWidget* focused = window()->focusWidget();
    if (focused == this) return true;
    return isDefault() && !qobject_cast<const QPushButton*>(focused);
}

void DialogPushButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!IsEnterTarget()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
