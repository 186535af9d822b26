#include "app/Registration.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"

#include <cstdlib>
#include <string>

namespace {

CString DataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fsys::IsAbsolute(xdg))
        return xdg;
    return fsys::Join(fsys::HomeDirectory(), ".local/share");
}

CString DesktopEntryPath()
{
    return fsys::Join(DataHome(), "applications/corra.desktop");
}

CString MimePath()
{
    return fsys::Join(DataHome(), "mime/packages/corra.xml");
}

const char* const kMime =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-corra-document\">\n"
    "    <comment>Corra Document</comment>\n"
    "    <glob pattern=\"*.crr\"/>\n"
    "  </mime-type>\n"
    "  <mime-type type=\"application/x-corra-exam\">\n"
    "    <comment>Exam Document</comment>\n"
    "    <glob pattern=\"*.exm\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

// The program path as one argument of the entry's Exec line.
std::string Quoted(LPCSTR program)
{
    std::string out = "\"";
    for (const char* p = program; *p; ++p) {
        if (*p == '"' || *p == '`' || *p == '$' || *p == '\\')
            out += '\\';
        if (*p == '%')
            out += '%';
        out += *p;
    }
    return out + "\"";
}

BOOL WriteText(const CString& path, const std::string& text)
{
    fsys::CreateDirectories(fsys::Folder(path));
    if (fsys::WriteFileAtomic(path, text.data(), text.size()))
        return TRUE;
    LogOutput("Registration: cannot write...", 1, LOG_HERE);
    LogOutput(path, 1, LOG_HERE);
    return FALSE;
}

} // namespace

namespace registration {

std::vector<CString> Files()
{
    return {DesktopEntryPath(), MimePath()};
}

BOOL Register(LPCSTR program)
{
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Quorvale\n"
                        "Comment=Question banks and exams\n"
                        "Exec=" + Quoted(program ? program : "corra") + " %F\n"
                        "MimeType=application/x-corra-document;application/x-corra-exam;\n"
                        "Categories=Education;Office;\n"
                        "Terminal=false\n";
    BOOL ok = WriteText(DesktopEntryPath(), entry);
    ok = WriteText(MimePath(), kMime) && ok;
    LogOutput(ok ? "Registration: desktop entry and MIME types written" : "Registration: incomplete", ok ? 5 : 1,
              LOG_HERE);
    return ok;
}

BOOL Unregister()
{
    BOOL ok = TRUE;
    for (const CString& f : Files()) {
        if (fsys::Exists(f) && !fsys::DeleteFile(f))
            ok = FALSE;
    }
    LogOutput(ok ? "Registration: desktop entry and MIME types removed" : "Registration: cannot remove all files",
              ok ? 5 : 1, LOG_HERE);
    return ok;
}

} // namespace registration
