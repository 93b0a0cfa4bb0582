#pragma once

#include "Dialog.h"

// The Top dialog: rank the seen list by rating or by number of viewings.
class CTopDlg : public CDialog {
public:
    explicit CTopDlg(CWnd* pParent = nullptr);
    ~CTopDlg() override;

    int m_nCriterion;  // 0 rating, 1 number of viewings, -1 none selected

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
