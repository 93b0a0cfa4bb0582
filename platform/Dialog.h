#pragma once

#include "DataExchange.h"
#include "Menu.h"
#include "Wnd.h"

#include <map>
#include <memory>
#include <string>

struct NMHDR {
    int idFrom;
    UINT code;
};

struct IconHandle;
using HICON = const IconHandle*;

class DialogWindow;

// A dialog built from a template: its controls, menu and system menu stand-in
// come from the resources; commands reach the message map of the class.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    CWnd* GetDlgItem(int nID);
    UINT GetTemplateID() const { return m_nIDTemplate; }
    std::string GetCaption() const;
    bool IsModalRunning() const { return m_bRunning; }
    INT_PTR GetModalResult() const { return m_nModalResult; }

    // Delivers a command (nCode BN_CLICKED: a menu item, a toolbar button or
    // a button click) or a notification to the dialog as the toolkit would:
    // through OnCmdMsg, the message map first, then IDOK and IDCANCEL to
    // OnOK and OnCancel. A command no one handles is dropped.
    void SendCommand(UINT nID, UINT nCode = BN_CLICKED, NMHDR* pNMHDR = nullptr);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    CMenu* GetSystemMenu(BOOL bRevert);
    void SetIcon(HICON hIcon, BOOL bBigIcon);

    DialogWindow* GetDialogWindow() const { return m_pWindow.get(); }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode, NMHDR* pNMHDR);

private:
    void CreateFromTemplate();
    void DestroyWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    std::unique_ptr<DialogWindow> m_pWindow;
    std::unique_ptr<CMenu> m_pSystemMenu;
    std::map<int, std::unique_ptr<CWnd>> m_itemWrappers;
    bool m_bRunning = false;
    INT_PTR m_nModalResult = -1;
};

// The message map: a table from command id (and notification code) to
// member handler, written in the class's source file:
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_COMMAND(ID_FILE_SAVE, OnSave)
//       ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnDblclkList)
//   END_MESSAGE_MAP()
//
// and declared in the class with DECLARE_MESSAGE_MAP().
template <class T>
struct MessageMapEntry {
    UINT nCode;
    UINT nID;
    void (T::*pfnCommand)();
    void (T::*pfnNotify)(NMHDR*, LRESULT*);
};

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL OnCmdMsg(UINT nID, UINT nCode, NMHDR* pNMHDR) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                   \
    BOOL theClass::OnCmdMsg(UINT nID, UINT nCode, NMHDR* pNMHDR) \
    {                                                            \
        using ThisClass = theClass;                              \
        using TheBaseClass = baseClass;                          \
        static const MessageMapEntry<ThisClass> entries[] = {
#define ON_COMMAND(id, memberFxn) {BN_CLICKED, static_cast<UINT>(id), &ThisClass::memberFxn, nullptr},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) {static_cast<UINT>(code), static_cast<UINT>(id), nullptr, &ThisClass::memberFxn},
#define END_MESSAGE_MAP()                                                                        \
    {                                                                                            \
        0, 0, nullptr, nullptr                                                                   \
    }                                                                                            \
    }                                                                                            \
    ;                                                                                            \
    for (const auto& entry : entries) {                                                          \
        if ((entry.pfnCommand || entry.pfnNotify) && entry.nID == nID && entry.nCode == nCode) { \
            if (entry.pfnCommand) {                                                              \
                (this->*entry.pfnCommand)();                                                     \
            } else {                                                                             \
                LRESULT result = 0;                                                              \
                (this->*entry.pfnNotify)(pNMHDR, &result);                                       \
            }                                                                                    \
            return TRUE;                                                                         \
        }                                                                                        \
    }                                                                                            \
    return TheBaseClass::OnCmdMsg(nID, nCode, pNMHDR);                                           \
    }
