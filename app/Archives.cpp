// The catalogue archives: loading, saving, Save, Reopen and Exit.
#include "CatalogDlg.h"

#include "Archive.h"
#include "CodePage.h"
#include "FilmList.h"

int CCatalogDlg::LoadArchives()
{
    m_pSeenList = nullptr;
    m_pToSeeList = nullptr;
    m_nSeenCount = 0;
    m_nToSeeCount = 0;
    m_nMaxViewings = 0;
    m_bSeenChanged = false;
    m_bToSeeChanged = false;

    ArchiveContents seen;
    const ArchiveReadResult seenResult = ReadArchive(m_szSeenFile, seen);
    m_seenHold.AfterRead(seenResult, seen);
    m_pSeenList = seen.pHead;
    m_nSeenCount = seen.nCount;
    m_nMaxViewings = seen.nMaxViewings;
    if (seenResult != ArchiveRead) {
        m_toSeeHold.LeftUnread();
        return seenResult;
    }

    ArchiveContents toSee;
    const ArchiveReadResult toSeeResult = ReadArchive(m_szToSeeFile, toSee);
    m_toSeeHold.AfterRead(toSeeResult, toSee);
    m_pToSeeList = toSee.pHead;
    m_nToSeeCount = toSee.nCount;
    return toSeeResult;
}

CCatalogDlg::ArchiveSave CCatalogDlg::SaveArchive(const char* pszPath, const CFilmNode* pHead, int nCount,
                                                  ArchiveHold& hold)
{
    if (!hold.MayReplace(pszPath)) {
        // Paths are the system's UTF-8; the message is code-page text.
        const std::string strQuestion =
            "Fisierul " + PathToAnsi(pszPath) + " nu a fost citit complet sau a fost schimbat. Il inlocuiti?";
        if (MessageBox(strQuestion, nullptr, MB_YESNO) != IDYES) return ArchiveSave::Kept;
        std::string strKept;
        if (!KeepNumberedCopy(pszPath, strKept)) return ArchiveSave::Failed;
    }
    FileStamp written;
    if (!WriteArchive(pszPath, pHead, nCount, &written)) return ArchiveSave::Failed;
    hold.AfterWrite(written);
    return ArchiveSave::Written;
}

bool CCatalogDlg::SaveArchives()
{
    const ArchiveSave seen = SaveArchive(m_szSeenFile, m_pSeenList, m_nSeenCount, m_seenHold);
    const ArchiveSave toSee = SaveArchive(m_szToSeeFile, m_pToSeeList, m_nToSeeCount, m_toSeeHold);
    if (seen == ArchiveSave::Written) m_bSeenChanged = false;
    if (toSee == ArchiveSave::Written) m_bToSeeChanged = false;
    return seen != ArchiveSave::Failed && toSee != ArchiveSave::Failed;
}

void CCatalogDlg::OnSave()
{
    // A Save that could not replace an archive says so; the old file stays.
    if (!SaveArchives()) MessageBox("Nu se pot salva fisierele!");
}

bool CCatalogDlg::SaveUnsavedWork()
{
    if (!HasUnsavedWork()) return true;
    switch (MessageBox("Modificarile nu au fost salvate. Le salvati?", nullptr, MB_YESNOCANCEL)) {
    case IDYES: {
        // A save that fails says so and the window stays; so it does when
        // the user chose to keep a file, which leaves that list unsaved.
        const bool bSaved = SaveArchives();
        if (!bSaved) MessageBox("Nu se pot salva fisierele!");
        return bSaved && !HasUnsavedWork();
    }
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CCatalogDlg::OnReopen()
{
    if (!SaveUnsavedWork()) return;
    m_pSeenList = FreeList(m_pSeenList);
    m_pToSeeList = FreeList(m_pToSeeList);
    LoadArchives();
}

void CCatalogDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (SaveUnsavedWork()) EndDialog(IDOK);
}

void CCatalogDlg::OnCancel()
{
    if (SaveUnsavedWork()) EndDialog(IDCANCEL);
}

void CCatalogDlg::OnExit() { OnOK(); }
