#include "FileDialog.h"

#include "CurrentDirectory.h"
#include "FocusReturn.h"
#include "ModalDriver.h"
#include "QtBridge.h"
#include "Wnd.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

#include <filesystem>

namespace {
// "Name|*.ext|Other|*.x||" becomes Qt's "Name (*.ext);;Other (*.x)".
QString QtFilter(const std::string& filter)
{
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}
// The toolkit's own file dialog, with the name box of the platform the
// program comes from: a folder typed and entered is opened and the box is
// emptied, so the name typed next names a file in that folder instead of
// being added to the folder's name. The list of completions that was open
// for the folder's name closes too: left open, it would go on to offer the
// new folder's files, and take the next Enter.
class OpenFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        const bool bFolder = !files.isEmpty() && QFileInfo(files.front()).isDir();
        QFileDialog::accept();
        if (bFolder && isVisible()) {
            if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->clear();
                if (QCompleter* completer = name->completer(); completer && completer->popup())
                    completer->popup()->hide();
            }
        }
    }
};
}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt, const char* pszFileName, unsigned dwFlags,
                         const char* pszFilter, CWnd* pParentWnd)
    : m_bOpen(bOpenFileDialog != FALSE),
      m_strDefExt(pszDefExt ? pszDefExt : ""),
      m_strFileName(pszFileName ? pszFileName : ""),
      m_dwFlags(dwFlags),
      m_strFilter(pszFilter ? pszFilter : ""),
      m_pParent(pParentWnd)
{
}

INT_PTR CFileDialog::DoModal()
{
    std::string start = m_strInitialDir;
    if (start.empty()) AfxGetCurrentDirectory(start);
    std::string chosen;
    bool ok = false;
    const FocusReturn focusReturn;
    if (CModalDriver* driver = AfxGetModalDriver()) {
        ok = driver->RunFileDialog(m_strFilter, start, chosen);
    } else {
        OpenFileDialog dialog(m_pParent ? m_pParent->GetSafeWidget() : nullptr);
        dialog.setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_bOpen && (m_dwFlags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
        dialog.setDirectory(QString::fromLocal8Bit(start.c_str()));
        dialog.setNameFilter(QtFilter(m_strFilter));
        if (!m_strDefExt.empty()) dialog.setDefaultSuffix(QString::fromLocal8Bit(m_strDefExt.c_str()));
        if (!m_strFileName.empty()) dialog.selectFile(QString::fromLocal8Bit(m_strFileName.c_str()));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().front().toLocal8Bit().toStdString();
            ok = true;
        }
    }
    if (!ok) return IDCANCEL;
    // A chosen file becomes absolute, and its directory the process's current
    // directory, so that the next dialog opens there.
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(chosen, error);
    if (error) path = chosen;
    m_strPathName = path.lexically_normal().string();
    AfxSetCurrentDirectory(path.parent_path().string());
    return IDOK;
}
