#pragma once

#include "FilmText.h"

#include <array>
#include <cstdint>
#include <string_view>

// The six texts of one film (original title, title, country, year, director,
// cast) in one immutable block of memory: one allocation a film. The block is
// shared: the film holds it, and so does each row of the result list that
// shows the film, so a row keeps showing what it showed after the film
// changes (a change puts new texts in a new block) or goes away. The block is
// freed with its last holder. The count of holders is not atomic: films and
// rows live on the program's one thread.
class FilmTexts {
public:
    static constexpr int kCount = 6;

    // No block; every text reads empty.
    FilmTexts() = default;
    explicit FilmTexts(const std::array<std::string_view, kCount>& texts);
    FilmTexts(const FilmTexts& other) noexcept;
    FilmTexts(FilmTexts&& other) noexcept;
    FilmTexts& operator=(FilmTexts other) noexcept;
    ~FilmTexts();

    // Text n (0 to 5), valid while this block has a holder.
    FilmText Text(int n) const { return TextOf(m_pBlock, n); }
    // The six texts in their order.
    std::array<FilmText, kCount> Texts() const;

    // The block as a key that other holders keep with Retain and let go with
    // Release (the result list's rows); null when there is no block.
    const void* Key() const { return m_pBlock; }
    static void Retain(const void* pKey);
    static void Release(const void* pKey);
    static FilmText TextOf(const void* pKey, int n);

private:
    // The count of holders, then each text as its 4-byte length and bytes.
    char* m_pBlock = nullptr;
};
