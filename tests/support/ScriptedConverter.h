#pragma once
// A word processor the tests script: it writes what it is told or fails with a reason, and
// counts of the temporary RTF files conversions leave behind.

#include "controls/WordConvert.h"
#include "platform/core/FileSys.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class CWritingConverter : public IDocumentConverter {
public:
    BOOL IsInstalled(int) override { return installed; }
    BOOL Convert(int nKind, WCType& block, const std::function<bool()>&) override
    {
        kind = nKind;
        title = block.title;
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
    int kind = -1;      // the last word processor asked, and the title it was given
    CString title;
    std::string rtf = "{\\rtf1 Q?\\par a. x\\par b. y\\par}";
};

// Points the temporary folder at a fresh one of this process's own while it lives: test processes
// run side by side, and one's converted files must not show up in another's count.
class CPrivateTempFolder {
public:
    CPrivateTempFolder()
    {
        if (const char* t = std::getenv("TMPDIR"))
            m_old = t, m_had = true;
        m_dir = std::filesystem::temp_directory_path() / ("corra-tmp-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        ::setenv("TMPDIR", m_dir.c_str(), 1);
    }
    ~CPrivateTempFolder()
    {
        if (m_had)
            ::setenv("TMPDIR", m_old.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    CPrivateTempFolder(const CPrivateTempFolder&) = delete;
    CPrivateTempFolder& operator=(const CPrivateTempFolder&) = delete;

private:
    std::filesystem::path m_dir;
    std::string m_old;
    bool m_had = false;
};

// Temporary RTF files in the temporary folder.
inline int TempRtfFiles()
{
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(fsys::TempDirectory().GetString()))
        n += e.path().filename().string().rfind("temp", 0) == 0 && e.path().extension() == ".rtf";
    return n;
}
