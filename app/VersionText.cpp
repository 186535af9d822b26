#include "app/VersionText.h"

#include "foundation/VersionInfo.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

std::vector<CString> Fields(LPCSTR version)
{
    std::vector<CString> fields;
    CString text(version ? version : "");
    int start = 0;
    while (start <= text.GetLength()) {
        int comma = text.Find(',', start);
        if (comma < 0)
            comma = text.GetLength();
        CString f = text.Mid(start, comma - start);
        f.Trim();
        fields.push_back(f);
        start = comma + 1;
    }
    return fields;
}

CString Joined(const std::vector<CString>& fields)
{
    CString out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ".";
        out += fields[i];
    }
    return out;
}

} // namespace

CString GetFileVersionText()
{
    CVersionInfo info;
    return Joined(Fields(info.GetFileVersion()));
}

CString ShortVersionText(LPCSTR version)
{
    std::vector<CString> f = Fields(version);
    while (f.size() < 4)
        f.push_back("0");
    CString out = f[0] + "." + f[1];
    if (f[2] != "0")
        out += "." + f[2];
    if (f[3] != "0")
        out += "." + f[3];
    return out;
}

CString GetProductVersionText(BOOL bFull)
{
    CVersionInfo info;
    return bFull ? Joined(Fields(info.GetProductVersion())) : ShortVersionText(info.GetProductVersion());
}

CString BuildTimeStamp()
{
    // __DATE__ is "Mmm dd yyyy", __TIME__ "hh:mm:ss".
    static const char* const kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    char month[4] = {};
    int day = 1, year = 1970, hour = 0, minute = 0, second = 0;
    std::sscanf(__DATE__, "%3s %d %d", month, &day, &year);
    std::sscanf(__TIME__, "%d:%d:%d", &hour, &minute, &second);
    const char* m = std::strstr(kMonths, month);
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = m ? static_cast<int>((m - kMonths) / 3) : 0;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    std::mktime(&t);
    char buf[64];
    std::strftime(buf, sizeof buf, "%a %b %d %H:%M:%S %Y", &t);
    return buf;
}
