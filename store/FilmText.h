#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

// One text of a film as the film and the list rows read it: the bytes of a
// block that holds all six texts of the film (FilmTexts), where each text
// stands behind its length. A FilmText is a view of that block and reads like
// a const std::string: it stays valid while a holder of the block lives (the
// film it belongs to, or a row of the result list that shows it).
class FilmText {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    // An empty text.
    FilmText();
    // The text whose length is written at pSized, its bytes following it.
    explicit FilmText(const char* pSized) : m_pSized(pSized) {}

    // Writes nLength as a FilmText reads it at pOut; returns the bytes written.
    static std::size_t WriteLength(char* pOut, std::size_t nLength);
    // The bytes WriteLength would write for nLength.
    static std::size_t LengthBytes(std::size_t nLength);

    std::size_t size() const { return view().size(); }
    std::size_t length() const { return size(); }
    bool empty() const { return size() == 0; }
    const char* data() const { return view().data(); }
    std::string_view view() const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(m_pSized);
        if (*p < 0x80) return {m_pSized + 1, *p};
        return LongView();
    }
    char operator[](std::size_t n) const { return data()[n]; }
    char back() const { return data()[size() - 1]; }

    operator std::string_view() const { return view(); }
    operator std::string() const { return std::string(view()); }

    std::size_t find(std::string_view text, std::size_t nPos = 0) const { return view().find(text, nPos); }
    std::size_t find(char c, std::size_t nPos = 0) const { return view().find(c, nPos); }
    std::size_t find_first_not_of(std::string_view chars, std::size_t nPos = 0) const
    {
        return view().find_first_not_of(chars, nPos);
    }
    int compare(std::string_view text) const { return view().compare(text); }

    friend bool operator==(const FilmText& a, const FilmText& b) { return a.view() == b.view(); }
    friend bool operator==(const FilmText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const FilmText& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const FilmText& a, const char* b) { return a.view() == b; }

private:
    std::string_view LongView() const;

    const char* m_pSized;
};

std::ostream& operator<<(std::ostream& out, const FilmText& text);
