#include "render/FontMgr.h"

#include "foundation/CorraAppBase.h"
#include "foundation/ScreenUnits.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/ui/DC.h"
#include "platform/core/CodePage.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/core/ScreenInfo.h"
#include "platform/core/UiThread.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <set>

namespace {

const char* const kFontMgrSection = "FontMgr";

struct SlotInfo {
    const char* name;
    const char* styleClass;
    const char* face;
    LONG height;
    LONG weight;
};

const SlotInfo kSlots[FM_COUNT + 1] = {
    {"Question", "qtext", "Times New Roman", -13, 500},
    {"Choices", "choice", "Times New Roman", -13, 500},
    {"Choice ID", "choiceid", "Times New Roman", -13, 500},
    {"Answer", "answer", "Times New Roman", -13, 500},
    {"Question No.", "qnum", "Times New Roman", -13, 500},
    {"Exam Course Name", "exmcrsname", "Arial", -16, 400},
    {"Exam Title", "exmtitle", "Arial", -19, 700},
    {"Exam File Name (footer)", "exmfilename", "Arial", -8, 400},
    {"Exam Page No. (footer)", "exmpagenum", "Arial", -8, 400},
    {"Exam Form Name (footer)", "formname", "Arial", -8, 400},
    {"Student Name (header)", "studentname", "Times New Roman", -16, 500},
    {"Student ID (header)", "studentid", "Times New Roman", -16, 500},
    {"Group Description", "groupdesc", "Times New Roman", -16, 500},
    {"Instructions", "instructions", "Times New Roman", -16, 500},
    {"Corra Title", "crrtitle", "Arial", -16, 400},
    {"Corra Description", "crrdescr", "Arial", -19, 700},
    {"Corra File Name (footer)", "crrfilename", "Arial", -8, 400},
    {"Corra Page No. (footer)", "crrpagenum", "Arial", -8, 400},
    {"FM_COUNT", "max", "", 0, 0},  // marks the count; not a slot
};

LOGFONT MakeDefault(const SlotInfo& s)
{
    LOGFONT lf;
    lf.lfHeight = s.height;
    lf.lfWeight = s.weight;
    // Roman or swiss family, with both pitch bits set: the document font's marker.
    lf.lfPitchAndFamily = std::strcmp(s.face, "Arial") == 0 ? 0x23 : 0x13;
    SetLogFontFaceName(lf, s.face);
    return lf;
}

struct CDefaultTable {
    CDefaultTable()
    {
        for (int i = 0; i < FM_COUNT; ++i)
            fonts[i] = MakeDefault(kSlots[i]);
    }
    LOGFONT fonts[FM_COUNT];
};

// Built once, whichever thread asks first.
const LOGFONT* DefaultTable()
{
    static const CDefaultTable table;
    return table.fonts;
}

struct SymbolFont {
    const char* face;
    const char* rtfTemplate;
};

const SymbolFont kSymbolFonts[] = {
    {"QVMath", "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVMath;}}\\viewkind4\\uc1\\pard\\f0"},
    {"QVMathB", "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVMathB;}}\\viewkind4\\uc1\\pard\\f0"},
    {"QVchemA", "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVchemA;}}\\viewkind4\\uc1\\pard\\lang1033\\f0"},
    {"QVchemB", "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVchemB;}}\\viewkind4\\uc1\\pard\\lang1033\\f0"},
    {"Symbol", "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\froman\\fprq2\\fcharset2 Symbol;}}\\viewkind4\\uc1\\pard\\f0"},
};

// Fonts made by SelectSlotFont that are still selected somewhere: only these are ours to delete.
std::set<CFont*>& LiveFonts()
{
    static std::set<CFont*> fonts;
    return fonts;
}

// Until rendering installs the RTF-aware drawer, text is drawn as the device context draws it.
class CPlainTextDrawer : public ITextDrawer {
public:
    int DrawText(CDC* pDC, LPCSTR text, int nCount, RECT* pRect, UINT nFormat) override
    {
        return pDC ? pDC->DrawText(text, nCount, pRect, nFormat) : 0;
    }
};

CPlainTextDrawer g_plainDrawer;
CServiceSlot<ITextDrawer> g_textDrawer(g_plainDrawer);

bool InRange(int nSlot)
{
    return nSlot >= 0 && nSlot < FM_COUNT;
}

// Every slot in turn, the results combined; an exception is logged and passed on.
BOOL ForAllSlots(BOOL (*each)(int))
{
    BOOL ok = TRUE;
    try {
        for (int i = 0; i < FM_COUNT; ++i)
            ok = each(i) && ok;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        throw;
    } catch (...) {
        LogUnknownException(LOG_HERE);
        throw;
    }
    return ok;
}

} // namespace

LOGFONT CFontMgr::m_lfSlots[FM_COUNT];
thread_local CFont* CFontMgr::m_Fonts[FM_COUNT] = {};
int CFontMgr::m_nDefaultSlot = 0;
int CFontMgr::m_nScreenDpi = 96;
DWORD CFontMgr::m_dwLastChange = 0;
BOOL CFontMgr::m_bLoaded = FALSE;

// The working table starts as the default table, for code that reads a slot before any load.
const bool CFontMgr::s_bStartState = (CFontMgr::Reset(), true);

std::recursive_mutex& CFontMgr::Mutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

void CFontMgr::Reset()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    for (int i = 0; i < FM_COUNT; ++i) {
        m_lfSlots[i] = DefaultTable()[i];
        m_Fonts[i] = nullptr;
    }
    m_nDefaultSlot = 0;
    m_nScreenDpi = 96;
    m_dwLastChange = 0;
    m_bLoaded = FALSE;
}

int CFontMgr::ResolveSlot(int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (nSlot == -1)
        nSlot = m_nDefaultSlot;
    if (!InRange(nSlot)) {
        LogOutput("FontMgr: font num out of range - using default", LOG_ERROR, LOG_HERE);
        nSlot = 0;
    }
    return nSlot;
}

LPCSTR CFontMgr::GetSlotName(int nSlot)
{
    return kSlots[ResolveSlot(nSlot)].name;
}

LPCSTR CFontMgr::GetSlotClassName(int nSlot)
{
    return kSlots[ResolveSlot(nSlot)].styleClass;
}

void CFontMgr::GetSlotLogFont(LOGFONT& lf, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    lf = m_lfSlots[ResolveSlot(nSlot)];
}

LOGFONT* CFontMgr::GetSlotLogFontPtr(int nSlot)
{
    ASSERT_UI_THREAD();
    return InRange(nSlot) ? &m_lfSlots[nSlot] : nullptr;
}

void CFontMgr::SetSlotLogFont(const LOGFONT& lf, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    m_lfSlots[nSlot] = lf;
    TouchFonts();
    SaveSlot(nSlot);
}

BOOL CFontMgr::ResetSlotToDefault(int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (!InRange(nSlot))
        return FALSE;
    m_lfSlots[nSlot] = DefaultTable()[nSlot];
    return TRUE;
}

const LOGFONT& CFontMgr::GetDefaultLogFont(int nSlot)
{
    return DefaultTable()[ResolveSlot(nSlot)];
}

namespace {

// Heights past this many pixels either way are no font's.
constexpr LONG kMaxSlotHeight = 1000;
constexpr long kMaxWeight = 1000;

// The slot's font from the profile. Hand-edited values a font cannot take give the default's
// (a weight past the scale its nearest end); true when there was one.
bool ReadSlotFont(int nSlot, LOGFONT& lf)
{
    CCorraAppBase& app = CorraApp();
    const LOGFONT& def = DefaultTable()[nSlot];
    const CString name = kSlots[nSlot].name;
    lf = def;
    app.GetProfileLogFont(kFontMgrSection, name, lf, def);
    bool odd = false;
    const auto stored = [&](LPCSTR suffix) {
        CString text = app.GetProfileString(kFontMgrSection, name + suffix, "");
        return text.Trim();
    };
    const auto isNumber = [](const CString& text) {
        char* end = nullptr;
        std::strtol(text, &end, 10);
        return end && end != text.GetString() && *end == '\0';
    };
    const CString height = stored("_Height");
    if ((!height.IsEmpty() && !isNumber(height)) || lf.lfHeight == 0 || lf.lfHeight < -kMaxSlotHeight ||
        lf.lfHeight > kMaxSlotHeight) {
        lf.lfHeight = def.lfHeight;
        odd = true;
    }
    const CString weight = stored("_Weight");
    if (!weight.IsEmpty() && (!isNumber(weight) || std::atol(weight) < 0 || std::atol(weight) > kMaxWeight))
        odd = true;
    // A face the font table cannot hold whole is not cut to one that may name another font.
    const CString face = app.GetProfileString(kFontMgrSection, name + "_FaceName", "");
    if (face.GetLength() >= LF_FACESIZE) {
        SetLogFontFaceName(lf, CString(def.lfFaceName, static_cast<int>(strnlen(def.lfFaceName, LF_FACESIZE))));
        odd = true;
    }
    return odd;
}

} // namespace

BOOL CFontMgr::LoadSlot(int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (nSlot != -1 && !InRange(nSlot))
        return FALSE;
    CString odd;
    for (int i = nSlot == -1 ? 0 : nSlot; i < (nSlot == -1 ? FM_COUNT : nSlot + 1); ++i) {
        if (ReadSlotFont(i, m_lfSlots[i]))
            odd += CString(odd.IsEmpty() ? "" : ", ") + kSlots[i].name;
    }
    if (!odd.IsEmpty())
        LogOutput("CFontMgr::LoadSlot() - values out of range in section FontMgr, defaults taken for " + odd, LOG_ERROR,
                  LOG_HERE);
    return TRUE;
}

BOOL CFontMgr::SaveSlot(int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (nSlot == -1)
        return ForAllSlots(&CFontMgr::SaveSlot);
    if (!InRange(nSlot))
        return FALSE;
    return CorraApp().WriteProfileLogFont(kFontMgrSection, kSlots[nSlot].name, m_lfSlots[nSlot]);
}

int CFontMgr::GetDefaultSlot()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    return m_nDefaultSlot;
}

int CFontMgr::GetScreenDpi()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    return m_nScreenDpi;
}

DWORD CFontMgr::GetLastFontChange()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    return m_dwLastChange;
}

int CFontMgr::SetDefaultSlot(int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    int previous = m_nDefaultSlot;
    m_nDefaultSlot = nSlot;
    return previous;
}

CFont* CFontMgr::CreateSlotFont(CDC* pDC, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    LOGFONT lf = m_lfSlots[nSlot];
    if (pDC && pDC->GetMapMode() == MM_TWIPS)
        lf.lfHeight = FontHeightToTwips(lf.lfHeight);
    auto* font = new CFont;
    font->CreateFontIndirect(&lf);
    return font;
}

CFont* CFontMgr::SelectSlotFont(CDC* pDC, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    CFont* font = CreateSlotFont(pDC, nSlot);
    LiveFonts().insert(font);
    CFont* previous = pDC->SelectObject(font);
    m_Fonts[nSlot] = font;
    return previous;
}

void CFontMgr::RestoreSlotFont(CDC* pDC, CFont* pOldFont, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    CFont* pTempFont = pDC->SelectObject(pOldFont);
    if (pTempFont != m_Fonts[nSlot])
        LogAssertion("pTempFont == CFontMgr::m_Fonts[nFont]", LOG_HERE);
    else
        m_Fonts[nSlot] = nullptr;
    // A font someone else selected in between is not ours to delete.
    if (LiveFonts().erase(pTempFont)) {
        for (CFont*& f : m_Fonts)
            if (f == pTempFont)
                f = nullptr;
        delete pTempFont;
    }
}

CFont* CFontMgr::GetSelectedSlotFont(int nSlot)
{
    return InRange(nSlot) ? m_Fonts[nSlot] : nullptr;
}

CServiceSlot<ITextDrawer>& TextDrawerSlot()
{
    return g_textDrawer;
}

int CFontMgr::DrawTextInSlotFont(CDC* pDC, LPCSTR text, int nCount, RECT* pRect, UINT nFormat, int nSlot, double zoom,
                                 TEXTMETRIC* pTm)
{
    // Held through the drawing: the zoomed height and the default slot are the slots' own while
    // the text is drawn, and no other thread may see them so.
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    const LONG height = m_lfSlots[nSlot].lfHeight;
    if (zoom > 0)
        m_lfSlots[nSlot].lfHeight = static_cast<LONG>(std::clamp(height * zoom, -2147483647.0, 2147483647.0));
    const int previousSlot = SetDefaultSlot(nSlot);
    CFont* previousFont = SelectSlotFont(pDC, nSlot);
    int result = 0;
    try {
        if (pTm)
            pDC->GetTextMetrics(pTm);
        result = g_textDrawer.Get().DrawText(pDC, text, nCount, pRect, nFormat);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    RestoreSlotFont(pDC, previousFont, nSlot);
    SetDefaultSlot(previousSlot);
    m_lfSlots[nSlot].lfHeight = height;
    return result;
}

int CFontMgr::DrawUtf8LineInSlotFont(CDC* pDC, const CString& utf8, RECT* pRect, UINT nFormat, int nSlot)
{
    if (!pDC || !pRect)
        return 0;
    const std::string_view bytes(utf8.GetString(), static_cast<size_t>(utf8.GetLength()));
    const std::string narrow = cp1252::FromUtf8(bytes);
    if (cp1252::ToUtf8(narrow) == bytes)
        return DrawTextInSlotFont(pDC, narrow.c_str(), static_cast<int>(narrow.size()), pRect, nFormat, nSlot);
    const QString wide = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const auto* units = reinterpret_cast<const char16_t*>(wide.utf16());
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    nSlot = ResolveSlot(nSlot);
    CFont* previousFont = SelectSlotFont(pDC, nSlot);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int down = pDC->GetMapMode() == MM_TEXT ? 1 : -1;
    const int height = static_cast<int>(tm.tmHeight);
    try {
        if (nFormat & DT_CALCRECT) {
            const CSize size = pDC->GetTextExtentW(units, static_cast<int>(wide.size()));
            pRect->right = pRect->left + size.cx;
            pRect->bottom = pRect->top + down * height;
        } else {
            const int saved = pDC->SaveDC();
            pDC->IntersectClipRect(std::min(pRect->left, pRect->right), std::min(pRect->top, pRect->bottom),
                                   std::max(pRect->left, pRect->right), std::max(pRect->top, pRect->bottom));
            pDC->TextOutW(pRect->left, pRect->top, units, static_cast<int>(wide.size()));
            pDC->RestoreDC(saved);
        }
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    RestoreSlotFont(pDC, previousFont, nSlot);
    return down * height;
}

int CFontMgr::HeightToPoints(const LOGFONT& lf)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    return std::abs(MulDiv(72, lf.lfHeight, m_nScreenDpi > 0 ? m_nScreenDpi : 96));
}

LONG CFontMgr::PointsToHeight(int nPoints)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    return -MulDiv(nPoints, m_nScreenDpi > 0 ? m_nScreenDpi : 96, 72);
}

int CFontMgr::UpdateScreenDpi(CDC* pDC)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    int previous = m_nScreenDpi;
    int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : GetScreenInfo().nDpiY;
    if (dpi > 0)
        m_nScreenDpi = dpi;
    return previous;
}

void CFontMgr::TouchFonts()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    using namespace std::chrono;
    m_dwLastChange = static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CFontMgr::LogFontToCharFormat(const LOGFONT& lf, CHARFORMAT& cf)
{
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    cf.dwEffects = 0;
    if (IsBold(lf))
        cf.dwEffects |= CFE_BOLD;
    if (lf.lfItalic)
        cf.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline)
        cf.dwEffects |= CFE_UNDERLINE;
    // A height from the profile can be anything; in twips it must still be a LONG.
    cf.yHeight = static_cast<LONG>(std::min<long long>(HeightToPoints(lf) * 20LL, 0x7FFFFFFF));
    cf.bCharSet = lf.lfCharSet;
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    SetCharFormatFaceName(cf, lf.lfFaceName);
}

void CFontMgr::GetSlotCharFormat(CHARFORMAT& cf, int nSlot)
{
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    LogFontToCharFormat(m_lfSlots[ResolveSlot(nSlot)], cf);
}

BOOL CFontMgr::IsSlotCharFormat(const CHARFORMAT& cf, int nSlot)
{
    CHARFORMAT slot;
    GetSlotCharFormat(slot, nSlot);
    const DWORD needed = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    if ((cf.dwMask & needed) != needed)
        return FALSE;
    const DWORD styles = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE;
    return (cf.dwEffects & styles) == (slot.dwEffects & styles) && cf.yHeight == slot.yHeight &&
           cf.bPitchAndFamily == slot.bPitchAndFamily &&
           ((cf.dwMask & CFM_CHARSET) == 0 || cf.bCharSet == slot.bCharSet) &&
           CString(cf.szFaceName, static_cast<int>(strnlen(cf.szFaceName, LF_FACESIZE))).CompareNoCase(slot.szFaceName) == 0;
}

BOOL CFontMgr::IsSymbolFont(LPCSTR face)
{
    if (!face)
        return FALSE;
    for (const SymbolFont& s : kSymbolFonts)
        if (std::strcmp(s.face, face) == 0)
            return TRUE;
    return FALSE;
}

void CFontMgr::GetSymbolFontList(CStringList& list)
{
    for (const SymbolFont& s : kSymbolFonts)
        list.AddTail(s.face);
}

BOOL CFontMgr::AddSymbolFaces()
{
    static std::atomic<bool> added{false};
    static std::mutex mutex;
    if (added.load(std::memory_order_acquire))
        return TRUE;
    std::lock_guard<std::mutex> lock(mutex);
    if (added.load(std::memory_order_relaxed))
        return TRUE;
    // The font system is the application's; its thread adds to it.
    const QCoreApplication* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return FALSE;
    for (const SymbolFont& s : kSymbolFonts) {
        const QString file = QStringLiteral(":/fonts/%1.ttf").arg(QString::fromLatin1(s.face));
        if (QFontDatabase::addApplicationFont(file) < 0)
            LogOutput(CString("Could not add the symbol face ") + s.face, LOG_ERROR, LOG_HERE);
    }
    added.store(true, std::memory_order_release);
    return TRUE;
}

BOOL CFontMgr::MakeSymbolRtf(LPCSTR face, LPCSTR text, CString& out, int nPoints)
{
    for (const SymbolFont& s : kSymbolFonts) {
        if (CString(s.face).CompareNoCase(face ? face : "") != 0)
            continue;
        out = s.rtfTemplate;
        if (nPoints > 0)
            out.AppendFormat("\\fs%d", nPoints * 2);
        out += text ? text : "";
        out += "}";
        return TRUE;
    }
    return FALSE;
}

CString CFontMgr::MakeHtmlFontTag(LPCSTR text, int nSlot)
{
    // The tags are marked as markup (platform/core/HtmlMarkup.h); the text keeps what it is: a
    // plain text is escaped by the page writer, pieces already marked stay markup.
    return HtmlMarkup(CString::Formatted("<font class='%s'>", GetSlotClassName(nSlot))) + (text ? text : "") +
           HtmlMarkup("</font>");
}

void CFontMgr::SaveFaceCharset(const LOGFONT& lf)
{
    CorraApp().WriteProfileInt(lf.lfFaceName, "lfCharSet", lf.lfCharSet);
    CorraApp().WriteProfileInt(lf.lfFaceName, "lfPitchAndFamily", lf.lfPitchAndFamily);
}

void CFontMgr::LoadFaceCharset(LOGFONT& lf)
{
    lf.lfCharSet = static_cast<BYTE>(CorraApp().GetProfileInt(lf.lfFaceName, "lfCharSet", 0));
    lf.lfPitchAndFamily = static_cast<BYTE>(CorraApp().GetProfileInt(lf.lfFaceName, "lfPitchAndFamily", 0));
}

CFontMgrInit::CFontMgrInit()
{
    // Text in a symbol face is drawn in that face wherever it is measured or drawn.
    CFontMgr::AddSymbolFaces();
    std::lock_guard<std::recursive_mutex> lock(CFontMgr::Mutex());
    if (CFontMgr::m_bLoaded)
        return;
    CFontMgr::m_bLoaded = TRUE;
    CFontMgr::LoadSlot(-1);
    CFontMgr::UpdateScreenDpi();
}
