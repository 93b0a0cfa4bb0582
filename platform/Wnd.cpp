#include "Wnd.h"

#include "DialogPushButton.h"
#include "FocusReturn.h"
#include "ModalDriver.h"
#include "QtBridge.h"
#include "WinApp.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <vector>

CWnd::~CWnd() = default;

void AfxAssertAttached(bool bAttached, const char* pszWrapper)
{
    if (bAttached) return;
    std::fprintf(stderr, "%s used before it was attached to its control\n", pszWrapper);
    std::abort();
}

void CWnd::Attach(QWidget* pWidget, int nID)
{
    m_pWidget = pWidget;
    m_nID = nID;
}

void CWnd::Detach()
{
    m_pWidget = nullptr;
    m_nID = 0;
}

void CWnd::SetWindowText(const std::string& strText)
{
    if (m_pWidget) SetWidgetText(m_pWidget, strText);
}

std::string CWnd::GetWindowText() const { return m_pWidget ? GetWidgetText(m_pWidget) : std::string(); }

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget) return FALSE;
    const BOOL wasDisabled = m_pWidget->isEnabled() ? FALSE : TRUE;
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_pWidget && m_pWidget->isEnabled() ? TRUE : FALSE; }

void CWnd::SetFocus()
{
    if (m_pWidget) m_pWidget->setFocus(Qt::OtherFocusReason);
}

namespace {
QMessageBox::ButtonRole RoleOf(int nResult)
{
    switch (nResult) {
    case IDYES:
        return QMessageBox::YesRole;
    case IDNO:
        return QMessageBox::NoRole;
    case IDCANCEL:
        return QMessageBox::RejectRole;
    default:
        return QMessageBox::AcceptRole;
    }
}

// A small box is at least as wide as its caption with the caption's icon
// and buttons, so that the caption is never cut.
void WidenToCaption(QMessageBox& box)
{
    constexpr int kCaptionExtras = 120;  // the icon and the buttons of the caption
    QFont captionFont = box.font();
    captionFont.setBold(true);
    const int width = QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) + kCaptionExtras;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

int ShowMessageBox(QWidget* pOwner, const std::string& strText, const std::string& strCaption, UINT nType)
{
    const FocusReturn focusReturn;
    if (CModalDriver* driver = AfxGetModalDriver()) return driver->RunMessageBox(strCaption, strText, nType);
    // A box shown before its owner has appeared stands where the owner will
    // open, centred on the screen; the hidden owner has no place yet.
    QMessageBox box(pOwner && pOwner->isVisible() ? pOwner : nullptr);
    box.setWindowTitle(ToQt(strCaption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQt(strText));
    box.setIcon(QMessageBox::NoIcon);
    // Plain buttons with our own labels, no icon on them; the first is the
    // one Enter presses, and is marked so.
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons(nType);
    std::vector<QPushButton*> pushButtons;
    for (const MessageBoxButton& button : buttons) {
        pushButtons.push_back(new DialogPushButton(QString::fromStdString(button.strLabel), &box));
        box.addButton(pushButtons.back(), RoleOf(button.nResult));
    }
    box.setDefaultButton(pushButtons.front());
    box.setEscapeButton(pushButtons.back());
    // The buttons stand in the middle of the box's width, as on the
    // platform the program comes from.
    if (auto* row = box.findChild<QDialogButtonBox*>()) row->setCenterButtons(true);
    WidenToCaption(box);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == pushButtons[i]) return buttons[i].nResult;
    }
    return buttons.back().nResult;
}
}  // namespace

std::vector<MessageBoxButton> MessageBoxButtons(UINT nType)
{
    switch (nType & 0xF) {
    case MB_YESNOCANCEL:
        return {{"Da", IDYES}, {"Nu", IDNO}, {"Anulare", IDCANCEL}};
    case MB_YESNO:
        return {{"Da", IDYES}, {"Nu", IDNO}};
    default:
        return {{"OK", IDOK}};
    }
}

int MessageBoxEscapeResult(UINT nType)
{
    // Esc and the close box take the way out where there is one; a yes-or-no
    // question has none and takes the safe "Nu".
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons(nType);
    return buttons.back().nResult;
}

int CWnd::MessageBox(const std::string& strText, const char* pszCaption, UINT nType)
{
    return ShowMessageBox(m_pWidget ? m_pWidget->window() : nullptr, strText,
                          pszCaption ? std::string(pszCaption) : AfxGetAppTitle(), nType);
}

int AfxMessageBox(const std::string& strText, UINT nType)
{
    CWnd* main = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    return ShowMessageBox(main ? main->GetSafeWidget() : nullptr, strText, AfxGetAppTitle(), nType);
}
