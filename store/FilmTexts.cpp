#include "FilmTexts.h"

#include "TextArena.h"

#include <cstring>
#include <new>
#include <ostream>
#include <utility>

namespace {

using Count = std::uint32_t;

// An empty text for films without a block: a zero length.
constexpr char kEmptyText[2] = {};

Count& Holders(const void* pKey)
{
    // The count stands at the start of the block, which the arena aligns to 4.
    return *static_cast<Count*>(const_cast<void*>(pKey));
}

}  // namespace

FilmText::FilmText() : m_pSized(kEmptyText) {}

std::ostream& operator<<(std::ostream& out, const FilmText& text) { return out << text.view(); }

std::size_t FilmText::WriteLength(char* pOut, std::size_t nLength)
{
    std::size_t n = 0;
    while (nLength >= 0x80) {
        pOut[n++] = static_cast<char>(0x80 | (nLength & 0x7F));
        nLength >>= 7;
    }
    pOut[n++] = static_cast<char>(nLength);
    return n;
}

std::size_t FilmText::LengthBytes(std::size_t nLength)
{
    std::size_t n = 1;
    for (; nLength >= 0x80; nLength >>= 7) ++n;
    return n;
}

std::string_view FilmText::LongView() const
{
    const auto* p = reinterpret_cast<const unsigned char*>(m_pSized);
    std::size_t nLength = 0;
    int nShift = 0;
    for (; *p >= 0x80; ++p, nShift += 7) nLength |= static_cast<std::size_t>(*p & 0x7F) << nShift;
    nLength |= static_cast<std::size_t>(*p) << nShift;
    return {reinterpret_cast<const char*>(p + 1), nLength};
}

FilmTexts::FilmTexts(const std::array<std::string_view, kCount>& texts)
{
    std::size_t nBytes = sizeof(Count);
    for (const std::string_view text : texts) nBytes += FilmText::LengthBytes(text.size()) + text.size();
    m_pBlock = static_cast<char*>(TextArena::Allocate(nBytes));
    const Count nOne = 1;
    std::memcpy(m_pBlock, &nOne, sizeof nOne);
    char* p = m_pBlock + sizeof(Count);
    for (const std::string_view text : texts) {
        p += FilmText::WriteLength(p, text.size());
        if (!text.empty()) std::memcpy(p, text.data(), text.size());
        p += text.size();
    }
}

FilmTexts::FilmTexts(const FilmTexts& other) noexcept : m_pBlock(other.m_pBlock) { Retain(m_pBlock); }

FilmTexts::FilmTexts(FilmTexts&& other) noexcept : m_pBlock(std::exchange(other.m_pBlock, nullptr)) {}

FilmTexts& FilmTexts::operator=(FilmTexts other) noexcept
{
    std::swap(m_pBlock, other.m_pBlock);
    return *this;
}

FilmTexts::~FilmTexts() { Release(m_pBlock); }

void FilmTexts::Retain(const void* pKey)
{
    if (pKey != nullptr) ++Holders(pKey);
}

void FilmTexts::Release(const void* pKey)
{
    if (pKey != nullptr && --Holders(pKey) == 0) TextArena::Free(const_cast<void*>(pKey));
}

std::array<FilmText, FilmTexts::kCount> FilmTexts::Texts() const
{
    std::array<FilmText, kCount> texts;
    if (m_pBlock == nullptr) return texts;
    const char* p = m_pBlock + sizeof(Count);
    for (FilmText& text : texts) {
        text = FilmText(p);
        const std::string_view bytes = text.view();
        p = bytes.data() + bytes.size();
    }
    return texts;
}

FilmText FilmTexts::TextOf(const void* pKey, int n)
{
    if (pKey == nullptr || n < 0 || n >= kCount) return FilmText();
    const char* p = static_cast<const char*>(pKey) + sizeof(Count);
    for (int i = 0; i < n; ++i) {
        const std::string_view text = FilmText(p).view();
        p = text.data() + text.size();
    }
    return FilmText(p);
}
