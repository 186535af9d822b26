#pragma once
// A word processor the tests script: it writes what it is told or fails with a reason, and
// counts of the temporary RTF files conversions leave behind.

#include "controls/WordConvert.h"
#include "platform/core/FileSys.h"

#include <filesystem>
#include <string>

class CWritingConverter : public IDocumentConverter {
public:
    BOOL IsInstalled(int) override { return installed; }
    BOOL Convert(int, WCType& block, const std::function<bool()>&) override
    {
        converted = block.destination;
        if (fail) {
            fsys::WriteFile(block.destination, "half", 4);
            block.error = "Broken document.";
            return FALSE;
        }
        return fsys::WriteFile(block.destination, rtf.data(), rtf.size());
    }
    BOOL installed = TRUE;
    bool fail = false;
    CString converted;  // the last destination
    std::string rtf = "{\\rtf1 Q?\\par a. x\\par b. y\\par}";
};

// Temporary RTF files in the temporary folder.
inline int TempRtfFiles()
{
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(fsys::TempDirectory().GetString()))
        n += e.path().filename().string().rfind("temp", 0) == 0 && e.path().extension() == ".rtf";
    return n;
}
