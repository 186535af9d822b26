#include "shell/ShellUtil.h"

#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"

#include <algorithm>

void LogShellFailure(LPCSTR text, LPCSTR detail)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
    if (detail && *detail)
        LogOutput(detail, LOG_ERROR, LOG_HERE);
}

std::vector<CString> SplitExtensionList(LPCSTR extList)
{
    std::vector<CString> out;
    CString list(extList);
    int start = 0;
    for (;;) {
        int semi = list.Find(';', start);
        CString part = list.Mid(start, (semi < 0 ? list.GetLength() : semi) - start);
        part.Trim();
        // A file name or pattern stands for its extension.
        int dot = part.ReverseFind('.');
        if (dot >= 0)
            part = part.Mid(dot + 1);
        part.TrimLeft('*');
        part.MakeLower();
        if (!part.IsEmpty())
            out.push_back(part);
        if (semi < 0)
            break;
        start = semi + 1;
    }
    return out;
}

BOOL ExtensionListHas(const std::vector<CString>& exts, LPCSTR fileName)
{
    CString name(fileName);
    int slash = name.ReverseFind('/');
    name = name.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    if (dot < 0)
        return FALSE;
    CString ext = name.Mid(dot + 1);
    ext.MakeLower();
    return std::find(exts.begin(), exts.end(), ext) != exts.end();
}

CString FolderNoSlash(LPCSTR folder)
{
    CString f = fsys::NormalizeSeparators(folder);
    f.TrimRight();
    while (f.GetLength() > 1 && f[f.GetLength() - 1] == '/')
        f = f.Left(f.GetLength() - 1);
    return f;
}

CString FolderWithSlash(LPCSTR folder)
{
    CString f = FolderNoSlash(folder);
    if (!f.IsEmpty() && f != "/")
        f += "/";
    return f;
}

CString ShownFolderText(LPCSTR folder)
{
    CString rel;
    GetServerRelativePath(rel, FolderNoSlash(folder));
    if (rel.Left(1) == ".")
        return "..." + (rel.GetLength() > 1 ? rel.Mid(1) : CString("/"));
    return FolderNoSlash(folder);
}
