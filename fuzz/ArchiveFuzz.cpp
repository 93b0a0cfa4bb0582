// The archive reader on any bytes. Whatever the file holds, the reader must
// not crash, must count exactly the films it hands over, in list order, and
// a catalogue it read whole must come back unchanged from a save and a load.
#include "Archive.h"
#include "FilmList.h"
#include "FuzzFile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int Length(const CFilmNode* p)
{
    int n = 0;
    for (; p != nullptr; p = p->m_pNext) {
        ++n;
    }
    return n;
}

bool SameFilm(const CFilm& x, const CFilm& y)
{
    return x.m_strOriginalTitle == y.m_strOriginalTitle && x.m_strTitle == y.m_strTitle &&
           x.m_strCountry == y.m_strCountry && x.m_strYear == y.m_strYear && x.m_strDirector == y.m_strDirector &&
           x.m_strCast == y.m_strCast && x.m_nRating == y.m_nRating && x.m_nViewings == y.m_nViewings;
}

std::vector<const CFilm*> Films(const CFilmNode* p)
{
    std::vector<const CFilm*> films;
    for (; p != nullptr; p = p->m_pNext) {
        films.push_back(p->m_pFilm);
    }
    return films;
}

bool SameFilms(const std::vector<const CFilm*>& a, const std::vector<const CFilm*>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CFilm* x, const CFilm* y) { return SameFilm(*x, *y); });
}

// Loading puts a film before the films of the same title read earlier, and
// saving writes the list in order; so a save and a load give the same list
// with each run of equal titles in reverse order, and a second round gives
// the first list back.
std::vector<const CFilm*> WithEqualTitlesReversed(std::vector<const CFilm*> films)
{
    std::size_t nRun = 0;
    for (std::size_t i = 1; i <= films.size(); ++i) {
        if (i == films.size() || CompareTitles(films[i]->m_strOriginalTitle, films[nRun]->m_strOriginalTitle) != 0) {
            std::reverse(films.begin() + static_cast<std::ptrdiff_t>(nRun),
                         films.begin() + static_cast<std::ptrdiff_t>(i));
            nRun = i;
        }
    }
    return films;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const FuzzDir dir;
    const std::string strPath = dir.Put("filme.cta", std::string_view(reinterpret_cast<const char*>(pData), nSize));

    ArchiveContents contents;
    const ArchiveReadResult result = ReadArchive(strPath, contents);
    FUZZ_CHECK(result == ArchiveRead || result == ArchiveInvalid);
    FUZZ_CHECK(contents.nCount == Length(contents.pHead));
    FUZZ_CHECK(contents.nMaxViewings >= 0);
    int nMax = 0;
    for (const CFilmNode* p = contents.pHead; p != nullptr; p = p->m_pNext) {
        nMax = std::max(nMax, p->m_pFilm->m_nViewings);
        if (p->m_pNext != nullptr) {
            FUZZ_CHECK(CompareTitles(p->m_pFilm->m_strOriginalTitle, p->m_pNext->m_pFilm->m_strOriginalTitle) >= 0);
        }
    }
    FUZZ_CHECK(nMax == contents.nMaxViewings);

    bool bStorable = true;
    for (const CFilmNode* p = contents.pHead; p != nullptr; p = p->m_pNext) {
        bStorable = bStorable && IsStorableFilm(*p->m_pFilm);
    }
    const std::string strSaved = dir / "saved.cta";
    if (WriteArchive(strSaved, contents.pHead, contents.nCount)) {
        FUZZ_CHECK(bStorable);
        ArchiveContents once;
        FUZZ_CHECK(ReadArchive(strSaved, once) == ArchiveRead);
        FUZZ_CHECK(once.nCount == contents.nCount);
        FUZZ_CHECK(SameFilms(Films(once.pHead), WithEqualTitlesReversed(Films(contents.pHead))));
        FUZZ_CHECK(WriteArchive(strSaved, once.pHead, once.nCount));
        ArchiveContents twice;
        FUZZ_CHECK(ReadArchive(strSaved, twice) == ArchiveRead);
        FUZZ_CHECK(SameFilms(Films(twice.pHead), Films(contents.pHead)));
        FreeList(once.pHead);
        FreeList(twice.pHead);
    } else {
        FUZZ_CHECK(!bStorable);
    }
    FreeList(contents.pHead);
    return 0;
}
