#include "platform/core/ClipboardFormats.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstFormat = 0xC000;

struct CFormatTable {
    std::mutex lock;
    std::map<std::string, UINT> byName;
    std::vector<std::string> names;  // names[format - kFirstFormat]
};

CFormatTable& Table()
{
    static CFormatTable table;
    return table;
}

} // namespace

UINT RegisterClipboardFormat(LPCSTR name)
{
    if (!name || !*name)
        return 0;
    CFormatTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto [it, added] = table.byName.emplace(name, kFirstFormat + static_cast<UINT>(table.names.size()));
    if (added)
        table.names.push_back(name);
    return it->second;
}

CString GetClipboardFormatName(UINT format)
{
    CFormatTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (format < kFirstFormat || format - kFirstFormat >= table.names.size())
        return CString();
    return CString(table.names[format - kFirstFormat].c_str());
}
