#include "Dialog.h"

#include "DialogWindow.h"
#include "FocusReturn.h"
#include "IconResource.h"
#include "ModalDriver.h"
#include "WinApp.h"

#include <QApplication>
#include <QWidget>

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() { DestroyWindow(); }

void CDialog::CreateFromTemplate()
{
    DestroyWindow();
    const DialogTemplate* tmpl = AfxGetResources().FindDialog(static_cast<int>(m_nIDTemplate));
    DialogTemplate empty;
    empty.id = static_cast<int>(m_nIDTemplate);
    empty.styles = {"WS_POPUP", "WS_CAPTION", "WS_SYSMENU"};
    CWnd* parent = m_pParentWnd;
    if (!parent && AfxGetApp() && AfxGetApp()->m_pMainWnd != this) parent = AfxGetApp()->m_pMainWnd;
    m_pWindow = std::make_unique<DialogWindow>(this, tmpl ? *tmpl : empty, parent ? parent->GetSafeWidget() : nullptr);
    Attach(m_pWindow.get(), 0);
}

void CDialog::DestroyWindow()
{
    m_pSystemMenu.reset();
    m_itemWrappers.clear();
    Detach();
    m_pWindow.reset();
}

INT_PTR CDialog::DoModal()
{
    const FocusReturn focusReturn;
    CreateFromTemplate();
    m_bRunning = true;
    m_nModalResult = -1;
    if (m_pWindow->parentWidget()) m_pWindow->setWindowModality(Qt::ApplicationModal);
    if (OnInitDialog()) {
        // The first control in tab order that takes the focus gets it.
        for (const auto& control : m_pWindow->Template().controls) {
            QWidget* widget = m_pWindow->Control(control.id);
            if (widget && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus &&
                control.kind != ControlKind::Label && control.kind != ControlKind::GroupBox &&
                control.kind != ControlKind::Icon) {
                widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    if (m_bRunning) {
        m_pWindow->show();
        m_pWindow->activateWindow();
        if (CModalDriver* driver = AfxGetModalDriver())
            driver->RunDialog(*this);
        else
            m_pWindow->RunLoop();
    }
    if (m_pWindow) m_pWindow->hide();
    return m_nModalResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bRunning = false;
    if (m_pWindow) m_pWindow->QuitLoop();
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

CWnd* CDialog::GetDlgItem(int nID)
{
    if (!m_pWindow) return nullptr;
    QWidget* widget = m_pWindow->Control(nID);
    if (!widget) return nullptr;
    // One wrapper per control for as long as the window lives, like the
    // framework's temporary windows.
    auto& wrapper = m_itemWrappers[nID];
    if (!wrapper) wrapper = std::make_unique<CWnd>();
    wrapper->Attach(widget, nID);
    return wrapper.get();
}

std::string CDialog::GetCaption() const { return m_pWindow ? m_pWindow->Template().caption : std::string(); }

void CDialog::SendCommand(UINT nID, UINT nCode, NMHDR* pNMHDR) { OnCmdMsg(nID, nCode, pNMHDR); }

BOOL CDialog::OnCmdMsg(UINT nID, UINT nCode, NMHDR*)
{
    if (nCode != BN_CLICKED) return FALSE;
    if (nID == IDOK) {
        OnOK();
        return TRUE;
    }
    if (nID == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == SC_CLOSE) SendCommand(IDCANCEL);
}

CMenu* CDialog::GetSystemMenu(BOOL)
{
    if (!m_pWindow) return nullptr;
    if (!m_pSystemMenu) m_pSystemMenu = std::make_unique<CMenu>(m_pWindow->SystemMenu(), this);
    return m_pSystemMenu.get();
}

void CDialog::SetIcon(HICON hIcon, BOOL)
{
    if (!hIcon || !m_pWindow) return;
    m_pWindow->setWindowIcon(hIcon->icon);
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this) QApplication::setWindowIcon(hIcon->icon);
}
