#pragma once
// The eighteen named document font slots every piece of drawn or written text takes its font
// from, with their defaults and their place in the profile (section "FontMgr", one LOGFONT per
// slot under its display name); drawing in a slot's font; the conversions to rich-edit
// character formats; the program's symbol fonts and their RTF templates.
//
// The symbol faces are the program's own (res/fonts), added to the font system once per process.
//
// Any thread may use it: the slots and settings are behind one lock (Mutex()), which the RTF
// engine also holds for each of its calls, so a call of the engine sees the slots stand still.
// The fonts selected by SelectSlotFont are recorded per thread, each thread drawing into device
// contexts of its own.

#include "platform/core/Collections.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/CharFormat.h"

#include <cstdint>
#include <mutex>

class CDC;
class CFont;
struct TEXTMETRIC;

// The slots.
enum : int {
    FM_QUESTION = 0,
    FM_CHOICES,
    FM_CHOICEID,
    FM_ANSWER,
    FM_QUESTIONNO,
    FM_EXAMCOURSENAME,
    FM_EXAMTITLE,
    FM_EXAMFILENAME,
    FM_EXAMPAGENO,
    FM_EXAMFORMNAME,
    FM_STUDENTNAME,
    FM_STUDENTID,
    FM_GROUPDESC,
    FM_INSTRUCTIONS,
    FM_CORRATITLE,
    FM_CORRADESCR,
    FM_CORRAFILENAME,
    FM_CORRAPAGENO,
    FM_COUNT
};

// The routine DrawTextInSlotFont draws through: the device context's own DrawText until the
// application installs the RTF-aware one (InstallRtfTextDrawer), since the font manager stands
// below the RTF engine.
// Flags the RTF-aware drawer takes beside DrawText's own (DrawText ignores them).
// With DT_CALCRECT: measure only as far as drawing would go, stopping at the rectangle's bottom.
constexpr UINT DT_RTF_FITTING = 0x10000000;
// Every run at the default slot's size (a list row shows text at its own size).
constexpr UINT DT_RTF_DOC_SIZE = 0x20000000;

class ITextDrawer {
public:
    virtual ~ITextDrawer() = default;
    // Draws (or with DT_CALCRECT measures) the text; the height.
    virtual int DrawText(CDC* pDC, LPCSTR text, int nCount, RECT* pRect, UINT nFormat) = 0;
};
CServiceSlot<ITextDrawer>& TextDrawerSlot();

class CFontMgr {
public:
    // -1 becomes the default slot; a slot that is still outside 0..17 is logged and slot 0 used.
    static int ResolveSlot(int nSlot);

    static LPCSTR GetSlotName(int nSlot);
    static LPCSTR GetSlotClassName(int nSlot);
    static void GetSlotLogFont(LOGFONT& lf, int nSlot);
    // NULL for a slot outside 0..17 (-1 is not resolved). Writing through it bypasses the
    // lock, so only the user-interface thread may, while no other thread draws.
    static LOGFONT* GetSlotLogFontPtr(int nSlot);
    // Stores the font, records the time of the change and saves the slot to the profile.
    static void SetSlotLogFont(const LOGFONT& lf, int nSlot);
    // FALSE for a slot outside 0..17 (-1 is not resolved).
    static BOOL ResetSlotToDefault(int nSlot);
    static const LOGFONT& GetDefaultLogFont(int nSlot);

    // One slot, or all with -1.
    static BOOL LoadSlot(int nSlot = -1);
    static BOOL SaveSlot(int nSlot = -1);

    // Returns the previous default slot.
    static int SetDefaultSlot(int nSlot);
    static int GetDefaultSlot();

    // A new font of the slot (the caller owns it); in MM_TWIPS its height is in twips.
    static CFont* CreateSlotFont(CDC* pDC, int nSlot);
    // Selects a new font of the slot and returns the one it replaced, which RestoreSlotFont
    // puts back; the font taken out then is deleted.
    static CFont* SelectSlotFont(CDC* pDC, int nSlot);
    static void RestoreSlotFont(CDC* pDC, CFont* pOldFont, int nSlot);
    // The font this thread selected for the slot with SelectSlotFont and has not restored; NULL
    // when none (or for a slot outside 0..17).
    static CFont* GetSelectedSlotFont(int nSlot);
    // Draws (or with DT_CALCRECT measures) a text in the slot's font, its height times zoom when
    // zoom is above 0, with the slot as default slot meanwhile; returns the height.
    static int DrawTextInSlotFont(CDC* pDC, LPCSTR text, int nCount, RECT* pRect, UINT nFormat, int nSlot,
                                  double zoom = -1.0, TEXTMETRIC* pTm = nullptr);
    // One line of UTF-8 text in a slot's font from the rectangle's top left, as
    // DrawTextInSlotFont draws it (DT_CALCRECT measures) where Windows-1252 holds every
    // character; else through the wide path, clipped to the rectangle. Returns the height.
    static int DrawUtf8LineInSlotFont(CDC* pDC, const CString& utf8, RECT* pRect, UINT nFormat, int nSlot);

    // Face, size, bold (weight above 500), italic, underline, character set, pitch and family
    // (mask CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE).
    static void LogFontToCharFormat(const LOGFONT& lf, CHARFORMAT& cf);
    static void GetSlotCharFormat(CHARFORMAT& cf, int nSlot);
    // Whether a character format (as a selection reports it) is the slot's font.
    static BOOL IsSlotCharFormat(const CHARFORMAT& cf, int nSlot);

    static BOOL IsBold(const LOGFONT& lf) { return lf.lfWeight > FW_MEDIUM; }
    // |72 x height / screen resolution|, rounded.
    static int HeightToPoints(const LOGFONT& lf);
    // Points to a LOGFONT character height at the screen resolution.
    static LONG PointsToHeight(int nPoints);
    // Reads LOGPIXELSY of pDC (of the screen when NULL); returns the previous value.
    static int UpdateScreenDpi(CDC* pDC = nullptr);
    static int GetScreenDpi();

    static void TouchFonts();
    static DWORD GetLastFontChange();

    // The five symbol faces ("QVMath", "QVMathB", "QVchemA", "QVchemB", "Symbol"), compared
    // exactly.
    static BOOL IsSymbolFont(LPCSTR face);
    static void GetSymbolFontList(CStringList& list);
    // Adds the program's symbol faces to the font system, once per process, on the GUI
    // application's thread; before the application exists, or on another thread, nothing is
    // done (FALSE). TRUE once they are added.
    static BOOL AddSymbolFaces();
    // The RTF of a symbol text: the face's template, "\fs%d" with twice the size when above 0,
    // the text and "}". FALSE for a face that is not a symbol face (compared without case).
    static BOOL MakeSymbolRtf(LPCSTR face, LPCSTR text, CString& out, int nPoints);
    static CString MakeHtmlFontTag(LPCSTR text, int nSlot);

    // A face's character set and pitch-and-family, kept in the profile section named after it.
    static void SaveFaceCharset(const LOGFONT& lf);
    static void LoadFaceCharset(LOGFONT& lf);

    // The lock of the slots and settings (recursive: the engine calls back in while holding it).
    static std::recursive_mutex& Mutex();

private:
    friend class CFontMgrInit;
    // The test fixtures put the process-wide state back to its start between tests.
    friend struct CFontMgrTestReset;
    // Every slot from the default table, the default slot, resolution and change time at their
    // start, nothing loaded.
    static void Reset();
    static const bool s_bStartState;
    // Fonts this thread selected by SelectSlotFont, one per slot.
    static thread_local CFont* m_Fonts[FM_COUNT];
    static LOGFONT m_lfSlots[FM_COUNT];
    static int m_nDefaultSlot;
    static int m_nScreenDpi;
    static DWORD m_dwLastChange;
    static BOOL m_bLoaded;
};

// A slot's font selected for a scope and put back however the scope ends, also when the
// drawing in it throws.
class CSlotFontScope {
public:
    CSlotFontScope(CDC* pDC, int nSlot) : m_pDC(pDC), m_nSlot(nSlot), m_pOld(CFontMgr::SelectSlotFont(pDC, nSlot)) {}
    ~CSlotFontScope() { CFontMgr::RestoreSlotFont(m_pDC, m_pOld, m_nSlot); }
    CSlotFontScope(const CSlotFontScope&) = delete;
    CSlotFontScope& operator=(const CSlotFontScope&) = delete;

private:
    CDC* m_pDC;
    int m_nSlot;
    CFont* m_pOld;
};

// Constructed before the font manager is used: the first one in the process loads the slots
// from the profile and reads the screen resolution.
class CFontMgrInit {
public:
    CFontMgrInit();
    ~CFontMgrInit() = default;
};
