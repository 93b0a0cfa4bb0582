#pragma once

#include "Wnd.h"

#include <string>

class QComboBox;

// Single- and multi-line edit boxes.
class CEdit : public CWnd {
public:
    void SetSel(int nStart, int nEnd);
};

// Push buttons, check boxes and radio buttons.
class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
};

// The drop-down combo box with an editable field.
class CComboBox : public CWnd {
public:
    int AddString(const std::string& strItem);
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    std::string GetLBText(int nIndex) const;
    // Selects the first item from nStartAfter + 1 that begins with strPrefix,
    // ignoring case; returns its index or -1 (CB_ERR) when none does.
    int SelectString(int nStartAfter, const std::string& strPrefix);

private:
    // The combo box attached; using the wrapper before DDX_Control attached
    // it is a programming error and stops the program.
    QComboBox* Combo() const;
};
