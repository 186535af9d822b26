#pragma once
// The rich-edit control's character and paragraph format records with their masks and effects.
// Kept apart from the control so that code that only describes formats (the font manager, the
// RTF engine) does not stand on the control and its widgets.

#include "platform/core/WinTypes.h"

// Character format masks (which fields count) and effects (the on/off values).
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_PROTECTED = 0x00000010;
constexpr DWORD CFM_LINK = 0x00000020;
constexpr DWORD CFM_SHADOW = 0x00000400;
constexpr DWORD CFM_EMBOSS = 0x00000800;
constexpr DWORD CFM_SUBSCRIPT = 0x00030000;  // one mask for both
constexpr DWORD CFM_SUPERSCRIPT = 0x00030000;
constexpr DWORD CFM_WEIGHT = 0x00400000;
constexpr DWORD CFM_BACKCOLOR = 0x04000000;
constexpr DWORD CFM_CHARSET = 0x08000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;

constexpr DWORD CFE_BOLD = CFM_BOLD;
constexpr DWORD CFE_ITALIC = CFM_ITALIC;
constexpr DWORD CFE_UNDERLINE = CFM_UNDERLINE;
constexpr DWORD CFE_STRIKEOUT = CFM_STRIKEOUT;
constexpr DWORD CFE_PROTECTED = CFM_PROTECTED;
constexpr DWORD CFE_SHADOW = CFM_SHADOW;
constexpr DWORD CFE_EMBOSS = CFM_EMBOSS;
constexpr DWORD CFE_SUBSCRIPT = 0x00010000;
constexpr DWORD CFE_SUPERSCRIPT = 0x00020000;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

// What this control reads and sets.
constexpr DWORD CFM_ALL_KNOWN = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SHADOW |
                                CFM_EMBOSS | CFM_SUPERSCRIPT | CFM_CHARSET | CFM_FACE | CFM_COLOR | CFM_SIZE;

// A character format. yHeight is in twips; szFaceName is Windows-1252.
struct CHARFORMAT {
    UINT cbSize = 60;
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0;
    LONG yOffset = 0;
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    char szFaceName[LF_FACESIZE] = {};
};

// The extended record; the fields after those of CHARFORMAT are carried but not used here.
struct CHARFORMAT2 : CHARFORMAT {
    CHARFORMAT2() { cbSize = 84; }
    WORD wWeight = 0;
    SHORT sSpacing = 0;
    COLORREF crBackColor = 0;
    DWORD lcid = 0;
    DWORD dwReserved = 0;
    SHORT sStyle = 0;
    WORD wKerning = 0;
    BYTE bUnderlineType = 0;
    BYTE bAnimation = 0;
    BYTE bRevAuthor = 0;
};

void SetCharFormatFaceName(CHARFORMAT& cf, const char* face);

// Paragraph format masks, alignments and the record. Indents and tab stops are in twips:
// dxStartIndent is the first line's indent, dxOffset that of the other lines relative to it.
constexpr DWORD PFM_STARTINDENT = 0x00000001;
constexpr DWORD PFM_RIGHTINDENT = 0x00000002;
constexpr DWORD PFM_OFFSET = 0x00000004;
constexpr DWORD PFM_ALIGNMENT = 0x00000008;
constexpr DWORD PFM_TABSTOPS = 0x00000010;
constexpr DWORD PFM_NUMBERING = 0x00000020;
constexpr DWORD PFM_OFFSETINDENT = 0x80000000;  // dxStartIndent is added to the current one

constexpr WORD PFA_LEFT = 1;
constexpr WORD PFA_RIGHT = 2;
constexpr WORD PFA_CENTER = 3;
constexpr WORD PFA_JUSTIFY = 4;

constexpr int MAX_TAB_STOPS = 32;

struct PARAFORMAT {
    UINT cbSize = 156;
    DWORD dwMask = 0;
    WORD wNumbering = 0;
    WORD wReserved = 0;
    LONG dxStartIndent = 0;
    LONG dxRightIndent = 0;
    LONG dxOffset = 0;
    WORD wAlignment = PFA_LEFT;
    SHORT cTabCount = 0;
    LONG rgxTabs[MAX_TAB_STOPS] = {};
};
