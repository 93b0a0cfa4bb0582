#pragma once

#include <cstdint>
#include <string>

// Rows of a report list whose texts belong to someone else and are shared
// rather than copied: a row is a key and a number that the source reads its
// cells from. The list holds a row's key from the moment the row goes in
// (Retain) until it goes away (Release); the source keeps what a held key
// shows unchanged, so the row shows the same texts for as long as it stands.
struct CListSharedRow {
    const void* pKey;
    std::int64_t nExtra;
};

class CListRowSource {
public:
    virtual ~CListRowSource() = default;
    virtual void Retain(const void* pKey) const = 0;
    virtual void Release(const void* pKey) const = 0;
    // The text of column nCol of the row (key, extra).
    virtual std::string CellText(const void* pKey, std::int64_t nExtra, int nCol) const = 0;
};
