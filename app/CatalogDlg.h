#pragma once

#include "Catalogue.h"
#include "Controls.h"
#include "Dialog.h"
#include "Film.h"
#include "ListCtrl.h"
#include "ListRowSource.h"
#include "ToolBarCtrl.h"

#include <string>
#include <vector>

// The main window: shows the catalogue (the two film lists, their counts, the
// four data paths) and owns the values of the details panel, the choices that
// the Search, Top and Active Files dialogs remember, and the controls.
class CCatalogDlg : public CDialog {
public:
    static constexpr int kPathSize = Catalogue::kPathSize;

    CCatalogDlg();
    ~CCatalogDlg() override;

    // Controls.
    CToolBarCtrl m_toolBar;
    CEdit m_editViewings;
    CEdit m_editComments;
    CEdit m_editOriginalTitle;
    CListCtrl m_listCtrl;

    // The details panel.
    std::string m_strPanelYear;
    std::string m_strPanelCast;
    std::string m_strPanelDirector;
    std::string m_strPanelCountry;
    std::string m_strPanelTitle;
    std::string m_strPanelOriginalTitle;
    std::string m_strPanelRating;
    int m_nPanelViewings;

    HICON m_hIcon;

    // The catalogue: the lists, their counts, the largest number of
    // viewings, the data paths.
    Catalogue m_catalogue;

    // Remembered choices.
    int m_nActiveFilesChoice = 0;
    int m_nActiveCommentsChoice = 0;
    int m_bSearchOriginalTitle = 0;
    int m_bSearchTitle = 0;
    int m_bSearchCountry = 0;
    int m_bSearchYear = 0;
    int m_bSearchDirector = 0;
    int m_bSearchCast = 0;
    int m_bSearchRating = 0;
    int m_bSearchApproximate = 0;
    int m_bSearchViewings = 0;
    int m_bSearchSeen = 0;
    int m_bSearchToSee = 0;

    int m_nTopCriterion = 0;

    // The archives: 0 both read, 1 one cannot be opened, 2 one is invalid.
    int LoadArchives();
    // Writes both archives; false when either could not be written. An
    // archive whose file this run does not hold whole is replaced only when
    // the user says so, its bytes kept first as NAME.N.
    bool SaveArchives();
    // True when a New or Modify changed a list since the lists were last
    // read, or that list was last saved.
    bool HasUnsavedWork() const { return m_catalogue.HasUnsavedWork(); }

    // Comment files and the comment box; nList 0 is the seen list, any other
    // the to-see list.
    int LoadComment(std::string strOriginalTitle, int nList);
    int SaveComment(std::string strOriginalTitle, int nList);
    int DeleteComment(std::string strOriginalTitle, int nList);

    // The rating words.
    std::string RatingToText(int nRating) const;
    int TextToRating(std::string strText) const;
    int IsValidRating(std::string strText) const;
    int FieldMatches(std::string strField, std::string strIdentifier, int nSearchType) const;

    // Commands.
    void OnShowList();
    void OnClearList();
    void OnToSee();
    void OnTop();
    void OnSearch();
    void OnCount();
    void OnClearAll();
    void OnNew();
    void OnModify();
    void OnSave();
    void OnHelpAbout();
    void OnReopen();
    void OnExit();
    void OnSetActiveFile();
    void OnDblclkResultList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    // Enter and Exit, Esc and the close box: with unsaved work, the user is
    // asked first.
    void OnOK() override;
    void OnCancel() override;

    // Puts a film at the top of the result list as a row of eight cells.
    void InsertFilmRow(const CFilm& film);
    // Replaces the rows of the result list with the films' rows, as clearing
    // it and InsertFilmRow for each film in turn would (the last film stands
    // first), in one go; the rows share the films' texts
    // (CFilmRowSource::RowOf gives a film's row).
    void ShowFilmRows(std::vector<CListSharedRow> rows);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // With unsaved work, asks whether to save it; true when the caller may go
    // on and let the lists go (saved, or the user said no).
    bool SaveUnsavedWork();
    // Comment of a film that leaves the to-see list for the seen one.
    void MoveComment(const std::string& strOriginalTitle);
    // Writes a comment, asking before a file this run has not read is
    // replaced; false, said so, when it cannot be written.
    bool WriteComment(const std::string& strOriginalTitle, int nList, const std::string& strText);

    void SetDataPaths();
    void CreateResultColumns();
    void CreateToolBar();
    // nCount: the films the list is said to hold, room for their rows.
    void ShowList(const CFilmNode* pHead, COLORREF color, int nCount);

    DECLARE_MESSAGE_MAP()
};
