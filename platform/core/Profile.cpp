#include "platform/core/Profile.h"

#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"

#include <cstdlib>

namespace {

int ParseLeadingInt(const CString& v)
{
    const char* p = v.GetString();
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    long long n = 0;
    while (IsDigitByte(static_cast<unsigned char>(*p))) {
        n = n * 10 + (*p - '0');
        if (n > 0xFFFFFFFFLL)
            n = 0xFFFFFFFFLL;
        ++p;
    }
    if (negative)
        n = -n;
    return static_cast<int>(static_cast<std::uint32_t>(n));
}

} // namespace

CProfileStore::CProfileStore(const char* path) : m_path(path) {}

void CProfileStore::SetPath(const char* path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
    m_lines.clear();
    m_stamp = -2;
    m_bPending = FALSE;
}

CString CProfileStore::GetPath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_path;
}

void CProfileStore::BeginBatch()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nBatch;
}

BOOL CProfileStore::EndBatch()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_nBatch > 0 && --m_nBatch == 0 && m_bPending)
        return SaveLocked();
    return TRUE;
}

void CProfileStore::LoadLocked() const
{
    // Writes held by a batch are newer than the file.
    if (m_bPending)
        return;
    long long stamp = fsys::ChangeStamp(m_path);
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_lines.clear();
    m_unreadable = FALSE;
    std::string data;
    if (stamp < 0)
        return;
    if (!fsys::ReadFile(m_path, data)) {
        m_unreadable = TRUE;
        return;
    }
    size_t pos = 0;
    while (pos < data.size()) {
        size_t eol = data.find('\n', pos);
        if (eol == std::string::npos)
            eol = data.size();
        CString text(data.substr(pos, eol - pos));
        text.TrimRight('\r');
        pos = eol + 1;
        Line line;
        line.text = text;
        CString t = text;
        t.Trim();
        if (t.GetLength() >= 2 && t[0] == '[') {
            int close = t.Find(']');
            if (close > 0) {
                line.isSection = TRUE;
                line.section = t.Mid(1, close - 1);
                line.section.Trim();
            }
        } else if (!t.IsEmpty() && t[0] != ';') {
            int eq = t.Find('=');
            if (eq > 0) {
                line.isEntry = TRUE;
                line.key = t.Left(eq);
                line.key.Trim();
            }
        }
        m_lines.push_back(line);
    }
}

BOOL CProfileStore::SaveLocked() const
{
    if (m_nBatch > 0) {
        m_bPending = TRUE;
        return TRUE;
    }
    m_bPending = FALSE;
    std::string out;
    for (const Line& l : m_lines) {
        out += l.text.str();
        out += '\n';
    }
    CString folder = fsys::Folder(m_path);
    if (!folder.IsEmpty() && !fsys::IsDirectory(folder))
        fsys::CreateDirectories(folder);
    BOOL ok = fsys::WriteFileAtomic(m_path, out.data(), out.size());
    m_stamp = ok ? fsys::ChangeStamp(m_path) : -2;
    return ok;
}

int CProfileStore::FindSectionLocked(const char* section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].isSection && m_lines[i].section.CompareNoCase(section) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CProfileStore::FindKeyLocked(int sectionLine, const char* key) const
{
    for (size_t i = static_cast<size_t>(sectionLine) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].isSection)
            break;
        if (m_lines[i].isEntry && m_lines[i].key.CompareNoCase(key) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

CString CProfileStore::ValueOf(const Line& line)
{
    CString v = line.text.Mid(line.text.Find('=') + 1);
    // Callers take a value as a C string: a NUL byte in the file ends it here already, so that
    // what is read is what a caller writes back.
    int nul = v.Find('\0');
    if (nul >= 0)
        v = v.Left(nul);
    v.Trim();
    if (v.GetLength() >= 2 && (v[0] == '"' || v[0] == '\'') && v[v.GetLength() - 1] == v[0])
        v = v.Mid(1, v.GetLength() - 2);
    return v;
}

BOOL CProfileStore::HasKey(const char* section, const char* key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    int s = FindSectionLocked(section);
    return s >= 0 && FindKeyLocked(s, key) >= 0;
}

int CProfileStore::GetInt(const char* section, const char* key, int def) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    int s = FindSectionLocked(section);
    int k = s >= 0 ? FindKeyLocked(s, key) : -1;
    if (k < 0)
        return def;
    return ParseLeadingInt(ValueOf(m_lines[static_cast<size_t>(k)]));
}

CString CProfileStore::GetString(const char* section, const char* key, const char* def) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    int s = FindSectionLocked(section);
    int k = s >= 0 ? FindKeyLocked(s, key) : -1;
    if (k < 0) {
        // Only trailing blanks of a default are dropped.
        CString d(def);
        d.TrimRight(' ');
        return d;
    }
    return ValueOf(m_lines[static_cast<size_t>(k)]);
}

BOOL CProfileStore::WriteInt(const char* section, const char* key, int value)
{
    return WriteString(section, key, CString::Formatted("%d", value));
}

BOOL CProfileStore::WriteString(const char* section, const char* key, const char* value)
{
    if (!section || !*section)
        return FALSE;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_path.IsEmpty())
        return FALSE;
    LoadLocked();
    // A file that is there but cannot be read would be replaced by this one entry.
    if (m_unreadable)
        return FALSE;
    int s = FindSectionLocked(section);
    if (!key) {
        if (s < 0)
            return TRUE;
        size_t end = static_cast<size_t>(s) + 1;
        while (end < m_lines.size() && !m_lines[end].isSection)
            ++end;
        m_lines.erase(m_lines.begin() + s, m_lines.begin() + static_cast<long>(end));
        return SaveLocked();
    }
    int k = s >= 0 ? FindKeyLocked(s, key) : -1;
    if (!value) {
        if (k < 0)
            return TRUE;
        // A key written twice by hand would come back with its second value: all of it goes.
        for (; k >= 0; k = FindKeyLocked(s, key))
            m_lines.erase(m_lines.begin() + k);
        return SaveLocked();
    }
    CString v(value);
    // A value is one line; line breaks would split it into entries of their own.
    v.Replace("\r", "");
    v.Replace("\n", " ");
    // Reading trims a value and drops one pair of enclosing quotes: such a value is quoted so
    // that it reads back as written.
    if (!v.IsEmpty()) {
        unsigned char first = static_cast<unsigned char>(v[0]);
        unsigned char last = static_cast<unsigned char>(v[v.GetLength() - 1]);
        if (IsSpaceByte(first) || IsSpaceByte(last) ||
            (v.GetLength() >= 2 && (first == '"' || first == '\'') && last == first))
            v = "\"" + v + "\"";
    }
    Line entry;
    entry.isEntry = TRUE;
    // An existing key keeps its spelling; only its value changes.
    entry.key = k >= 0 ? m_lines[static_cast<size_t>(k)].key : CString(key);
    entry.key.Trim();
    entry.text = entry.key + "=" + v;
    if (k >= 0) {
        // Reads write their defaults back all the time; an unchanged value costs no rewrite.
        if (m_lines[static_cast<size_t>(k)].text == entry.text)
            return TRUE;
        m_lines[static_cast<size_t>(k)].text = entry.text;
    } else if (s >= 0) {
        // After the section's last entry, before any blank lines that end it.
        size_t at = static_cast<size_t>(s) + 1;
        for (size_t i = at; i < m_lines.size() && !m_lines[i].isSection; ++i) {
            CString t = m_lines[i].text;
            if (!t.Trim().IsEmpty())
                at = i + 1;
        }
        m_lines.insert(m_lines.begin() + static_cast<long>(at), entry);
    } else {
        if (!m_lines.empty() && !CString(m_lines.back().text).Trim().IsEmpty())
            m_lines.push_back(Line{});
        Line header;
        header.isSection = TRUE;
        header.section = section;
        header.text = CString("[") + section + "]";
        m_lines.push_back(header);
        m_lines.push_back(entry);
    }
    return SaveLocked();
}

std::vector<CString> CProfileStore::GetSectionNames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    std::vector<CString> out;
    for (const Line& l : m_lines) {
        if (l.isSection)
            out.push_back(l.section);
    }
    return out;
}

std::vector<std::pair<CString, CString>> CProfileStore::GetSection(const char* section) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    LoadLocked();
    std::vector<std::pair<CString, CString>> out;
    int s = FindSectionLocked(section);
    if (s < 0)
        return out;
    for (size_t i = static_cast<size_t>(s) + 1; i < m_lines.size() && !m_lines[i].isSection; ++i) {
        if (m_lines[i].isEntry)
            out.emplace_back(m_lines[i].key, ValueOf(m_lines[i]));
    }
    return out;
}

CProfileStore& AppProfile()
{
    static CProfileStore store;
    if (store.GetPath().IsEmpty())
        store.SetPath(GetProgramHome() + "Corra.ini");
    return store;
}
