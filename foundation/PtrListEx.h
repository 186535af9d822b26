#pragma once
// The shared list of object pointers: index-based operations, whole-list copy, prefix test.
// It never deletes what its elements point to; their owner does.

#include "platform/core/Collections.h"
#include "platform/core/Object.h"

class CPtrListEx : public CPtrList, public CObject {
public:
    CPtrListEx() = default;
    CPtrListEx(const CPtrListEx& o) : CPtrList() { *this = o; }
    virtual ~CPtrListEx() = default;

    // The pointers of o, in order (a shallow copy).
    CPtrListEx& operator=(const CPtrListEx& o);

    using CPtrList::GetAt;
    using CPtrList::RemoveAt;
    // Inserts before the element at nIndex; nothing when there is no such element (never appends).
    void InsertAt(void* p, int nIndex);
    // The pointer at nIndex; NULL when there is none.
    void* GetAt(int nIndex) const;
    void* GetAt(int nIndex) { return static_cast<const CPtrListEx*>(this)->GetAt(nIndex); }
    // Removes the element at nIndex when there is one.
    void RemoveAt(int nIndex);
    // Appends o's pointers at the tail, in order; o may be this list.
    void AppendList(const CPtrListEx& o);
    // 1 when this list's pointers are, in order, the first pointers of o.
    BOOL IsPrefixOf(const CPtrListEx& o) const;
};
