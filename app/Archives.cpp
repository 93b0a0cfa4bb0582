// The catalogue archives: loading, saving, Save, Reopen and Exit.
#include "CatalogDlg.h"

#include "Archive.h"
#include "FilmList.h"

int CCatalogDlg::LoadArchives()
{
    m_pSeenList = nullptr;
    m_pToSeeList = nullptr;
    m_nSeenCount = 0;
    m_nToSeeCount = 0;
    m_nMaxViewings = 0;

    ArchiveContents seen;
    const ArchiveReadResult seenResult = ReadArchive(m_szSeenFile, seen);
    m_pSeenList = seen.pHead;
    m_nSeenCount = seen.nCount;
    m_nMaxViewings = seen.nMaxViewings;
    if (seenResult != ArchiveRead) return seenResult;

    ArchiveContents toSee;
    const ArchiveReadResult toSeeResult = ReadArchive(m_szToSeeFile, toSee);
    m_pToSeeList = toSee.pHead;
    m_nToSeeCount = toSee.nCount;
    return toSeeResult;
}

bool CCatalogDlg::SaveArchives()
{
    const bool bSeen = WriteArchive(m_szSeenFile, m_pSeenList, m_nSeenCount);
    const bool bToSee = WriteArchive(m_szToSeeFile, m_pToSeeList, m_nToSeeCount);
    return bSeen && bToSee;
}

void CCatalogDlg::OnSave()
{
    // A Save that could not replace an archive says so; the old file stays.
    if (!SaveArchives()) MessageBox("Nu se pot salva fisierele!");
}

void CCatalogDlg::OnReopen()
{
    m_pSeenList = FreeList(m_pSeenList);
    m_pToSeeList = FreeList(m_pToSeeList);
    LoadArchives();
}

void CCatalogDlg::OnExit() { CDialog::OnOK(); }
