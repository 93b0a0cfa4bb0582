#include "ArchiveText.h"

#include "CodePage.h"

#include <algorithm>

namespace {

// The '?' a conversion made, not counting those the text had.
std::size_t NewQuestionMarks(const std::string& strUtf8, const std::string& strAnsi)
{
    const auto count = [](const std::string& s) { return static_cast<std::size_t>(std::ranges::count(s, '?')); };
    const std::size_t nBefore = count(strUtf8);
    const std::size_t nAfter = count(strAnsi);
    return nAfter > nBefore ? nAfter - nBefore : 0;
}

bool MostlyQuestionMarks(const std::string& strUtf8, const std::string& strAnsi)
{
    const std::size_t nLetters =
        static_cast<std::size_t>(std::ranges::count_if(strAnsi, [](char c) { return c != ' ' && c != '\t'; }));
    return nLetters > 0 && 2 * NewQuestionMarks(strUtf8, strAnsi) > nLetters;
}

}  // namespace

std::string ShortenedText(const std::string& strAnsi, std::size_t nMax, bool bList)
{
    if (strAnsi.size() <= nMax) {
        return strAnsi;
    }
    if (bList) {
        const std::size_t nComma = strAnsi.rfind(", ", nMax);
        if (nComma != std::string::npos && nComma > 0) {
            return strAnsi.substr(0, nComma);
        }
    }
    // The archive's reader skips no blanks at a line's end, so none is left there.
    std::string strCut = strAnsi.substr(0, nMax);
    while (!strCut.empty() && strCut.back() == ' ') strCut.pop_back();
    return strCut;
}

ArchiveTexts ToArchiveTexts(const IncomingFilm& film)
{
    ArchiveTexts texts;
    texts.strOriginalTitle = Utf8ToAnsi(film.strOriginalTitle);
    texts.strTitle = Utf8ToAnsi(film.strTitle);
    if (MostlyQuestionMarks(film.strOriginalTitle, texts.strOriginalTitle) && !texts.strTitle.empty() &&
        NewQuestionMarks(film.strTitle, texts.strTitle) == 0) {
        texts.strOriginalTitle = texts.strTitle;
        texts.bOriginalFromTitle = true;
    }
    texts.strCountry = Utf8ToAnsi(film.strCountry);
    texts.strYear = Utf8ToAnsi(film.strYear);
    texts.strDirector = Utf8ToAnsi(film.strDirector);
    texts.strCast = Utf8ToAnsi(film.strCast);

    const struct {
        std::string* pText;
        const char* pName;
        bool bList;
    } fields[] = {{&texts.strOriginalTitle, "original title", false},
                  {&texts.strTitle, "title", false},
                  {&texts.strCountry, "country", false},
                  {&texts.strYear, "year", false},
                  {&texts.strDirector, "director", true},
                  {&texts.strCast, "cast", true}};
    for (const auto& field : fields) {
        if (field.pText->size() > kMaxArchiveLine) {
            const std::size_t nFrom = field.pText->size();
            *field.pText = ShortenedText(*field.pText, kMaxArchiveLine, field.bList);
            texts.shortened.push_back(std::string(field.pName) + ", " + std::to_string(nFrom) + " to " +
                                      std::to_string(field.pText->size()) + " characters");
        }
    }
    return texts;
}
