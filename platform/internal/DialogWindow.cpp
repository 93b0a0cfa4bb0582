#include "DialogWindow.h"

#include "AccessibleNames.h"
#include "ControlFactory.h"
#include "DialogPushButton.h"
#include "QtBridge.h"
#include "SystemMenu.h"
#include "WinApp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What the window manager's frame adds round a window, before the window is
// shown and the frame known: the toolkit's own guess for placing dialogs.
constexpr QSize kFrameAllowance(10, 40);

// The frame the template's styles ask for: a caption, a close box with the
// system menu, a minimise or maximise box only where the template has one.
Qt::WindowFlags FrameHints(const DialogTemplate& tmpl)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (tmpl.HasStyle("WS_CAPTION")) flags |= Qt::WindowTitleHint;
    if (tmpl.HasStyle("WS_SYSMENU")) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.HasStyle("WS_MINIMIZEBOX")) flags |= Qt::WindowMinimizeButtonHint;
    if (tmpl.HasStyle("WS_MAXIMIZEBOX")) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

}  // namespace

DialogWindow::DialogWindow(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pParent)
    : QDialog(pParent), m_pOwner(pOwner), m_template(tmpl), m_units(DialogFont(tmpl))
{
    setWindowFlags(FrameHints(tmpl));
    setWindowTitle(ToQt(tmpl.caption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (tmpl.menuId != 0) {
        if (const MenuTemplate* menu = AfxGetResources().FindMenu(tmpl.menuId)) {
            m_pMenuBar = new QMenuBar(this);
            layout->setMenuBar(m_pMenuBar);
            BuildMenu(*menu);
        }
    }
    FitFontToScreen(pParent);

    m_pClient = new QWidget(this);
    const QPoint size = ToPixels(tmpl.cx, tmpl.cy);
    m_pClient->setFixedSize(size.x(), size.y());
    layout->addWidget(m_pClient);
    ControlFactory factory(pOwner, m_template, m_pClient, m_units, m_dPixelScale);
    for (const auto& control : m_template.controls) {
        QWidget* widget = factory.Build(control);
        if (widget && control.id != IDC_STATIC) m_controls.emplace(control.id, widget);
    }
    // The mark of the button Enter presses follows the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        for (const auto& [id, control] : m_controls)
            if (dynamic_cast<DialogPushButton*>(control)) control->update();
    });
    NameControls();
    // Group boxes frame the controls drawn over them.
    for (QGroupBox* group : m_pClient->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) group->lower();
}

void DialogWindow::FitFontToScreen(QWidget* pParent)
{
    const QFont asked = DialogFont(m_template);
    const QScreen* screen = pParent ? pParent->screen() : QGuiApplication::primaryScreen();
    QFont font = asked;
    if (screen) {
        const QSize room = screen->availableGeometry().size();
        const auto windowSize = [this](const QFont& candidate) {
            const QPoint client = DialogUnits(candidate).ToPixels(m_template.cx, m_template.cy);
            int menu = 0;
            if (m_pMenuBar) {
                m_pMenuBar->setFont(candidate);
                menu = m_pMenuBar->sizeHint().height();
            }
            return QSize(client.x(), client.y() + menu) + kFrameAllowance;
        };
        font = FitDialogFont(asked, windowSize, room);
        if (m_pMenuBar) m_pMenuBar->setFont(QFont());  // it takes the window's font again
    }
    setFont(font);
    m_units = DialogUnits(font);
    const QPoint askedSize = DialogUnits(asked).ToPixels(m_template.cx, m_template.cy);
    const QPoint size = m_units.ToPixels(m_template.cx, m_template.cy);
    if (askedSize.x() > 0 && askedSize.y() > 0)
        m_dPixelScale = std::min(
            {1.0, static_cast<double>(size.x()) / askedSize.x(), static_cast<double>(size.y()) / askedSize.y()});
}

int DialogWindow::ScaledPixels(int nPixels) const { return qRound(nPixels * m_dPixelScale); }

double PixelScaleOf(const QWidget* pWidget)
{
    const auto* window = pWidget ? dynamic_cast<const DialogWindow*>(pWidget->window()) : nullptr;
    return window ? window->PixelScale() : 1.0;
}

void DialogWindow::BuildMenu(const MenuTemplate& menu)
{
    for (const auto& popup : menu.popups) {
        QMenu* pMenu = m_pMenuBar->addMenu(ToQt(popup.text));
        for (const auto& item : popup.children) {
            if (item.separator) {
                pMenu->addSeparator();
                continue;
            }
            QAction* action = pMenu->addAction(ToQt(item.text));
            const int id = item.id;
            m_menuActions[id] = action;
            connect(action, &QAction::triggered, this, [this, id] { m_pOwner->SendCommand(static_cast<UINT>(id)); });
        }
    }
}

void DialogWindow::NameControls()
{
    // A screen reader reads a control by its name; a label that names a
    // control also gives it the focus of its mnemonic.
    for (const AccessibleName& name : AccessibleNames(m_template)) {
        QWidget* widget = Control(name.controlId);
        if (!widget) continue;
        widget->setAccessibleName(ToQt(name.name));
        if (name.labelIndex < 0) continue;
        if (auto* label = m_pClient->findChild<QLabel*>(QStringLiteral("label%1").arg(name.labelIndex)))
            label->setBuddy(widget);
    }
}

QWidget* DialogWindow::Control(int nID) const
{
    const auto it = m_controls.find(nID);
    return it == m_controls.end() ? nullptr : it->second;
}

int DialogWindow::IdOf(const QWidget* pWidget) const
{
    for (const QWidget* w = pWidget; w && w != this; w = w->parentWidget())
        for (const auto& [id, control] : m_controls)
            if (control == w) return id;
    return 0;
}

QToolButton* DialogWindow::CommandButton(int nID) const
{
    const auto it = m_toolButtons.find(nID);
    return it == m_toolButtons.end() ? nullptr : it->second;
}

QAction* DialogWindow::MenuAction(int nID) const
{
    const auto it = m_menuActions.find(nID);
    return it == m_menuActions.end() ? nullptr : it->second;
}

QMenu* DialogWindow::SystemMenu()
{
    if (!m_pSystemMenu) m_pSystemMenu = new ::SystemMenu(m_pOwner, this, m_pMenuBar);
    return m_pSystemMenu->Menu();
}

void DialogWindow::RunLoop()
{
    QEventLoop loop;
    m_pLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_pLoop = nullptr;
}

void DialogWindow::QuitLoop()
{
    if (m_pLoop) m_pLoop->exit(0);
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    // The dialog manager's keys: Enter sends the default button's command
    // (IDOK without one), Esc sends IDCANCEL.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        for (const auto& [id, control] : m_controls) {
            auto* button = qobject_cast<QPushButton*>(control);
            if (button && button->isDefault()) {
                if (button->isEnabled()) button->click();
                return;
            }
        }
        m_pOwner->SendCommand(IDOK);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        m_pOwner->SendCommand(IDCANCEL);
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_pOwner->IsModalRunning()) m_pOwner->OnSysCommand(SC_CLOSE, 0);
}

void DialogWindow::reject() { m_pOwner->SendCommand(IDCANCEL); }

void DialogWindow::accept() { m_pOwner->SendCommand(IDOK); }
