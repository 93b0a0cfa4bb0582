#pragma once

#include "Controls.h"
#include "Dialog.h"

#include <array>
#include <cstddef>
#include <string>

// The Set Active Files dialog: the two archives and the two comment
// directories, each group locked ("Default") or open to typing and browsing
// ("Browse").
//
// The four texts are what the edit boxes show, in the code page; the paths
// themselves are the system's bytes. The dialog keeps, beside each text, the
// path it was given or chose and the text shown for it, so that a path left
// as shown comes back byte for byte even where the code page cannot show it.
class CActiveFilesDlg : public CDialog {
public:
    enum PathField { SeenFile, ToSeeFile, SeenCommentsDir, ToSeeCommentsDir };

    // nPathSize: the size of the buffers the paths go into; a path must be
    // shorter than that, its terminating NUL included.
    CActiveFilesDlg(CWnd* pParent, std::size_t nPathSize);

    CButton m_btnSeenFile;
    CEdit m_editSeenCommentsDir;
    CEdit m_editSeenFile;
    CEdit m_editToSeeCommentsDir;
    CEdit m_editToSeeFile;
    CButton m_btnToSeeFile;
    CButton m_btnToSeeCommentsDir;
    CButton m_btnSeenCommentsDir;
    std::string m_strToSeeFile;
    std::string m_strToSeeCommentsDir;
    std::string m_strSeenFile;
    std::string m_strSeenCommentsDir;
    int m_nFilesChoice = -1;     // 0 "Default", 1 "Browse", -1 none
    int m_nCommentsChoice = -1;  // the same for the comment directories

    // Shows a path in its field.
    void ShowPath(PathField field, const std::string& strPath);
    // The path that the field's text stands for now.
    std::string GetPath(PathField field) const;

    static constexpr const char* kPathTooLong = "Calea este prea lunga!";
    static constexpr const char* kNoCommentsDir = "Directorul pentru comentarii nu poate fi gol!";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    struct ShownPath {
        std::string strText;  // the text shown for the path
        std::string strPath;  // the path's own bytes
    };

    void OnFilesDefault();
    void OnFilesBrowse();
    void OnCommentsDefault();
    void OnCommentsBrowse();
    void OnBrowseSeenFile();
    void OnBrowseToSeeFile();
    void OnBrowseSeenComments();
    void OnBrowseToSeeComments();

    void UpdateControls();
    void Browse(PathField field);
    std::string& Text(PathField field);
    const std::string& Text(PathField field) const;
    void CheckPath(CDataExchange* pDX, int nIDC, PathField field);

    std::array<ShownPath, 4> m_shown;
    const std::size_t m_nPathSize;

    DECLARE_MESSAGE_MAP()
};
