#include "Wnd.h"

#include "ModalDriver.h"
#include "QtBridge.h"
#include "WinApp.h"

#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <vector>

CWnd::~CWnd() = default;

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
    case IDYES: return QMessageBox::YesRole;
    case IDNO: return QMessageBox::NoRole;
    case IDCANCEL: return QMessageBox::RejectRole;
    default: return QMessageBox::AcceptRole;
    }
}

int ShowMessageBox(QWidget* pOwner, const std::string& strText, const std::string& strCaption, UINT nType)
{
    if (CModalDriver* driver = AfxGetModalDriver()) return driver->RunMessageBox(strCaption, strText, nType);
    QMessageBox box(pOwner);
    box.setWindowTitle(ToQt(strCaption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQt(strText));
    box.setIcon(QMessageBox::NoIcon);
    // Plain buttons with our own labels: no icon on the box, none on them.
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons(nType);
    std::vector<QPushButton*> pushButtons;
    for (const MessageBoxButton& button : buttons) {
        pushButtons.push_back(box.addButton(QString::fromStdString(button.strLabel), RoleOf(button.nResult)));
        pushButtons.back()->setIcon(QIcon());
    }
    box.setDefaultButton(pushButtons.front());
    box.setEscapeButton(pushButtons.back());
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
    case MB_YESNOCANCEL: return {{"Da", IDYES}, {"Nu", IDNO}, {"Anulare", IDCANCEL}};
    case MB_YESNO: return {{"Da", IDYES}, {"Nu", IDNO}};
    default: return {{"OK", IDOK}};
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
