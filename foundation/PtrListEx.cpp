#include "foundation/PtrListEx.h"

CPtrListEx& CPtrListEx::operator=(const CPtrListEx& o)
{
    if (this != &o) {
        RemoveAll();
        AddTail(o);
    }
    return *this;
}

void CPtrListEx::InsertAt(void* p, int nIndex)
{
    if (POSITION pos = FindIndex(nIndex))
        InsertBefore(pos, p);
}

void* CPtrListEx::GetAt(int nIndex) const
{
    POSITION pos = FindIndex(nIndex);
    return pos ? CPtrList::GetAt(pos) : nullptr;
}

void CPtrListEx::RemoveAt(int nIndex)
{
    if (POSITION pos = FindIndex(nIndex))
        CPtrList::RemoveAt(pos);
}

void CPtrListEx::AppendList(const CPtrListEx& o)
{
    if (&o == this) {
        // Walking a list while it grows would never end.
        const CPtrListEx copy(o);
        AddTail(copy);
        return;
    }
    AddTail(o);
}

BOOL CPtrListEx::IsPrefixOf(const CPtrListEx& o) const
{
    if (GetCount() > o.GetCount())
        return FALSE;
    POSITION mine = GetHeadPosition();
    POSITION theirs = o.GetHeadPosition();
    while (mine) {
        if (GetNext(mine) != o.GetNext(theirs))
            return FALSE;
    }
    return TRUE;
}
