#pragma once

#include "Wnd.h"

#include <string>
#include <vector>

struct TBBUTTON {
    int iBitmap;  // image index; the width in pixels for a separator
    int idCommand;
    unsigned char fsState;
    unsigned char fsStyle;
    INT_PTR iString;  // label index
};

// The toolbar: a strip of images, labels under them, buttons that send their
// command to the parent window.
class CToolBarCtrl : public CWnd {
public:
    BOOL Create(unsigned dwStyle, const CRect& rect, CDialog* pParentWnd, UINT nID);
    BOOL SetButtonSize(CSize size);
    BOOL SetBitmapSize(CSize size);
    // Adds nNumButtons images cut from bitmap resource nBitmapID.
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    // Adds labels given as zero-terminated texts ended by a second zero.
    int AddStrings(const char* pszStrings);
    BOOL AddButtons(int nNumButtons, const TBBUTTON* pButtons);
    void AutoSize();
    int GetButtonCount() const;
    // The command of button nIndex (0 for a separator); its label; its separator width.
    bool GetButtonInfo(int nIndex, TBBUTTON& button) const;
    std::string GetButtonText(int nIndex) const;

private:
    CDialog* m_pParent = nullptr;
    CSize m_buttonSize{24, 22};
    CSize m_bitmapSize{16, 15};
    std::vector<std::string> m_labels;
    std::vector<TBBUTTON> m_buttons;
    int m_nImages = 0;
};
