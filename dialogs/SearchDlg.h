#pragma once

#include "Dialog.h"

#include <string>

// The Search dialog: the fields to look in, exact or approximate comparison,
// the identifier and the lists to search.
class CSearchDlg : public CDialog {
public:
    explicit CSearchDlg(CWnd* pParent = nullptr);
    ~CSearchDlg() override;

    int m_nSearchType;  // 0 exact, 1 approximate, -1 none selected
    int m_bOriginalTitle;
    int m_bTitle;
    int m_bCountry;
    int m_bYear;
    int m_bDirector;
    int m_bCast;
    int m_bRating;
    std::string m_strIdentifier;
    int m_bSeen;
    int m_bToSee;
    int m_bViewings;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnExact();
    void OnApproximate();

    DECLARE_MESSAGE_MAP()
};
