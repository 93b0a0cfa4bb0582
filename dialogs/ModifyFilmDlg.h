#pragma once

#include "Dialog.h"

#include <string>

// The Modify dialog: the original title of the film that takes the values of
// the details panel.
class CModifyFilmDlg : public CDialog {
public:
    explicit CModifyFilmDlg(CWnd* pParent = nullptr);
    ~CModifyFilmDlg() override;

    std::string m_strFilmToModify;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
