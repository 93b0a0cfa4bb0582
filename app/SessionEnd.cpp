// The end of a session: the session manager's question, and the numbered
// copies a run leaves of its unsaved lists when it must end without a save.
#include "ArchiveCopy.h"
#include "CatalogDlg.h"

#include <cstdio>

BOOL CCatalogDlg::OnQueryEndSession() { return SaveUnsavedWork() ? TRUE : FALSE; }

void CCatalogDlg::KeepUnsavedWork()
{
    for (const int nList : {kSeenList, kToSeeList}) {
        if (!m_catalogue.HasUnsavedWork(nList)) continue;
        const char* pszList = nList == kSeenList ? "seen" : "to-see";
        const std::string strArchive = m_catalogue.ArchivePath(nList);
        const CFilmNode* pHead = nList == kSeenList ? m_catalogue.m_pSeenList : m_catalogue.m_pToSeeList;
        const int nCount = nList == kSeenList ? m_catalogue.m_nSeenCount : m_catalogue.m_nToSeeCount;
        // Never the archive itself: the run is ending without its say, so
        // nothing it holds is put in place of what is there.
        std::string strCopy;
        if (WriteNumberedArchiveCopy(strArchive, pHead, nCount, strCopy)) {
            std::fprintf(stderr, "cinetrove: the unsaved %s list is kept in %s; %s is as it was\n", pszList,
                         strCopy.c_str(), strArchive.c_str());
        } else {
            std::fprintf(stderr, "cinetrove: the unsaved %s list could not be written beside %s\n", pszList,
                         strArchive.c_str());
        }
    }
}
