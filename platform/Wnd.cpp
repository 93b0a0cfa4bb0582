#include "Wnd.h"

#include "FocusReturn.h"
#include "ModalDriver.h"
#include "QtBridge.h"
#include "WinApp.h"

#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

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
int ShowMessageBox(QWidget* pOwner, const std::string& strText, const std::string& strCaption)
{
    const FocusReturn focusReturn;
    if (CModalDriver* driver = AfxGetModalDriver()) {
        driver->RunMessageBox(strCaption, strText);
        return IDOK;
    }
    QMessageBox box(pOwner);
    box.setWindowTitle(ToQt(strCaption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQt(strText));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    // A plain OK: no icon on the box, none on its button either.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
    return IDOK;
}
}  // namespace

int CWnd::MessageBox(const std::string& strText, const char* pszCaption, UINT)
{
    return ShowMessageBox(m_pWidget ? m_pWidget->window() : nullptr, strText,
                          pszCaption ? std::string(pszCaption) : AfxGetAppTitle());
}

int AfxMessageBox(const std::string& strText, UINT)
{
    CWnd* main = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    return ShowMessageBox(main ? main->GetSafeWidget() : nullptr, strText, AfxGetAppTitle());
}
