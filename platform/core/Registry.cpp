#include "platform/core/Registry.h"

#include "platform/core/CodePage.h"
#include "platform/core/FileSys.h"

#include <cstdlib>

namespace {

std::string Escape(const CString& s)
{
    std::string out;
    for (char c : s.str()) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '"': out += "\\\""; break;
        default: out += c; break;
        }
    }
    return out;
}

CString Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[++i];
            out += n == 'n' ? '\n' : (n == 'r' ? '\r' : n);
        } else {
            out += s[i];
        }
    }
    return CString(out);
}

CString CleanPath(const char* key)
{
    CString p(key);
    p.Replace('/', '\\');
    while (p.Replace("\\\\", "\\") > 0) {
    }
    p.Trim('\\');
    return p;
}

} // namespace

CString GetRegistryFilePath()
{
    const char* env = std::getenv("CORRA_HOME");
    if (env && *env)
        return fsys::Join(CString::FromUtf8(env), "Registry.dat");
    return fsys::Join(fsys::HomeDirectory(), ".config/Vantrel/Corra/Registry.dat");
}

CRegistryStore& CRegistryStore::Instance()
{
    static CRegistryStore store;
    if (store.GetFilePath().IsEmpty())
        store.SetFilePath(GetRegistryFilePath());
    return store;
}

CRegistryStore::CRegistryStore(const char* filePath) : m_file(filePath) {}

void CRegistryStore::SetFilePath(const char* filePath)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_file = filePath;
    m_keys.clear();
    m_stamp = -2;
}

CString CRegistryStore::GetFilePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_file;
}

std::string CRegistryStore::Fold(const char* key)
{
    CString p = CleanPath(key);
    p.MakeLower();
    return p.str();
}

std::string CRegistryStore::NameKey(const char* name)
{
    CString lower(name ? name : "");
    lower.MakeLower();
    return lower.str();
}

const CRegistryStore::Value* CRegistryStore::FindValueLocked(const char* key, const char* name) const
{
    Key* k = FindLocked(key);
    if (!k)
        return nullptr;
    auto it = k->values.find(NameKey(name));
    return it == k->values.end() ? nullptr : &it->second;
}

// File form: "[key path]" lines, then `"name"=s:"text"` or `"name"=d:number` lines.
void CRegistryStore::LoadLocked() const
{
    long long stamp = fsys::ChangeStamp(m_file);
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_keys.clear();
    m_unreadable = FALSE;
    std::string data;
    if (stamp < 0)
        return;
    if (!fsys::ReadFile(m_file, data)) {
        m_unreadable = TRUE;
        return;
    }
    Key* current = nullptr;
    size_t pos = 0;
    while (pos < data.size()) {
        size_t eol = data.find('\n', pos);
        if (eol == std::string::npos)
            eol = data.size();
        std::string line = data.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            CString path = CleanPath(line.substr(1, line.size() - 2).c_str());
            Key& k = m_keys[Fold(path)];
            k.path = path;
            current = &k;
            continue;
        }
        if (!current || line.size() < 2 || line[0] != '"')
            continue;
        // The name ends at the first unescaped quote.
        size_t i = 1;
        std::string rawName;
        while (i < line.size() && line[i] != '"') {
            if (line[i] == '\\' && i + 1 < line.size())
                rawName += line[i++];
            rawName += line[i++];
        }
        if (i + 3 >= line.size() || line[i + 1] != '=' || line[i + 3] != ':')
            continue;
        Value v;
        v.name = Unescape(rawName);
        v.isDWord = line[i + 2] == 'd';
        std::string rest = line.substr(i + 4);
        if (v.isDWord) {
            v.text = CString(rest);
        } else {
            if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
                rest = rest.substr(1, rest.size() - 2);
            v.text = Unescape(rest);
        }
        current->values[NameKey(v.name)] = v;
    }
}

BOOL CRegistryStore::SaveLocked() const
{
    // A file that is there but cannot be read would be replaced by what little is known.
    if (m_file.IsEmpty() || m_unreadable) {
        m_stamp = -2;
        return FALSE;
    }
    std::string out;
    for (const auto& [folded, key] : m_keys) {
        out += "[" + key.path.str() + "]\n";
        for (const auto& [lower, v] : key.values) {
            out += "\"" + Escape(v.name) + "\"=";
            out += v.isDWord ? "d:" + v.text.str() : "s:\"" + Escape(v.text) + "\"";
            out += "\n";
        }
        out += "\n";
    }
    CString folder = fsys::Folder(m_file);
    if (!folder.IsEmpty() && !fsys::IsDirectory(folder))
        fsys::CreateDirectories(folder);
    BOOL ok = fsys::WriteFileAtomic(m_file, out.data(), out.size());
    m_stamp = ok ? fsys::ChangeStamp(m_file) : -2;
    return ok;
}

CRegistryStore::Key* CRegistryStore::FindLocked(const char* key) const
{
    auto it = m_keys.find(Fold(key));
    return it == m_keys.end() ? nullptr : &it->second;
}

CRegistryStore::Key& CRegistryStore::CreateLocked(const char* key)
{
    CString path = CleanPath(key);
    // Parents exist whenever a child does.
    int from = 0;
    for (;;) {
        int slash = path.Find('\\', from);
        CString part = slash < 0 ? path : path.Left(slash);
        Key& k = m_keys[Fold(part)];
        if (k.path.IsEmpty())
            k.path = part;
        if (slash < 0)
            return k;
        from = slash + 1;
    }
}

BOOL CRegistryStore::KeyExists(const char* key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    return FindLocked(key) != nullptr;
}

BOOL CRegistryStore::CreateKey(const char* key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    if (FindLocked(key))
        return TRUE;
    CreateLocked(key);
    return SaveLocked();
}

BOOL CRegistryStore::DeleteKey(const char* key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    std::string folded = Fold(key);
    if (folded.empty() || m_keys.find(folded) == m_keys.end())
        return FALSE;
    std::string prefix = folded + "\\";
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (it->first == folded || it->first.compare(0, prefix.size(), prefix) == 0)
            it = m_keys.erase(it);
        else
            ++it;
    }
    return SaveLocked();
}

BOOL CRegistryStore::GetString(const char* key, const char* name, CString& out) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    const Value* v = FindValueLocked(key, name);
    if (!v || v->isDWord)
        return FALSE;
    out = v->text;
    return TRUE;
}

BOOL CRegistryStore::SetString(const char* key, const char* name, const char* value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    Value v;
    v.name = name ? name : "";
    v.text = value;
    CreateLocked(key).values[NameKey(v.name)] = v;
    return SaveLocked();
}

BOOL CRegistryStore::GetDWord(const char* key, const char* name, DWORD& out) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    const Value* v = FindValueLocked(key, name);
    if (!v || !v->isDWord)
        return FALSE;
    out = static_cast<DWORD>(std::strtoul(v->text, nullptr, 10));
    return TRUE;
}

BOOL CRegistryStore::SetDWord(const char* key, const char* name, DWORD value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    Value v;
    v.name = name ? name : "";
    v.isDWord = TRUE;
    v.text = CString::Formatted("%u", value);
    CreateLocked(key).values[NameKey(v.name)] = v;
    return SaveLocked();
}

BOOL CRegistryStore::DeleteValue(const char* key, const char* name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    Key* k = FindLocked(key);
    if (!k || k->values.erase(NameKey(name)) == 0)
        return FALSE;
    return SaveLocked();
}

std::vector<CString> CRegistryStore::SubKeys(const char* key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    std::vector<CString> out;
    std::string prefix = Fold(key) + "\\";
    for (const auto& [folded, k] : m_keys) {
        if (folded.compare(0, prefix.size(), prefix) == 0 &&
            folded.find('\\', prefix.size()) == std::string::npos)
            out.push_back(k.path.Mid(static_cast<int>(prefix.size())));
    }
    return out;
}

std::vector<CString> CRegistryStore::ValueNames(const char* key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    std::vector<CString> out;
    if (Key* k = FindLocked(key)) {
        for (const auto& [lower, v] : k->values)
            out.push_back(v.name);
    }
    return out;
}
