#pragma once

#include "Types.h"

#include <string>

class CWnd;

// The Open file dialog. The filter is the framework's "Name|*.ext||" form.
class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt = nullptr, const char* pszFileName = nullptr,
                unsigned dwFlags = 0, const char* pszFilter = nullptr, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal();
    std::string GetPathName() const { return m_strPathName; }

    // The directory in which the dialog opens; empty for the current directory.
    std::string m_strInitialDir;

private:
    bool m_bOpen;
    std::string m_strDefExt;
    std::string m_strFileName;
    unsigned m_dwFlags;
    std::string m_strFilter;
    CWnd* m_pParent;
    std::string m_strPathName;
};
