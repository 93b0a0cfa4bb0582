#pragma once

#include "Types.h"

#include <string>
#include <vector>

class QWidget;
class CDialog;

// A window or control. Controls are attached to the widgets that their
// dialog built from its template; the dialog owns the widgets.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    QWidget* GetSafeWidget() const { return m_pWidget; }
    bool IsAttached() const { return m_pWidget != nullptr; }
    void Attach(QWidget* pWidget, int nID);
    void Detach();
    int GetDlgCtrlID() const { return m_nID; }

    // Texts are ANSI. A multi-line edit gives its line breaks as CR LF.
    void SetWindowText(const std::string& strText);
    std::string GetWindowText() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetFocus();

    // A modal message box without an icon, owned by this window: one OK
    // button, or a question (MB_YESNO, MB_YESNOCANCEL) whose answer is
    // returned. Without a caption it carries the application title.
    int MessageBox(const std::string& strText, const char* pszCaption = nullptr, UINT nType = MB_OK);

protected:
    QWidget* m_pWidget = nullptr;
    int m_nID = 0;
};

// Stops the program with a message naming the wrapper when it is used
// before it was attached to a control of the right kind: a programming
// error, never something a user can cause.
void AfxAssertAttached(bool bAttached, const char* pszWrapper);

// A message box owned by the main window, under the application title.
int AfxMessageBox(const std::string& strText, UINT nType = MB_OK);

// The buttons of a message box of type nType, left to right: their labels and
// what each returns.
struct MessageBoxButton {
    std::string strLabel;
    int nResult;
};
std::vector<MessageBoxButton> MessageBoxButtons(UINT nType);
// What Esc and the close box return: the last button's result.
int MessageBoxEscapeResult(UINT nType);
