#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Memory for many objects of one size (aligned as a pointer), taken from large chunks: no header
// per object, and objects made one after another lie one after another, so
// a list made in its order is walked forward through memory. A freed slot
// is used again first; the chunks go back when the last object does. Like
// the film lists it serves, it is used from one thread only. Under the
// address sanitizer every object is a heap allocation of its own, so that
// misuse is still caught.
class FixedPool {
public:
    explicit FixedPool(std::size_t nSize);
    FixedPool(const FixedPool&) = delete;
    FixedPool& operator=(const FixedPool&) = delete;

    void* Allocate();
    void Deallocate(void* p) noexcept;

private:
    struct FreeSlot {
        FreeSlot* pNext;
    };

    std::size_t m_nSize;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    char* m_pNext = nullptr;  // the unused rest of the last chunk
    char* m_pEnd = nullptr;
    FreeSlot* m_pFree = nullptr;
    std::size_t m_nLive = 0;
};
