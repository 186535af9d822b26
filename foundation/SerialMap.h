#pragma once
// The program's ordered map from a key to a value, and the maps its components keep.
//
// Look-ups are exact: a key between two stored keys finds nothing. Text keys compare
// case-sensitively (CString by bytes, CENString by code points). A map writes nothing into a
// byte buffer; it is a CSerial so that owners can hold maps of any kind behind one interface.

#include "foundation/ENString.h"
#include "foundation/PtrListEx.h"
#include "foundation/Serial.h"
#include "platform/core/FileSys.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>
#include <map>

template <typename K, typename V, typename Less = std::less<K>>
class CSerialMap : public CSerial {
public:
    using map_type = std::map<K, V, Less>;
    using iterator = typename map_type::iterator;
    using const_iterator = typename map_type::const_iterator;

    CSerialMap() : CSerial("CSerialMap") {}

    // Removes every entry.
    virtual void Clear()
    {
        m_map.clear();
        m_wVersion = 1;
    }
    void Reset() override { Clear(); }

    // TRUE and the value copied to out when an entry has exactly this key; out unchanged otherwise.
    virtual BOOL Lookup(const K& key, V& out) const
    {
        const_iterator it = m_map.lower_bound(key);
        if (it == m_map.end() || m_map.key_comp()(key, it->first))
            return FALSE;
        out = it->second;
        return TRUE;
    }
    virtual BOOL Contains(const K& key) const
    {
        V scratch{};
        return Lookup(key, scratch);
    }

    // Adds the entry when the key is absent; an existing entry keeps its value. Returns 1.
    int Insert(const K& key, const V& value)
    {
        m_map.emplace(key, value);
        return 1;
    }
    int SetAt(const K& key, const V& value) { return Insert(key, value); }

    int GetCount() const { return static_cast<int>(m_map.size()); }
    size_t size() const { return m_map.size(); }
    BOOL IsEmpty() const { return m_map.empty(); }
    bool empty() const { return m_map.empty(); }

    // The value of key, inserted value-initialised when absent (insert-or-replace through it).
    V& operator[](const K& key) { return m_map[key]; }
    iterator find(const K& key) { return m_map.find(key); }
    const_iterator find(const K& key) const { return m_map.find(key); }
    iterator lower_bound(const K& key) { return m_map.lower_bound(key); }
    const_iterator lower_bound(const K& key) const { return m_map.lower_bound(key); }
    iterator upper_bound(const K& key) { return m_map.upper_bound(key); }
    const_iterator upper_bound(const K& key) const { return m_map.upper_bound(key); }
    size_t erase(const K& key) { return m_map.erase(key); }
    iterator erase(const_iterator it) { return m_map.erase(it); }
    iterator erase(const_iterator first, const_iterator last) { return m_map.erase(first, last); }
    iterator begin() { return m_map.begin(); }
    iterator end() { return m_map.end(); }
    const_iterator begin() const { return m_map.begin(); }
    const_iterator end() const { return m_map.end(); }
    map_type& map() { return m_map; }
    const map_type& map() const { return m_map; }

protected:
    map_type m_map;
};

// Text key to value: the main frame's id check, the wizard and the exam view.
using CStringIntMap = CSerialMap<CString, int>;
// Counts by subject or textbook text.
using CENStringIntMap = CSerialMap<CENString, int>;
// Counts and marks by type, level or index.
using CIntIntMap = CSerialMap<int, int>;
// Mapped question ids.
using CUIntIntMap = CSerialMap<UINT, int>;
// Ids of the collection list.
using CCollIdMap = CSerialMap<int, int>;
// Records of deleted questions by question ID; the map does not own them.
using CDelItemMap = CSerialMap<int, void*>;
// Fonts by control or font id, copied whole.
using CFontMap = CSerialMap<int, LOGFONT>;
// Numbers (answer sizes) by question type.
using CIntValueMap = CSerialMap<int, double>;
// Files by path, to the owner's own records of them (not owned): the files an exam's questions
// are linked to.
class CLinkMap : public CSerialMap<CENString, void*> {
public:
    // The key of a file: its path with one kind of separator. Case is kept: the file system
    // tells names apart by case.
    static CENString KeyOf(LPCSTR path) { return CENString(fsys::NormalizeSeparators(path ? path : "")); }

    // One link to the file at path: the file's record, which make() gives when the file is new
    // (*pNew is then TRUE). NULL, and nothing kept, for an empty path or a record not made.
    template <typename Make>
    void* AddLink(LPCSTR path, Make make, BOOL* pNew = nullptr)
    {
        if (pNew)
            *pNew = FALSE;
        if (!path || !*path)
            return nullptr;
        const CENString key = KeyOf(path);
        void* record = nullptr;
        if (Lookup(key, record))
            return record;
        record = make();
        if (record) {
            Insert(key, record);
            if (pNew)
                *pNew = TRUE;
        }
        return record;
    }

    // The map made again from a list of links: pathOf(link) names a link's file (empty: the
    // item is no link), make(link) makes the record of a file met first, and more(record, link)
    // is told of every further link to a file. The number of files.
    template <typename PathOf, typename Make, typename More>
    int Fill(const CPtrListEx& links, PathOf pathOf, Make make, More more)
    {
        Clear();
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            void* link = links.GetNext(pos);
            BOOL isNew = FALSE;
            void* record = AddLink(CString(pathOf(link)), [&] { return make(link); }, &isNew);
            if (record && !isNew)
                more(record, link);
        }
        return GetCount();
    }
};
using CLinkSheetMap = CSerialMap<CENString, void*>;
// Texts of the answer keys by id.
using CKeysMap = CSerialMap<UINT, CENString>;

// Texts by integer key (per question type).
class CIntTextMap : public CSerialMap<int, CString> {
public:
    // Replaces the text of an existing entry (1) or inserts a new one (0).
    int SetText(int key, LPCSTR text)
    {
        auto [it, inserted] = m_map.try_emplace(key, text);
        if (inserted)
            return 0;
        it->second = text;
        return 1;
    }
    // The text of key; empty when absent.
    CString GetText(int key) const
    {
        CString text;
        Lookup(key, text);
        return text;
    }
};

// How often each text was met.
class CStringCountMap : public CSerialMap<CString, int> {
public:
    // One more occurrence of key; returns its count (1 for a new key).
    int AddOccurrence(const CString& key)
    {
        int n = 0;
        n = Lookup(key, n) ? n + 1 : 1;
        m_map[key] = n;
        return n;
    }
};
