#include "TextArena.h"

#include "AddressSanitizer.h"

#include <cstdint>
#include <new>

namespace {

constexpr bool kOwnAllocations = kAddressSanitizer;

constexpr std::size_t kRegionBytes = std::size_t{1} << 20;
constexpr std::align_val_t kRegionAlign{kRegionBytes};
// Blocks larger than this get a region of their own, of their size.
constexpr std::size_t kLargestShared = kRegionBytes / 8;

struct RegionHeader {
    std::size_t nLive;  // blocks in use
    std::size_t nUnused;
};

constexpr std::size_t kHeaderBytes = sizeof(RegionHeader);

char* g_pRegion = nullptr;  // the region blocks are cut from
char* g_pNext = nullptr;
char* g_pEnd = nullptr;

RegionHeader& Header(char* pRegion) { return *reinterpret_cast<RegionHeader*>(pRegion); }

char* NewRegion(std::size_t nBytes)
{
    auto* pRegion = static_cast<char*>(::operator new(nBytes, kRegionAlign));
    ::new (pRegion) RegionHeader{0, 0};
    return pRegion;
}

void DeleteRegion(char* pRegion) { ::operator delete(pRegion, kRegionAlign); }

}  // namespace

namespace TextArena {

void* Allocate(std::size_t nBytes)
{
    if constexpr (kOwnAllocations) {
        return ::operator new(nBytes);
    }
    nBytes = (nBytes + 3) & ~std::size_t{3};
    if (nBytes > kLargestShared) {
        char* pRegion = NewRegion(kHeaderBytes + nBytes);
        Header(pRegion).nLive = 1;
        return pRegion + kHeaderBytes;
    }
    if (g_pRegion == nullptr || static_cast<std::size_t>(g_pEnd - g_pNext) < nBytes) {
        char* pOld = g_pRegion;
        g_pRegion = NewRegion(kRegionBytes);
        g_pNext = g_pRegion + kHeaderBytes;
        g_pEnd = g_pRegion + kRegionBytes;
        if (pOld != nullptr && Header(pOld).nLive == 0) {
            DeleteRegion(pOld);
        }
    }
    ++Header(g_pRegion).nLive;
    void* pBlock = g_pNext;
    g_pNext += nBytes;
    return pBlock;
}

void Free(void* pBlock) noexcept
{
    if constexpr (kOwnAllocations) {
        ::operator delete(pBlock);
        return;
    }
    auto* pRegion = reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(pBlock) & ~(kRegionBytes - 1));
    if (--Header(pRegion).nLive > 0) {
        return;
    }
    if (pRegion == g_pRegion) {  // empty again: cut from its start
        g_pNext = g_pRegion + kHeaderBytes;
        return;
    }
    DeleteRegion(pRegion);
}

}  // namespace TextArena
