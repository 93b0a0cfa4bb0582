#include "SystemMenu.h"

#include "Dialog.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace {

// The style of the menu bar that holds the system menu: its item keeps the
// window's icon while the menu is open. The toolkit's own style paints an
// open item as a highlight with its text on it, and this item has no text.
class IconItemStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        const bool open = item && (item->state & State_Selected) && (item->state & State_Sunken);
        if (element != CE_MenuBarItem || !open || item->icon.isNull() || !item->text.isEmpty()) return;
        const int extent = pixelMetric(PM_SmallIconSize, option, widget);
        const QPixmap icon = item->icon.pixmap(QSize(extent, extent), painter->device()->devicePixelRatio(),
                                               (item->state & State_Enabled) ? QIcon::Normal : QIcon::Disabled);
        drawItemPixmap(painter, item->rect, Qt::AlignCenter, icon);
    }
};

}  // namespace

SystemMenu::SystemMenu(CDialog* pOwner, QWidget* pWindow, QMenuBar* pMenuBar)
    : QObject(pWindow), m_pWindow(pWindow), m_pMenuBar(pMenuBar), m_pMenu(new QMenu(pWindow))
{
    QAction* close = m_pMenu->addAction(QStringLiteral("&Close"));
    close->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(close, &QAction::triggered, this, [pOwner] { pOwner->OnSysCommand(SC_CLOSE, 0); });
    QAction* menuAction = m_pMenu->menuAction();
    menuAction->setIcon(pWindow->windowIcon());
    menuAction->setToolTip(pWindow->windowTitle());
    connect(pWindow, &QWidget::windowIconChanged, menuAction, &QAction::setIcon);
    if (m_pMenuBar) {
        // The style outlives the menu bar: it goes with this object, which
        // the window made after the menu bar.
        auto* style = new IconItemStyle;
        style->setParent(this);
        m_pMenuBar->setStyle(style);
        const QList<QAction*> menus = m_pMenuBar->actions();
        m_pMenuBar->insertMenu(menus.isEmpty() ? nullptr : menus.front(), m_pMenu);
    }
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+Space")), pWindow);
    connect(shortcut, &QShortcut::activated, this, &SystemMenu::Popup);
}

void SystemMenu::Popup()
{
    const QRect item = m_pMenuBar ? m_pMenuBar->actionGeometry(m_pMenu->menuAction()) : QRect();
    m_pMenu->popup(item.isValid() ? m_pMenuBar->mapToGlobal(item.bottomLeft()) : m_pWindow->mapToGlobal(QPoint(0, 0)));
}
