// Every file of each fuzzing corpus (fuzz/corpus/<entry>/), run through its entry under the
// test run's sanitizers: what fuzzing once found stays mended.

#include "fuzz/FuzzEntries.h"

#include "tests/support/CorraTest.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class FuzzCorpus : public CorraTest, public ::testing::WithParamInterface<const CFuzzEntry*> {};

std::vector<const CFuzzEntry*> AllEntries()
{
    std::vector<const CFuzzEntry*> out;
    for (const CFuzzEntry* e = FuzzEntries(); e->name; ++e)
        out.push_back(e);
    return out;
}

TEST_P(FuzzCorpus, EveryFileReadsSafely)
{
    const CFuzzEntry& entry = *GetParam();
    const std::filesystem::path folder = std::filesystem::path(CORRA_FUZZ_CORPUS_DIR) / entry.name;
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (item.is_regular_file())
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no corpus in " << folder;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        entry.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, FuzzCorpus, ::testing::ValuesIn(AllEntries()),
                         [](const ::testing::TestParamInfo<const CFuzzEntry*>& info) { return std::string(info.param->name); });

} // namespace
