#pragma once
// Lists with POSITION iteration and index arrays, as the system's code uses them.

#include "platform/core/Archive.h"
#include "platform/core/String.h"

#include <algorithm>
#include <vector>

// A doubly linked list walked by POSITION. A POSITION stays valid until its own element is removed.
template <typename T>
class CTypedList {
    struct Node {
        Node* prev = nullptr;
        Node* next = nullptr;
        T value{};
    };

public:
    CTypedList() = default;
    CTypedList(const CTypedList& o) { AddTail(o); }
    CTypedList& operator=(const CTypedList& o)
    {
        if (this != &o) {
            RemoveAll();
            AddTail(o);
        }
        return *this;
    }
    ~CTypedList() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    T& GetHead() { return m_head->value; }
    const T& GetHead() const { return m_head->value; }
    T& GetTail() { return m_tail->value; }
    const T& GetTail() const { return m_tail->value; }

    POSITION AddHead(const T& v)
    {
        Node* n = new Node{nullptr, m_head, v};
        if (m_head)
            m_head->prev = n;
        else
            m_tail = n;
        m_head = n;
        ++m_count;
        return Pos(n);
    }
    POSITION AddTail(const T& v)
    {
        Node* n = new Node{m_tail, nullptr, v};
        if (m_tail)
            m_tail->next = n;
        else
            m_head = n;
        m_tail = n;
        ++m_count;
        return Pos(n);
    }
    void AddHead(const CTypedList& o)
    {
        for (Node* n = o.m_tail; n; n = n->prev)
            AddHead(n->value);
    }
    void AddTail(const CTypedList& o)
    {
        for (Node* n = o.m_head; n; n = n->next)
            AddTail(n->value);
    }
    T RemoveHead()
    {
        T v = m_head->value;
        RemoveAt(Pos(m_head));
        return v;
    }
    T RemoveTail()
    {
        T v = m_tail->value;
        RemoveAt(Pos(m_tail));
        return v;
    }
    void RemoveAll()
    {
        Node* n = m_head;
        while (n) {
            Node* next = n->next;
            delete n;
            n = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

    POSITION GetHeadPosition() const { return Pos(m_head); }
    POSITION GetTailPosition() const { return Pos(m_tail); }
    // The element at pos; pos moves to the next (or previous) one, NULL past the end.
    T& GetNext(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->next);
        return n->value;
    }
    const T& GetNext(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->next);
        return n->value;
    }
    T& GetPrev(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->prev);
        return n->value;
    }
    const T& GetPrev(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = Pos(n->prev);
        return n->value;
    }
    T& GetAt(POSITION pos) { return NodeOf(pos)->value; }
    const T& GetAt(POSITION pos) const { return NodeOf(pos)->value; }
    void SetAt(POSITION pos, const T& v) { NodeOf(pos)->value = v; }

    void RemoveAt(POSITION pos)
    {
        Node* n = NodeOf(pos);
        if (n->prev)
            n->prev->next = n->next;
        else
            m_head = n->next;
        if (n->next)
            n->next->prev = n->prev;
        else
            m_tail = n->prev;
        delete n;
        --m_count;
    }
    POSITION InsertBefore(POSITION pos, const T& v)
    {
        Node* at = NodeOf(pos);
        if (!at || at == m_head)
            return AddHead(v);
        Node* n = new Node{at->prev, at, v};
        at->prev->next = n;
        at->prev = n;
        ++m_count;
        return Pos(n);
    }
    POSITION InsertAfter(POSITION pos, const T& v)
    {
        Node* at = NodeOf(pos);
        if (!at || at == m_tail)
            return AddTail(v);
        Node* n = new Node{at, at->next, v};
        at->next->prev = n;
        at->next = n;
        ++m_count;
        return Pos(n);
    }
    // First element equal to v after startAfter (from the head when NULL); NULL when none.
    POSITION Find(const T& v, POSITION startAfter = nullptr) const
    {
        Node* n = startAfter ? NodeOf(startAfter)->next : m_head;
        for (; n; n = n->next) {
            if (n->value == v)
                return Pos(n);
        }
        return nullptr;
    }
    // Position of the index-th element; NULL when out of range.
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return Pos(n);
    }

private:
    static POSITION Pos(Node* n) { return reinterpret_cast<POSITION>(n); }
    static Node* NodeOf(POSITION p) { return reinterpret_cast<Node*>(p); }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

using CPtrList = CTypedList<void*>;
using CStringList = CTypedList<CString>;

// An index array; out-of-range reads are the caller's fault, as with any array.
template <typename T>
class CTypedArray {
public:
    int GetSize() const { return static_cast<int>(m_v.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_v.empty(); }
    void SetSize(int n) { m_v.resize(static_cast<size_t>(std::max(n, 0))); }
    void RemoveAll() { m_v.clear(); }

    const T& GetAt(int i) const { return m_v[static_cast<size_t>(i)]; }
    T& GetAt(int i) { return m_v[static_cast<size_t>(i)]; }
    T& ElementAt(int i) { return m_v[static_cast<size_t>(i)]; }
    void SetAt(int i, const T& v) { m_v[static_cast<size_t>(i)] = v; }
    void SetAtGrow(int i, const T& v)
    {
        if (i >= GetSize())
            SetSize(i + 1);
        m_v[static_cast<size_t>(i)] = v;
    }
    const T& operator[](int i) const { return m_v[static_cast<size_t>(i)]; }
    T& operator[](int i) { return m_v[static_cast<size_t>(i)]; }
    T* GetData() { return m_v.data(); }
    const T* GetData() const { return m_v.data(); }

    int Add(const T& v)
    {
        m_v.push_back(v);
        return GetUpperBound();
    }
    int Append(const CTypedArray& o)
    {
        int first = GetSize();
        m_v.insert(m_v.end(), o.m_v.begin(), o.m_v.end());
        return first;
    }
    void Copy(const CTypedArray& o) { m_v = o.m_v; }
    // Inserts count copies at i; an index past the end grows the array first.
    void InsertAt(int i, const T& v, int count = 1)
    {
        if (count <= 0)
            return;
        if (i >= GetSize())
            SetSize(i);
        m_v.insert(m_v.begin() + i, static_cast<size_t>(count), v);
    }
    void RemoveAt(int i, int count = 1)
    {
        if (i < 0 || i >= GetSize() || count <= 0)
            return;
        count = std::min(count, GetSize() - i);
        m_v.erase(m_v.begin() + i, m_v.begin() + i + count);
    }

    // The framework's stored form: a count (CArchive::WriteCount), then each element. Loading
    // reads element by element, so a count larger than the data throws before it allocates.
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_v.size()));
            for (const T& v : m_v)
                ar << v;
        } else {
            DWORD n = ar.ReadCount();
            std::vector<T> items;
            for (DWORD i = 0; i < n; ++i) {
                T v{};
                ar >> v;
                items.push_back(std::move(v));
            }
            m_v.swap(items);
        }
    }

    typename std::vector<T>::iterator begin() { return m_v.begin(); }
    typename std::vector<T>::iterator end() { return m_v.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_v.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_v.end(); }
    std::vector<T>& vec() { return m_v; }
    const std::vector<T>& vec() const { return m_v; }

private:
    std::vector<T> m_v;
};

using CStringArray = CTypedArray<CString>;
using CDWordArray = CTypedArray<DWORD>;
using CWordArray = CTypedArray<WORD>;
using CByteArray = CTypedArray<BYTE>;
using CUIntArray = CTypedArray<UINT>;
using CPtrArray = CTypedArray<void*>;
