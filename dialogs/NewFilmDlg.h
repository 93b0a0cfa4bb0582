#pragma once

#include "Dialog.h"

// The New dialog: which list the film of the details panel goes into.
class CNewFilmDlg : public CDialog {
public:
    explicit CNewFilmDlg(CWnd* pParent = nullptr);
    ~CNewFilmDlg() override;

    // 0 the seen list, 1 the to-see list, -1 none chosen.
    int m_nTargetList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSeenList();
    void OnToSeeList();

    DECLARE_MESSAGE_MAP()
};
