#pragma once
// The registry store: string and integer values under key paths such as
// "HKEY_CURRENT_USER\Software\Vantrel\Corra\Logging", kept in a file of its own.
// Key paths and value names compare without case; '/' and '\' both separate keys.

#include "platform/core/String.h"

#include <map>
#include <mutex>
#include <vector>

constexpr const char* HKEY_CURRENT_USER_NAME = "HKEY_CURRENT_USER";
constexpr const char* HKEY_LOCAL_MACHINE_NAME = "HKEY_LOCAL_MACHINE";
constexpr const char* HKEY_CLASSES_ROOT_NAME = "HKEY_CLASSES_ROOT";

// Where the program's store is kept: in the program home when $CORRA_HOME is set, else in
// ~/.config/Vantrel/Corra/.
CString GetRegistryFilePath();

class CRegistryStore {
public:
    // The program's store (its file at GetRegistryFilePath()).
    static CRegistryStore& Instance();

    explicit CRegistryStore(const char* filePath = "");
    void SetFilePath(const char* filePath);
    CString GetFilePath() const;

    BOOL KeyExists(const char* key) const;
    // Creates the key and its parents; TRUE when it exists afterwards.
    BOOL CreateKey(const char* key);
    // Deletes the key with everything under it; FALSE when it did not exist or saving failed.
    BOOL DeleteKey(const char* key);

    BOOL GetString(const char* key, const char* name, CString& out) const;
    BOOL SetString(const char* key, const char* name, const char* value);
    BOOL GetDWord(const char* key, const char* name, DWORD& out) const;
    BOOL SetDWord(const char* key, const char* name, DWORD value);
    BOOL DeleteValue(const char* key, const char* name);

    // Names of the direct sub-keys and of the values of a key, as written.
    std::vector<CString> SubKeys(const char* key) const;
    std::vector<CString> ValueNames(const char* key) const;

private:
    struct Value {
        CString name;
        BOOL isDWord = FALSE;
        CString text;
    };
    struct Key {
        CString path;  // as first written
        std::map<std::string, Value> values;  // by lower-case name
    };
    static std::string Fold(const char* key);
    // Value names are matched case ignored.
    static std::string NameKey(const char* name);
    const Value* FindValueLocked(const char* key, const char* name) const;
    void LoadLocked() const;
    BOOL SaveLocked() const;
    Key* FindLocked(const char* key) const;
    Key& CreateLocked(const char* key);

    mutable std::mutex m_mutex;
    CString m_file;
    mutable std::map<std::string, Key> m_keys;  // by folded path
    mutable long long m_stamp = -2;
    mutable BOOL m_unreadable = FALSE;  // the file is there but could not be read
};
