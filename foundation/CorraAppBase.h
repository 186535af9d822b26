#pragma once
// The application object's profile access: every setting of the program is read and written
// here, over the INI profile store. Reads can write the value read back, so that the profile
// lists every key the program knows; typed values (colours, pairs, doubles, folder paths relative
// to the program home, fonts) are kept as text. The application class derives from this one, so
// callers write CCorraApp::GetProfileInt; code below the application reaches the installed
// object through CorraApp().

#include "platform/core/Profile.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

class CCorraAppBase {
public:
    // Works on store, or on the program's profile (AppProfile()) when NULL.
    explicit CCorraAppBase(CProfileStore* store = nullptr) : m_pStore(store) {}
    virtual ~CCorraAppBase() = default;

    CProfileStore& Profile() const { return m_pStore ? *m_pStore : AppProfile(); }

    // The framework's plain reads and writes.
    int GetProfileInt(LPCSTR section, LPCSTR key, int def) const;
    CString GetProfileString(LPCSTR section, LPCSTR key, LPCSTR def = nullptr) const;
    BOOL WriteProfileInt(LPCSTR section, LPCSTR key, int value);
    BOOL WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value);

    // Reads with write-back of the value read (or the default).
    int GetProfileInt(LPCSTR section, LPCSTR key, int def, BOOL writeBack);
    // A whole number; a missing value, or one that is not a number, gives def (written back
    // with writeBack).
    int GetProfileNumber(LPCSTR section, LPCSTR key, int def, BOOL writeBack = FALSE);
    CString& GetProfileString(CString& out, LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack);
    CString GetProfileString(LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack);

    // "r, g, b"; a missing field is 255, components are clamped to 0..255.
    COLORREF GetProfileColor(LPCSTR section, LPCSTR key, COLORREF def, BOOL writeBack = FALSE);
    // "x, y"; a missing field is 0.
    CPoint& GetProfilePair(CPoint& out, LPCSTR section, LPCSTR key, int x, int y, BOOL writeBack = FALSE);
    // As GetProfilePair with the default given as text "x, y".
    CPoint& GetProfilePoint(CPoint& out, LPCSTR section, LPCSTR key, LPCSTR def, BOOL writeBack = FALSE);
    // "%.*f" with the given decimals, read in the "C" locale.
    float GetProfileDouble(LPCSTR section, LPCSTR key, double def, BOOL writeBack = FALSE, int decimals = 2);
    BOOL WriteProfileDouble(LPCSTR section, LPCSTR key, double value, int decimals = 2);

    // A folder or file path kept relative to the program home (absolute when outside it). Returns
    // the full path (a folder with a trailing separator), or defFullPath when the stored value is
    // missing, bad or names nothing that exists. Case is kept as it is: the file system tells
    // names apart by case, so keepCase changes nothing.
    CString& GetProfilePath(CString& out, LPCSTR section, LPCSTR key, LPCSTR defFullPath = nullptr,
                            BOOL writeBack = FALSE, BOOL keepCase = FALSE);
    // Writes the stored form of an existing path; FALSE (nothing written) when it does not exist.
    BOOL WriteProfilePath(LPCSTR section, LPCSTR key, LPCSTR fullPath);

    // A screen font under keyPrefix: "_Height" in points (default 12), "_Weight" (500), "_Italic",
    // "_Underline" (0), "_FaceName" ("Arial"), every key written back. TRUE.
    BOOL GetProfileFont(LPCSTR section, LPCSTR keyPrefix, LOGFONT& lf);
    BOOL WriteProfileFont(LPCSTR section, LPCSTR keyPrefix, const LOGFONT& lf);
    // A LOGFONT's height (raw), weight, italic, underline, strike-out, character set, quality,
    // pitch and family and face name under keyPrefix, each defaulting to def's field. Width,
    // escapement, orientation and the precisions of lf are left as they were. TRUE.
    BOOL GetProfileLogFont(LPCSTR section, LPCSTR keyPrefix, LOGFONT& lf, const LOGFONT& def,
                           BOOL writeBack = FALSE);
    BOOL WriteProfileLogFont(LPCSTR section, LPCSTR keyPrefix, const LOGFONT& lf);

    // Creates (or empties) a text file and writes text into it when given; FALSE (logged) when
    // the file cannot be written.
    static BOOL ENCreateFile(LPCSTR path, LPCSTR text = nullptr);

private:
    CProfileStore* m_pStore;
};

// The installed application object; until the application installs itself, one over the
// program's profile.
CServiceSlot<CCorraAppBase>& CorraAppSlot();
CCorraAppBase& CorraApp();
