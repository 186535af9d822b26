#pragma once
// Tables of keywords sorted by word and searched by halves: the RTF readers' control words.
// An entry is any struct whose first member is `std::string_view word`.

#include <algorithm>
#include <cstddef>
#include <string_view>

template <typename Entry, std::size_t N>
constexpr bool IsKeywordTableSorted(const Entry (&table)[N])
{
    for (std::size_t i = 1; i < N; ++i)
        if (!(table[i - 1].word < table[i].word))
            return false;
    return true;
}

// The entry of word, or nullptr.
template <typename Entry, std::size_t N>
const Entry* FindKeyword(const Entry (&table)[N], std::string_view word)
{
    const Entry* it = std::lower_bound(table, table + N, word,
                                       [](const Entry& e, std::string_view w) { return e.word < w; });
    return it != table + N && it->word == word ? it : nullptr;
}
