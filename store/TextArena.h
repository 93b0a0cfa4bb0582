#pragma once

#include <cstddef>

// Memory for the films' blocks of texts (FilmTexts): blocks are cut one after
// another from regions of 1 MiB, each aligned to its size so that a block
// finds its region from its own address. A region counts its blocks in use
// and goes back when the last of them is freed. No header per block, no
// search for a free place: loading a million films makes a million blocks
// and freeing the list lets them all go, region by region. Used from the
// program's one thread. Under the address sanitizer every block is an
// allocation of its own, so that misuse is still caught.
namespace TextArena {

// Room for nBytes, aligned to 4.
void* Allocate(std::size_t nBytes);
// Gives back a block that Allocate made.
void Free(void* pBlock) noexcept;

}  // namespace TextArena
