#include "platform/core/StringTable.h"

#include <unordered_map>

namespace {
std::unordered_map<UINT, const char*>& Table()
{
    static std::unordered_map<UINT, const char*> table;
    return table;
}
} // namespace

void CStringTable::Install(const CStringTableEntry* entries, size_t count)
{
    auto& table = Table();
    table.clear();
    for (size_t i = 0; i < count; ++i)
        table[entries[i].id] = entries[i].text;
}

const char* CStringTable::Find(UINT id)
{
    auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}
