#pragma once
// One image placed with a question: its file, where it stands around the question text, how
// bright it prints, its size in percent and its margin. The question record stores the position
// by name ("IP_LEFT" ...); the editors show it as text ("Left" ...).

#include "platform/core/String.h"

// Position codes.
enum : int {
    IP_LEFT = 0,
    IP_RIGHT = 1,
    IP_TOP = 2,
    IP_BELOW_QUEST = 3,
    IP_BELOW_CHOICES = 4,
};

class CImageData {
public:
    CImageData() = default;
    CImageData(const CImageData& other) { *this = other; }
    virtual ~CImageData() = default;
    CImageData& operator=(const CImageData& other);

    // The code of a record name (trimmed, any case); IP_TOP for an empty or unknown name.
    static int PosStr2Int(LPCSTR text);
    // The record name of a code; "IP_TOP", logged, for any other code.
    static CString GetPosInt2Str(int nPos);
    // The text shown to users for a code; "IP_TOP", logged, for any other code.
    static CString GetPosInt2StrEng(int nPos);

    int m_nPos = IP_TOP;
    CString m_csFile;  // full path
    int m_nBrightness = 0;
    double m_dSize = 20.0;  // percent
    double m_dMargin = 0.0;
};
