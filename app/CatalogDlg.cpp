#include "CatalogDlg.h"

#include "AboutDlg.h"
#include "Archive.h"
#include "CommentFile.h"
#include "CurrentDirectory.h"
#include "FilmColumns.h"
#include "FilmList.h"
#include "Rating.h"
#include "TextFile.h"
#include "WinApp.h"
#include "resource.h"

#include <cstring>

#ifndef CINETROVE_FALLBACK_DIR
#error "CINETROVE_FALLBACK_DIR names the directory whose data/ is used without one here"
#endif

BEGIN_MESSAGE_MAP(CCatalogDlg, CDialog)
    ON_COMMAND(ID_TB_SHOW_LIST, OnShowList)
    ON_COMMAND(ID_ACTIONS_SHOW_LIST, OnShowList)
    ON_COMMAND(ID_TB_CLEAR_LIST, OnClearList)
    ON_COMMAND(ID_ACTIONS_CLEAR_LIST, OnClearList)
    ON_COMMAND(ID_TB_TO_SEE, OnToSee)
    ON_COMMAND(ID_ACTIONS_SHOW_TO_SEE, OnToSee)
    ON_COMMAND(ID_TB_TOP, OnTop)
    ON_COMMAND(ID_ACTIONS_SHOW_TOP, OnTop)
    ON_COMMAND(ID_TB_SEARCH, OnSearch)
    ON_COMMAND(ID_ACTIONS_SEARCH, OnSearch)
    ON_COMMAND(ID_TB_COUNT, OnCount)
    ON_COMMAND(ID_ACTIONS_COUNT, OnCount)
    ON_COMMAND(ID_TB_CLEAR_ALL, OnClearAll)
    ON_COMMAND(ID_ACTIONS_CLEAR_ALL, OnClearAll)
    ON_COMMAND(ID_TB_NEW, OnNew)
    ON_COMMAND(ID_FILE_NEW, OnNew)
    ON_COMMAND(ID_TB_MODIFY, OnModify)
    ON_COMMAND(ID_FILE_MODIFY, OnModify)
    ON_COMMAND(ID_TB_SAVE, OnSave)
    ON_COMMAND(ID_FILE_SAVE, OnSave)
    ON_COMMAND(ID_TB_HELP, OnHelpAbout)
    ON_COMMAND(ID_TB_ABOUT, OnHelpAbout)
    ON_COMMAND(ID_TB_REOPEN, OnReopen)
    ON_COMMAND(ID_TB_EXIT, OnExit)
    ON_COMMAND(ID_FILE_EXIT, OnExit)
    ON_COMMAND(ID_OPTIONS_SET_ACTIVE_FILE, OnSetActiveFile)
    ON_NOTIFY(NM_DBLCLK, IDC_RESULT_LIST, OnDblclkResultList)
END_MESSAGE_MAP()

CCatalogDlg::CCatalogDlg() : CDialog(IDD_CINETROVE_DIALOG), m_nPanelViewings(0)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CCatalogDlg::~CCatalogDlg() = default;

void CCatalogDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIEWINGS, m_editViewings);
    DDX_Control(pDX, IDC_COMMENTS, m_editComments);
    DDX_Control(pDX, IDC_ORIGINAL_TITLE, m_editOriginalTitle);
    DDX_Control(pDX, IDC_RESULT_LIST, m_listCtrl);
    DDX_Text(pDX, IDC_YEAR, m_strPanelYear);
    DDX_Text(pDX, IDC_CAST, m_strPanelCast);
    DDX_Text(pDX, IDC_DIRECTOR, m_strPanelDirector);
    DDX_Text(pDX, IDC_COUNTRY, m_strPanelCountry);
    DDX_Text(pDX, IDC_TITLE, m_strPanelTitle);
    DDX_Text(pDX, IDC_ORIGINAL_TITLE, m_strPanelOriginalTitle);
    DDX_CBString(pDX, IDC_RATING, m_strPanelRating);
    DDX_Text(pDX, IDC_VIEWINGS, m_nPanelViewings);
}

BOOL CCatalogDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const std::string strAboutMenu = AfxLoadString(IDS_ABOUTBOX);
    if (!strAboutMenu.empty()) {
        if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    SetDataPaths();
    CreateResultColumns();
    CreateToolBar();

    m_catalogue.m_nMaxViewings = 0;
    m_nTopCriterion = 0;
    m_bSearchOriginalTitle = m_bSearchTitle = m_bSearchCountry = m_bSearchYear = 0;
    m_bSearchDirector = m_bSearchCast = m_bSearchRating = m_bSearchApproximate = 0;
    m_bSearchViewings = m_bSearchSeen = m_bSearchToSee = 0;
    m_nActiveFilesChoice = 0;
    m_nActiveCommentsChoice = 0;

    switch (static_cast<ArchiveReadResult>(LoadArchives())) {
    case ArchiveCannotOpen:
        MessageBox("Nu se pot deschide fisierele!");
        break;
    case ArchiveInvalid:
        MessageBox("Format invalid al fisierelor!");
        break;
    case ArchiveRead:
        break;
    }
    return TRUE;
}

void CCatalogDlg::SetDataPaths()
{
    // The data directory of the working directory when its seen archive
    // opens, else the one of the fallback directory. Paths that would not fit
    // their buffers count as an archive that does not open.
    std::string strWorking;
    bool bLocal = AfxGetCurrentDirectory(strWorking) && m_catalogue.UseDataFolder(strWorking + "/data");
    // The probe opens the archive as the reader would: a regular file only,
    // so a folder or a pipe of that name counts as no archive.
    if (bLocal) bLocal = TextFileReader(m_catalogue.m_szSeenFile).IsOpen();
    if (!bLocal) m_catalogue.UseDataFolder(std::string(CINETROVE_FALLBACK_DIR) + "/data");
}

void CCatalogDlg::CreateResultColumns()
{
    m_listCtrl.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int nCol = 0;
    for (const FilmColumn& column : kFilmColumns) {
        m_listCtrl.InsertColumn(nCol, std::string(column.heading), LVCFMT_LEFT, column.nWidth);
        ++nCol;
    }
}

void CCatalogDlg::CreateToolBar()
{
    m_toolBar.Create(WS_CHILD | WS_VISIBLE | CCS_TOP | TBSTYLE_WRAPABLE, CRect{}, this, IDC_TOOLBAR);
    m_toolBar.SetButtonSize(CSize{36, 36});
    m_toolBar.SetBitmapSize(CSize{32, 32});
    m_toolBar.AddBitmap(14, IDB_TOOLBAR);

    std::string strLabels =
        "Show List#Clear List#To See#Top#Search#Count#Clear All#New#Modify#Save#Help#About#Reopen#Exit#";
    for (char& c : strLabels)
        if (c == '#') c = '\0';
    strLabels.push_back('\0');
    m_toolBar.AddStrings(strLabels.c_str());

    TBBUTTON buttons[15] = {};
    for (int i = 0; i < 13; ++i) buttons[i] = TBBUTTON{i, ID_TB_SHOW_LIST + i, TBSTATE_ENABLED, TBSTYLE_BUTTON, i};
    buttons[13] = TBBUTTON{13, 0, 0, TBSTYLE_SEP, -1};
    buttons[14] = TBBUTTON{13, ID_TB_EXIT, TBSTATE_ENABLED, TBSTYLE_BUTTON, 13};
    m_toolBar.AddButtons(15, buttons);
    m_toolBar.AutoSize();
}

void CCatalogDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CCatalogDlg::OnHelpAbout()
{
    // Help and About of the toolbar have nothing to show.
}

std::string CCatalogDlg::RatingToText(int nRating) const { return ::RatingToText(nRating); }
int CCatalogDlg::TextToRating(std::string strText) const { return ::TextToRating(std::move(strText)); }
int CCatalogDlg::IsValidRating(std::string strText) const { return ::IsValidRating(std::move(strText)); }
