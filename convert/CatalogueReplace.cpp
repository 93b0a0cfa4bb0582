#include "CatalogueReplace.h"

#include "ArchiveText.h"
#include "CatalogueFolder.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"
#include "TextTools.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace {

constexpr int kToSee = 6;

// Keeps the file's bytes as PATH.N, the first number free; true when there
// was nothing to keep.
bool KeepAsNumbered(const std::string& strPath)
{
    std::error_code ec;
    if (!std::filesystem::exists(strPath, ec)) {
        return true;
    }
    for (int n = 1;; ++n) {
        const std::string strKept = strPath + "." + std::to_string(n);
        if (!std::filesystem::exists(strKept, ec)) {
            return std::filesystem::copy_file(strPath, strKept, ec) && !ec;
        }
    }
}

}  // namespace

CatalogueReplace::CatalogueReplace(Catalogue& catalogue, int nUnratedRating)
    : m_catalogue(catalogue),
      m_nUnratedRating(nUnratedRating),
      m_nSeenBefore(catalogue.m_nSeenCount),
      m_nToSeeBefore(catalogue.m_nToSeeCount)
{
}

void CatalogueReplace::Plan(const std::vector<IncomingFilm>& films)
{
    struct Planned {
        bool bSeen;
        ArchiveTexts texts;
        int nRating;
        int nViewings;
    };
    std::vector<Planned> planned;
    std::map<std::pair<bool, std::string>, std::string> comments;  // list, title -> text
    for (const IncomingFilm& film : films) {
        ArchiveTexts texts = ToArchiveTexts(film);
        const std::size_t nFirst = texts.strOriginalTitle.find_first_not_of(" \t\n\v\f\r");
        texts.strOriginalTitle = nFirst == std::string::npos ? std::string() : texts.strOriginalTitle.substr(nFirst);
        std::string strPath;
        if (texts.strOriginalTitle.empty() ||
            !CommentFilePath(m_catalogue.CommentDir(kSeenList), texts.strOriginalTitle, strPath)) {
            throw InputRefused(film.strFile, film.nLine, "the title \"" + film.strOriginalTitle + "\" cannot be kept");
        }
        for (const std::string* pText : {&film.strOriginalTitle, &film.strTitle, &film.strCountry, &film.strYear,
                                         &film.strDirector, &film.strCast}) {
            if (pText->find('\n') != std::string::npos) {
                throw InputRefused(film.strFile, film.nLine, "a line break inside \"" + *pText + "\"");
            }
        }
        const bool bSeen = film.list == TargetList::Seen;
        const std::string strShown = AnsiToUtf8(texts.strOriginalTitle);
        for (const std::string& strWhat : texts.shortened) m_shortened.push_back(strShown + ": " + strWhat);
        if (bSeen && !film.rating) m_unrated.push_back(strShown);
        const int nRating = bSeen ? film.rating.value_or(m_nUnratedRating) : film.rating.value_or(kToSee);
        std::string& strText = comments[{bSeen, texts.strOriginalTitle}];
        const std::string strComment = Utf8ToAnsi(film.strComment);
        // Twins were exported with their shared comment once each.
        if (!strComment.empty() && strText != strComment && !strText.ends_with("\r\n\r\n" + strComment)) {
            strText = strText.empty() ? strComment : strText + "\r\n\r\n" + strComment;
        }
        planned.push_back({bSeen, std::move(texts), nRating, film.nViewings});
    }

    // Equal titles stand in reverse order of insertion, and loading the
    // archive reverses them again: inserted in the file's order, twins
    // come back from the saved archive in that order.
    m_catalogue.Clear();
    m_catalogue.BeginBatch();
    for (Planned& film : planned) {
        const int nList = film.bSeen ? kSeenList : kToSeeList;
        m_catalogue.AddFilm(
            nList,
            FilmEntry{film.texts.strOriginalTitle, film.texts.strTitle, film.texts.strCountry, film.texts.strYear,
                      film.texts.strDirector, film.texts.strCast, film.nRating, film.nViewings},
            std::string());
    }
    m_catalogue.EndBatch();
    for (const auto& [key, strText] : comments) {
        const std::string strDir = m_catalogue.CommentDir(key.first ? kSeenList : kToSeeList);
        std::string strPath;
        std::string strOld;
        CommentFilePath(strDir, key.second, strPath);
        std::error_code ec;
        const bool bThere = std::filesystem::exists(strPath, ec);
        // Read through the catalogue, so that the write that follows holds
        // the file as read: one another program changes meanwhile is kept.
        if (bThere && !m_catalogue.LoadComment(key.second, key.first ? kSeenList : kToSeeList, strOld)) {
            m_keptComments.push_back(strPath);
            continue;
        }
        if (!bThere || strOld != strText) {
            m_comments.push_back({key.first, key.second, strText});
        }
    }
}

std::vector<std::string> CatalogueReplace::Commit()
{
    std::vector<std::string> failed;
    for (const std::string strPath : {m_catalogue.ArchivePath(kSeenList), m_catalogue.ArchivePath(kToSeeList)}) {
        if (!KeepAsNumbered(strPath))
            failed.push_back(strPath + ".N: the copy kept before replacing it cannot be written");
    }
    if (!failed.empty()) {
        return failed;  // nothing replaced without its copy
    }
    // The comments first, then the archives, as an import writes them.
    for (const CommentWrite& comment : m_comments) {
        const std::string strFailure =
            SaveImportedComment(m_catalogue, comment.bSeen ? kSeenList : kToSeeList, comment.strTitle, comment.strText);
        if (!strFailure.empty()) failed.push_back(strFailure);
    }
    const std::vector<std::string> archives = SaveCatalogueFolder(m_catalogue);
    failed.insert(failed.end(), archives.begin(), archives.end());
    return failed;
}

void CatalogueReplace::PrintSummary(std::ostream& out, bool bDryRun) const
{
    out << "Seen list replaced: " << m_catalogue.m_nSeenCount << " films (" << m_nSeenBefore << " before)\n";
    out << "To-see list replaced: " << m_catalogue.m_nToSeeCount << " films (" << m_nToSeeBefore << " before)\n";
    out << "Comments written: " << m_comments.size() << "\n";
    if (!m_keptComments.empty()) {
        out << "Comments left alone, they cannot be read: " << m_keptComments.size() << "\n";
        for (const std::string& strPath : m_keptComments) out << "  " << strPath << "\n";
    }
    if (!m_shortened.empty()) {
        out << "Shortened to the archive's 253 characters: " << m_shortened.size() << "\n";
        for (const std::string& strLine : m_shortened) out << "  " << strLine << "\n";
    }
    out << "Unrated: " << m_unrated.size() << "\n";
    for (const std::string& strTitle : m_unrated) out << "  " << strTitle << "\n";
    out << (bDryRun ? "Dry run: nothing was written.\n"
                    : "The archives before are kept as filme.cta.N and tosee.cta.N.\n");
}
