#pragma once

#include "FilmList.h"

#include <utility>

// Owns a film list for a test and frees it when it goes out of scope, so a
// failed assertion leaks nothing for the leak checker to report.
class OwnedList {
public:
    explicit OwnedList(CFilmNode* pHead = nullptr) : m_pHead(pHead) {}
    ~OwnedList() { FreeList(m_pHead); }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;

    CFilmNode* Head() const { return m_pHead; }
    // Takes a list in place of the one held, which is freed.
    void Reset(CFilmNode* pHead = nullptr) { FreeList(std::exchange(m_pHead, pHead)); }
    // Gives the list away, holding none.
    CFilmNode* Release() { return std::exchange(m_pHead, nullptr); }
    // Puts a node at the front, as a list built in reverse order is.
    void PushFront(CFilmNode* pNode)
    {
        pNode->m_pNext = m_pHead;
        m_pHead = pNode;
    }

private:
    CFilmNode* m_pHead;
};
