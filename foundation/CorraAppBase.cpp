#include "foundation/CorraAppBase.h"

#include "foundation/ScreenUnits.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "platform/core/FileSys.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// atoi without its undefined overflow: the value clamped to int.
int ToInt(const CString& field)
{
    errno = 0;
    long long v = std::strtoll(field, nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

// The fields of "a, b, c": split at commas and blanks.
std::vector<CString> Fields(const CString& text)
{
    return SplitFields(text, ", ");
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// The face name of a LOGFONT, also when it fills the field without a terminator.
CString FaceName(const LOGFONT& lf)
{
    return CString(lf.lfFaceName, static_cast<int>(::strnlen(lf.lfFaceName, LF_FACESIZE)));
}

CString Key(LPCSTR prefix, LPCSTR suffix)
{
    return CString(prefix) + suffix;
}

} // namespace

int CCorraAppBase::GetProfileInt(LPCSTR section, LPCSTR key, int def) const
{
    return Profile().GetInt(section, key, def);
}

CString CCorraAppBase::GetProfileString(LPCSTR section, LPCSTR key, LPCSTR def) const
{
    return Profile().GetString(section, key, def ? def : "");
}

BOOL CCorraAppBase::WriteProfileInt(LPCSTR section, LPCSTR key, int value)
{
    return Profile().WriteInt(section, key, value);
}

BOOL CCorraAppBase::WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value)
{
    return Profile().WriteString(section, key, value);
}

int CCorraAppBase::GetProfileInt(LPCSTR section, LPCSTR key, int def, BOOL writeBack)
{
    int value = GetProfileInt(section, key, def);
    if (writeBack)
        WriteProfileInt(section, key, value);
    return value;
}

int CCorraAppBase::GetProfileNumber(LPCSTR section, LPCSTR key, int def, BOOL writeBack)
{
    CString text = GetProfileString(section, key, "");
    text.Trim();
    int value = def;
    if (!text.IsEmpty()) {
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(text, &end, 10);
        if (end && *end == '\0' && errno == 0 && v >= INT_MIN && v <= INT_MAX)
            value = static_cast<int>(v);
    }
    if (writeBack)
        WriteProfileInt(section, key, value);
    return value;
}

CString& CCorraAppBase::GetProfileString(CString& out, LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack)
{
    out = GetProfileString(section, key, def);
    if (writeBack)
        WriteProfileString(section, key, out);
    return out;
}

CString CCorraAppBase::GetProfileString(LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack)
{
    CString out;
    return GetProfileString(out, section, key, def, writeBack);
}

COLORREF CCorraAppBase::GetProfileColor(LPCSTR section, LPCSTR key, COLORREF def, BOOL writeBack)
{
    CString defText;
    defText.Format("%d, %d, %d", GetRValue(def), GetGValue(def), GetBValue(def));
    CString text = GetProfileString(section, key, defText, writeBack);
    std::vector<CString> f = Fields(text);
    int rgb[3] = {255, 255, 255};
    for (size_t i = 0; i < 3 && i < f.size(); ++i)
        rgb[i] = Clamp(ToInt(f[i]), 0, 255);
    return RGB(rgb[0], rgb[1], rgb[2]);
}

CPoint& CCorraAppBase::GetProfilePair(CPoint& out, LPCSTR section, LPCSTR key, int x, int y, BOOL writeBack)
{
    CString defText;
    defText.Format("%d, %d", x, y);
    CString text = GetProfileString(section, key, defText, writeBack);
    std::vector<CString> f = Fields(text);
    out.x = f.size() > 0 ? ToInt(f[0]) : 0;
    out.y = f.size() > 1 ? ToInt(f[1]) : 0;
    return out;
}

CPoint& CCorraAppBase::GetProfilePoint(CPoint& out, LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack)
{
    std::vector<CString> f = Fields(CString(def));
    int x = f.size() > 0 ? ToInt(f[0]) : 0;
    int y = f.size() > 1 ? ToInt(f[1]) : 0;
    return GetProfilePair(out, section, key, x, y, writeBack);
}

float CCorraAppBase::GetProfileDouble(LPCSTR section, LPCSTR key, double def, BOOL writeBack, int decimals)
{
    CString defText;
    defText.Format("%.*f", Clamp(decimals, 0, 17), def);
    CString text = GetProfileString(section, key, defText, writeBack);
    return static_cast<float>(AtofC(text));
}

BOOL CCorraAppBase::WriteProfileDouble(LPCSTR section, LPCSTR key, double value, int decimals)
{
    CString text;
    text.Format("%.*f", Clamp(decimals, 0, 17), value);
    return WriteProfileString(section, key, text);
}

CString& CCorraAppBase::GetProfilePath(CString& out, LPCSTR section, LPCSTR key, LPCSTR defFullPath,
                                       BOOL writeBack, BOOL)
{
    CString def(defFullPath);
    CString defRel;
    if (!def.IsEmpty()) {
        if (!fsys::Exists(def))
            LogAssertion("::GetFileAttributes(lpszDefFullPath) != 0xFFFFFFFF", LOG_HERE);
        GetServerRelativePath(defRel, def);
        if (!HVIsValidRelativePath(defRel, nullptr))
            LogAssertion("::HVIsValidRelativePath(csDefRelPath, NULL)", LOG_HERE);
    }
    CString value;
    GetProfileString(value, section, key, defRel, writeBack);
    value.Trim();
    out = def;
    // Nothing stored and no default: nothing to name.
    if (value.IsEmpty())
        return out;
    if (!HVIsValidRelativePath(value, nullptr)) {
        LogOutput("CCorraApp::GetProfilePath() - bad relative path...", LOG_ERROR, LOG_HERE);
        LogOutput(value, LOG_ERROR, LOG_HERE);
        return out;
    }
    CString full;
    GetServerFullPath(full, value);
    if (full.IsEmpty() || !fsys::Exists(full)) {
        LogOutput("CCorraApp::GetProfilePath() - file does not exist...", LOG_ERROR, LOG_HERE);
        LogOutput(full, LOG_ERROR, LOG_HERE);
        return out;
    }
    if (fsys::IsDirectory(full) && full[full.GetLength() - 1] != '/')
        full += '/';
    out = full;
    return out;
}

BOOL CCorraAppBase::WriteProfilePath(LPCSTR section, LPCSTR key, LPCSTR fullPath)
{
    if (!fullPath || !*fullPath || !fsys::Exists(fullPath)) {
        LogOutput("CCorraApp::WriteProfilePath() - bad relative path...", LOG_ERROR, LOG_HERE);
        LogOutput(fullPath, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CString rel;
    GetServerRelativePath(rel, fullPath);
    return WriteProfileString(section, key, rel);
}

BOOL CCorraAppBase::GetProfileFont(LPCSTR section, LPCSTR keyPrefix, LOGFONT& lf)
{
    lf = LOGFONT();
    int points = Clamp(GetProfileInt(section, Key(keyPrefix, "_Height"), 12, TRUE), 0, 32767);
    lf.lfHeight = -MulDiv(points, GetScreenLogPixels(TRUE), 72);
    lf.lfWeight = Clamp(GetProfileInt(section, Key(keyPrefix, "_Weight"), 500, TRUE), 0, 1000);
    lf.lfItalic = GetProfileInt(section, Key(keyPrefix, "_Italic"), 0, TRUE) ? 1 : 0;
    lf.lfUnderline = GetProfileInt(section, Key(keyPrefix, "_Underline"), 0, TRUE) ? 1 : 0;
    CString face = GetProfileString(section, Key(keyPrefix, "_FaceName"), "Arial", TRUE);
    SetLogFontFaceName(lf, face);
    return TRUE;
}

BOOL CCorraAppBase::WriteProfileFont(LPCSTR section, LPCSTR keyPrefix, const LOGFONT& lf)
{
    int points = std::abs(MulDiv(72, lf.lfHeight, GetScreenLogPixels(TRUE)));
    WriteProfileInt(section, Key(keyPrefix, "_Height"), points);
    WriteProfileInt(section, Key(keyPrefix, "_Weight"), lf.lfWeight);
    WriteProfileInt(section, Key(keyPrefix, "_Italic"), lf.lfItalic);
    WriteProfileInt(section, Key(keyPrefix, "_Underline"), lf.lfUnderline);
    WriteProfileString(section, Key(keyPrefix, "_FaceName"), FaceName(lf));
    return TRUE;
}

BOOL CCorraAppBase::GetProfileLogFont(LPCSTR section, LPCSTR keyPrefix, LOGFONT& lf, const LOGFONT& def,
                                      BOOL writeBack)
{
    auto byteField = [&](const char* suffix, BYTE d) {
        return static_cast<BYTE>(Clamp(GetProfileInt(section, Key(keyPrefix, suffix), d, writeBack), 0, 255));
    };
    lf.lfHeight = GetProfileInt(section, Key(keyPrefix, "_Height"), def.lfHeight, writeBack);
    lf.lfWeight = Clamp(GetProfileInt(section, Key(keyPrefix, "_Weight"), def.lfWeight, writeBack), 0, 1000);
    lf.lfItalic = byteField("_Italic", def.lfItalic);
    lf.lfUnderline = byteField("_Underline", def.lfUnderline);
    lf.lfStrikeOut = byteField("_StrikeOut", def.lfStrikeOut);
    lf.lfCharSet = byteField("_CharSet", def.lfCharSet);
    lf.lfQuality = byteField("_Quality", def.lfQuality);
    lf.lfPitchAndFamily = byteField("_PitchAndFamily", def.lfPitchAndFamily);
    CString face = GetProfileString(section, Key(keyPrefix, "_FaceName"), FaceName(def), writeBack);
    SetLogFontFaceName(lf, face);
    return TRUE;
}

BOOL CCorraAppBase::WriteProfileLogFont(LPCSTR section, LPCSTR keyPrefix, const LOGFONT& lf)
{
    WriteProfileInt(section, Key(keyPrefix, "_Height"), lf.lfHeight);
    WriteProfileInt(section, Key(keyPrefix, "_Weight"), lf.lfWeight);
    WriteProfileInt(section, Key(keyPrefix, "_Italic"), lf.lfItalic);
    WriteProfileInt(section, Key(keyPrefix, "_Underline"), lf.lfUnderline);
    WriteProfileInt(section, Key(keyPrefix, "_StrikeOut"), lf.lfStrikeOut);
    WriteProfileInt(section, Key(keyPrefix, "_CharSet"), lf.lfCharSet);
    WriteProfileInt(section, Key(keyPrefix, "_Quality"), lf.lfQuality);
    WriteProfileInt(section, Key(keyPrefix, "_PitchAndFamily"), lf.lfPitchAndFamily);
    WriteProfileString(section, Key(keyPrefix, "_FaceName"), FaceName(lf));
    return TRUE;
}

BOOL CCorraAppBase::ENCreateFile(LPCSTR path, LPCSTR text)
{
    if (!path || !*path || !fsys::WriteFile(path, text ? text : "", text ? std::strlen(text) : 0)) {
        LogOutput("CCorraApp::ENCreateFile() - Failed to fopen file...", LOG_ERROR, LOG_HERE);
        LogOutput(path, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

CServiceSlot<CCorraAppBase>& CorraAppSlot()
{
    static CCorraAppBase fallback;
    static CServiceSlot<CCorraAppBase> slot(fallback);
    return slot;
}

CCorraAppBase& CorraApp()
{
    return CorraAppSlot().Get();
}
