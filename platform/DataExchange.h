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
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    bool Failed() const { return m_bFailed; }
    // Marks the exchange failed and gives control nID the focus, its text selected.
    void Fail(int nID);

private:
    bool m_bFailed = false;
};

// The exchange functions, each between control nIDC of the dialog and one
// member, in the direction of the exchange:
// DDX_Control attaches the wrapper to the control (once; both directions).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// DDX_Text: the text of an edit box, in the code page.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// DDX_Text of a number: inwards, blanks around an optional sign and decimal
// digits that fit in 32 bits; anything else warns "Please enter an integer.",
// fails the exchange and leaves the member as it was.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// DDX_CBString: the text of a combo box; outwards the first item that begins
// with the text, ignoring case, is selected, else the text itself is shown.
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
// DDX_Radio: the index of the checked button of the group that starts at
// control nIDC (the first button 0, the next 1, ...), -1 when none is.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// DDX_Check: a check box, 1 checked and 0 clear.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
