#pragma once
// The INI profile store, with the semantics programs expect of a Windows profile file: sections
// and keys compared without case, values trimmed (and one pair of enclosing quotes removed),
// integers read with their sign, the file created by the first write, and every write kept
// atomically (temporary file, then rename).

#include "platform/core/String.h"

#include <mutex>
#include <utility>
#include <vector>

class CProfileStore {
public:
    explicit CProfileStore(const char* path = "");
    CProfileStore(const CProfileStore&) = delete;
    CProfileStore& operator=(const CProfileStore&) = delete;

    void SetPath(const char* path);
    CString GetPath() const;

    BOOL HasKey(const char* section, const char* key) const;
    // The value's leading integer (0 when it has none); def when the key is missing.
    int GetInt(const char* section, const char* key, int def) const;
    CString GetString(const char* section, const char* key, const char* def) const;
    BOOL WriteInt(const char* section, const char* key, int value);
    // A NULL value deletes the key; a NULL key deletes the whole section.
    BOOL WriteString(const char* section, const char* key, const char* value);
    BOOL DeleteKey(const char* section, const char* key) { return WriteString(section, key, nullptr); }
    BOOL DeleteSection(const char* section) { return WriteString(section, nullptr, nullptr); }

    // Between BeginBatch and the matching EndBatch, writes change the store in memory only and the
    // file is written once at the end (a bulk edit would otherwise write it for every value).
    void BeginBatch();
    BOOL EndBatch();

    std::vector<CString> GetSectionNames() const;
    // Keys and values of a section, in file order.
    std::vector<std::pair<CString, CString>> GetSection(const char* section) const;

private:
    struct Line {
        CString text;     // the line as stored
        CString section;  // for a section header: its name
        CString key;      // for an entry: its key
        BOOL isSection = FALSE;
        BOOL isEntry = FALSE;
    };
    void LoadLocked() const;
    BOOL SaveLocked() const;
    int FindSectionLocked(const char* section) const;
    int FindKeyLocked(int sectionLine, const char* key) const;
    static CString ValueOf(const Line& line);

    mutable std::mutex m_mutex;
    CString m_path;
    mutable std::vector<Line> m_lines;
    mutable long long m_stamp = -2;  // size and mtime of the file when it was read
    mutable BOOL m_unreadable = FALSE;  // the file is there but could not be read
    int m_nBatch = 0;                   // open batches
    mutable BOOL m_bPending = FALSE;    // written in a batch, not yet to the file
};

// A batch of profile writes for as long as it lives.
class CProfileBatch {
public:
    explicit CProfileBatch(CProfileStore& store) : m_store(store) { m_store.BeginBatch(); }
    ~CProfileBatch() { m_store.EndBatch(); }
    CProfileBatch(const CProfileBatch&) = delete;
    CProfileBatch& operator=(const CProfileBatch&) = delete;

private:
    CProfileStore& m_store;
};

// The program's profile ("Corra.ini" in the program home unless set otherwise).
CProfileStore& AppProfile();
