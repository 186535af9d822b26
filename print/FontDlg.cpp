#include "print/FontDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/Services.h"
#include "platform/ui/Wnd.h"
#include "render/FontMgr.h"

#include <cstring>

CFontDlg::CFontDlg(LPCSTR pszCaption, const LOGFONT* plf, CDC*, CWnd* pParent)
    : m_csCaption(pszCaption ? pszCaption : ""), m_pParent(pParent)
{
    if (plf)
        m_lf = *plf;
}

int CFontDlg::DoModal()
{
    LOGFONT chosen = m_lf;
    if (!ChooseTextFont(chosen, m_pParent ? m_pParent->GetWidget() : nullptr, m_csCaption))
        return IDCANCEL;
    // The face's character set and pitch as last chosen for it.
    CFontMgr::LoadFaceCharset(chosen);
    m_lf = chosen;
    return IDOK;
}

namespace {

struct CLogFontKey {
    const char* name;
    int def;
};
constexpr CLogFontKey kKeys[] = {{"Height", -13},        {"Weight", 400},         {"Italic", 0},
                                 {"Underline", 0},       {"StrikeOut", 0},        {"CharSet", 0},
                                 {"OutPrecision", 3},    {"ClipPrecision", 2},    {"Quality", 1},
                                 {"PitchAndFamily", 49}};

// The LOGFONT field behind each key, in the order of kKeys.
template <typename F>
void EachField(LOGFONT& lf, F&& f)
{
    LONG height = lf.lfHeight;
    LONG weight = lf.lfWeight;
    int bytes[8] = {lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet,
                    lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily};
    int values[10] = {static_cast<int>(height), static_cast<int>(weight), bytes[0], bytes[1], bytes[2],
                      bytes[3], bytes[4], bytes[5], bytes[6], bytes[7]};
    for (int i = 0; i < 10; ++i)
        f(kKeys[i], values[i]);
    lf.lfHeight = values[0];
    lf.lfWeight = values[1];
    BYTE* targets[8] = {&lf.lfItalic, &lf.lfUnderline, &lf.lfStrikeOut, &lf.lfCharSet,
                        &lf.lfOutPrecision, &lf.lfClipPrecision, &lf.lfQuality, &lf.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *targets[i] = static_cast<BYTE>(values[i + 2]);
}

} // namespace

void ReadProfileLogFont(LPCSTR section, LOGFONT& lf)
{
    lf = LOGFONT{};
    CCorraAppBase& app = CorraApp();
    bool odd = false;
    EachField(lf, [&](const CLogFontKey& key, int& value) {
        value = app.GetProfileInt(section, key.name, key.def);
        // Hand-edited values a font cannot take go back to the default.
        const bool bad = (key.def == -13 && (value == 0 || value < -1000 || value > 1000)) ||
                         (key.def == 400 && (value < 0 || value > 1000)) ||
                         (key.def != -13 && key.def != 400 && (value < 0 || value > 255));
        if (bad) {
            odd = true;
            value = key.def;
        }
    });
    const CString face = app.GetProfileString(section, "FaceName", "Arial");
    if (face.IsEmpty() || face.GetLength() >= LF_FACESIZE) {
        odd = true;
        SetLogFontFaceName(lf, "Arial");
    } else {
        SetLogFontFaceName(lf, face);
    }
    if (odd)
        LogOutput(CString("::ReadProfileLogFont() - values out of range in section ") + section, LOG_ERROR, LOG_HERE);
}

void WriteProfileLogFont(LPCSTR section, const LOGFONT& lf)
{
    CCorraAppBase& app = CorraApp();
    LOGFONT copy = lf;
    EachField(copy, [&](const CLogFontKey& key, int& value) { app.WriteProfileInt(section, key.name, value); });
    app.WriteProfileString(section, "FaceName", CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE))));
}
