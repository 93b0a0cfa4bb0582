#pragma once

#include "Types.h"

#include <string>

class CDialog;
class CWnd;

// One run of a dialog's data exchange: outwards (members to controls) or
// inwards (controls to members, validated). A failed validation marks the
// exchange failed, and the exchange functions after it do nothing.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    bool Failed() const { return m_bFailed; }
    // Marks the exchange failed and gives control nID the focus, its text selected.
    void Fail(int nID);

private:
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
