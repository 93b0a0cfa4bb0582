#include "FixedPool.h"

#include "AddressSanitizer.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

constexpr bool kOwnAllocations = kAddressSanitizer;

constexpr std::size_t kChunkBytes = 1 << 20;

}  // namespace

FixedPool::FixedPool(std::size_t nSize)
    // Slots keep the alignment of a pointer, which is all the film
    // classes need; a larger one would round a 72-byte film up to 80.
    : m_nSize((std::max(nSize, sizeof(FreeSlot)) + alignof(FreeSlot) - 1) / alignof(FreeSlot) * alignof(FreeSlot))
{
}

void* FixedPool::Allocate()
{
    if constexpr (kOwnAllocations) {
        return ::operator new(m_nSize);
    }
    ++m_nLive;
    if (m_pFree != nullptr) {
        return std::exchange(m_pFree, m_pFree->pNext);
    }
    if (m_pNext == m_pEnd) {
        m_chunks.push_back(std::make_unique_for_overwrite<char[]>(kChunkBytes));
        m_pNext = m_chunks.back().get();
        m_pEnd = m_pNext + kChunkBytes / m_nSize * m_nSize;
    }
    return std::exchange(m_pNext, m_pNext + m_nSize);
}

void FixedPool::Deallocate(void* p) noexcept
{
    if constexpr (kOwnAllocations) {
        ::operator delete(p);
        return;
    }
    if (p == nullptr) {
        return;
    }
    if (--m_nLive == 0) {  // the last object: every chunk goes back
        m_chunks.clear();
        m_pNext = m_pEnd = nullptr;
        m_pFree = nullptr;
        return;
    }
    m_pFree = ::new (p) FreeSlot{m_pFree};
}
