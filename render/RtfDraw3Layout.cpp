#include "render/RtfDraw3.h"

#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/ScreenUnits.h"
#include "platform/core/ScreenInfo.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3Internal.h"
#include "render/RtfSyntax.h"

#include <algorithm>
#include <climits>
#include <cstring>

// The layout of the engine: the state of a call, text runs placed on lines, formats and fonts,
// drawing, and the draw-text service.

using namespace rtfdraw3;

// ---------------------------------------------------------------------------------------------
// Construction

CRtfDraw3::CRtfDraw3()
{
    ResetState();
    ClearDocFont();
    Tokenizer();
}

CRtfDraw3::~CRtfDraw3()
{
    if (m_bFontSelected && m_pDC)
        m_pDC->SelectObject(m_pOldFont);
}

void CRtfDraw3::ResetState()
{
    m_cszRtf.Empty();
    m_pText = m_pEnd = m_pPos = m_pLineStart = m_pBreak = nullptr;
    m_nRemaining = 0;
    m_nFirstVisible = m_nLastVisible = -1;
    m_pDC = nullptr;
    m_rect = CRect();
    m_x = m_y = m_nMaxRight = 0;
    m_nLogPixelsY = GetScreenInfo().nDpiY;
    m_nLogPixelsX = GetScreenInfo().nDpiX;
    m_nDefTab = 720;
    m_bLineParaStart = true;
    m_bNextParaStart = false;
    m_bLineStarted = false;
    m_nLineLeft = 0;
    m_bYUp = m_bTwips = false;
    m_nLineHeight = m_nLineDescent = 0;
    m_bLineHasText = false;
    m_tm = TEXTMETRIC();
    m_fmt = CFormat();
    m_stack.clear();
    m_lineFmt = CFormat();
    m_lineStack.clear();
    m_pOldFont = nullptr;
    m_bFontSelected = false;
    m_mapFace.clear();
    m_mapPitchFamily.clear();
    m_mapCharset.clear();
    m_nDocFontNum = -1;
    m_nAnsiCodePage = 1252;
    m_bCalcOnly = m_bPlainText = m_bMeasuring = false;
    m_bStopAtBottom = m_bDocSizeAll = false;
    m_bHasFprq3 = false;
    m_headerGroupsMet.clear();
    m_cszPlain.Empty();
    m_nFallbackLeft = m_nLineFallback = 0;
    m_nStatus = 0;
}

void CRtfDraw3::ClearDocFont()
{
    m_cszDocFace.Empty();
    m_nDocHeight = 0;
    m_nDocPoints = -1;
    m_nDocFamily = 0;
    m_bDocBold = m_bDocItalic = m_bDocUnderline = false;
    m_nDocCharset = 0;
    m_nDocPitch = 3;
    m_bDocFontGiven = false;
}

void CRtfDraw3::TakeDocFontFromSlot()
{
    CFontMgrInit init;
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, -1);
    m_cszDocFace = CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE)));
    m_nDocHeight = lf.lfHeight;
    m_nDocPoints = CFontMgr::HeightToPoints(lf);
    m_nDocFamily = lf.lfPitchAndFamily & 0xF0;
    m_bDocBold = lf.lfWeight > 500;
    m_bDocItalic = lf.lfItalic != 0;
    m_bDocUnderline = lf.lfUnderline != 0;
    m_nDocCharset = lf.lfCharSet;
    m_nDocPitch = 3;
}
int CRtfDraw3::TextRun(CPiece piece)
{
    CParse& parse = Tokenizer();
    const bool bRecord = m_bEcho && m_bMeasuring;
    if (bRecord) {
        // The run becomes a group of its own that carries the document style. What of its first
        // piece is already recorded (the backslash of an escape) moves behind the opening.
        // A control word whose token the run's text ends stays in front of the opening: a word
        // that hides a group ("\v", "\pict"...) would otherwise hide the run from every reader.
        const CString token = parse.GetTokenText();
        const int nWord = token.GetLength() - piece.text.GetLength();
        if (piece.bGlued && nWord > 0 && token.Right(piece.text.GetLength()) == piece.text) {
            // Skipped already when the word was written as another (a replaced font).
            const bool bWordWritten = SkipTokenRecordOnce(parse) == 2;
            parse.AppendRecord((bWordWritten ? CString() : token.Left(nWord)) + "{" + DocStyleWords() + piece.text);
        } else {
            CString recorded;
            for (int i = piece.nRecordStart; i < TokenStart(); ++i)
                if (!IsSkippedDelimiter(m_pText[i]))
                    recorded += m_pText[i];
            parse.TrimRecord(recorded.GetLength());
            parse.AppendRecord("{" + DocStyleWords() + recorded);
        }
    }
    ApplyDocStyle();
    CreateRunFont();
    for (;;) {
        const int st = PlacePiece(piece);
        if (st != RTF_SUCCESS)
            return st;
        int nStatus = RTF_SUCCESS;
        if (!NextPiece(&piece, &nStatus)) {
            if (bRecord && nStatus == RTF_SUCCESS)
                parse.AppendRecord("}");
            return nStatus;
        }
    }
}

int CRtfDraw3::PlacePiece(const CPiece& piece)
{
    // Hidden text takes no room; the echo keeps it as it keeps everything.
    if (m_fmt.bHidden && !m_bEcho)
        return RTF_SUCCESS;
    if (m_bPlainText) {
        bool bVisible = false;
        for (int i = 0; i < piece.text.GetLength(); ++i) {
            const unsigned char c = static_cast<unsigned char>(piece.text[i]);
            m_cszPlain += c > 127 ? '@' : static_cast<char>(c);
            if (!IsSpaceByte(c))
                bVisible = true;
        }
        if (bVisible) {
            if (m_nFirstVisible < 0)
                m_nFirstVisible = piece.nStart;
            m_nLastVisible = piece.nEnd;
        }
        return RTF_SUCCESS;
    }

    CString text = piece.text;
    // The drawing pass meets the pieces the measuring pass placed, in the same order.
    int w;
    if (!m_bMeasuring && m_nWidthAt < m_widths.size() && m_widths[m_nWidthAt].first == piece.nStart)
        w = m_widths[m_nWidthAt++].second;
    else
        w = piece.nFixedWidth >= 0 ? piece.nFixedWidth : Measure(text, piece.wide);
    const long long left = m_nLineLeft;
    const long long right = m_rect.right;
    bool bLast = false;
    if (m_bMeasuring) {
        if (!piece.bWord)
            m_pBreak = m_pText + piece.nEnd;
        if (m_x + static_cast<long long>(w) > right) {
            if (!piece.bWord || m_pBreak != m_pLineStart)
                return RTF_LINE_FULL;  // the word goes to the next line
            if (m_x > left) {
                // Earlier pieces of this word stay on the line; this one starts the next.
                m_pBreak = m_pText + piece.nStart;
                return RTF_LINE_FULL;
            }
            // A word wider than the whole line is cut; at least one character stays.
            int n = text.GetLength();
            if (!piece.bEscape && n > 1) {
                n = static_cast<int>(static_cast<double>(right - left) / w * text.GetLength() - 1.0);
                n = std::clamp(n, 1, text.GetLength() - 1);
                while (n > 1 && Measure(text.Left(n)) > right - left)
                    --n;
                text = text.Left(n);
                w = Measure(text);
            }
            m_pBreak = n == piece.text.GetLength() ? m_pText + piece.nEnd : m_pText + piece.nStart + n;
            bLast = true;
        }
        if (!bLast)
            m_widths.emplace_back(piece.nStart, w);
        m_nLineHeight = std::max<int>(m_nLineHeight, m_tm.tmHeight + m_tm.tmExternalLeading);
        m_nLineDescent = std::max<int>(m_nLineDescent, m_tm.tmDescent);
        m_bLineHasText = true;
    } else {
        const int nBreak = Offset(m_pBreak);
        if (piece.nStart >= nBreak)
            return RTF_LINE_FULL;
        if (piece.nEnd > nBreak) {
            text = text.Left(nBreak - piece.nStart);
            w = Measure(text);
            bLast = true;
        }
        if (!m_bCalcOnly && m_pDC && piece.bWord)
            DrawPiece(text, m_x, piece.wide);
    }
    m_x += w;
    m_bLineStarted = true;
    if (!m_bMeasuring && piece.bWord)
        m_nMaxRight = std::max(m_nMaxRight, m_x);
    return bLast ? RTF_LINE_FULL : RTF_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Tabs and indents, as the rich-edit control places them

int CRtfDraw3::TwipsToLogical(int nTwips) const
{
    return m_bTwips ? nTwips : MulDiv(nTwips, m_nLogPixelsX, 1440);
}

int CRtfDraw3::TabAdvance() const
{
    const int pos = std::max(m_x - m_rect.left, 0);
    // A hanging indent is the first stop of its paragraph's first line.
    const int hanging = TwipsToLogical(m_fmt.nLeftIndent);
    if (m_fmt.nFirstIndent < 0 && pos < hanging)
        return hanging - pos;
    const int step = std::max(TwipsToLogical(m_nDefTab), 1);
    return (pos / step + 1) * step - pos;
}

int CRtfDraw3::LineIndent() const
{
    const int twips = m_fmt.nLeftIndent + (m_bLineParaStart ? m_fmt.nFirstIndent : 0);
    return std::clamp(TwipsToLogical(twips), 0, std::max(m_rect.Width() - 1, 0));
}

void CRtfDraw3::IndentEmptyLine()
{
    if (m_bLineStarted || m_bPlainText || m_bEcho)
        return;
    m_nLineLeft = m_rect.left + LineIndent();
    m_x = m_nLineLeft;
}

// ---------------------------------------------------------------------------------------------
// Formatting

void CRtfDraw3::OnNewFont(int* pnFont)
{
    if (!m_bFontList || !pnFont)
        return;
    const auto it = m_mapFace.find(*pnFont);
    if (it == m_mapFace.end()) {
        CString msg;
        msg.Format("CRtfDraw3::OnNewFont() - cannot find font face for font num %d...", *pnFont);
        LogOutput(msg, 1, LOG_HERE);
        return;
    }
    if (m_nDocFontNum < 0 || *pnFont == m_nDocFontNum || FaceInList(it->second))
        return;
    *pnFont = m_nDocFontNum;
    CParse& parse = Tokenizer();
    if (SkipTokenRecordOnce(parse) != 0) {
        CString word;
        word.Format("f%d", m_nDocFontNum);
        parse.AppendRecord(word);
    }
}

bool CRtfDraw3::FaceInList(const CString& face) const
{
    for (POSITION pos = m_faces.GetHeadPosition(); pos;)
        if (m_faces.GetNext(pos).CompareNoCase(face) == 0)
            return true;
    return false;
}

void CRtfDraw3::SelectFontNum(int nFont)
{
    if (m_mapFace.empty())
        return;
    if (!m_mapFace.count(nFont)) {
        const int count = static_cast<int>(m_mapFace.size());
        if (nFont < 0 || nFont >= count)
            nFont = m_nDocFontNum;
        nFont = std::clamp(nFont, 0, count - 1);
        if (!m_mapFace.count(nFont))
            nFont = m_mapFace.begin()->first;
    }
    SetLogFontFaceName(m_fmt.lf, m_mapFace[nFont]);
    m_fmt.lf.lfPitchAndFamily = m_mapPitchFamily[nFont];
    m_fmt.lf.lfCharSet = m_mapCharset[nFont];
}

void CRtfDraw3::ApplyDocStyle()
{
    if (!m_fmt.bDocFont)
        return;
    const bool bStyle = m_bEchoOptions ? m_bApplyStyle : !m_fmt.bStyleKept;
    const bool bSize = m_bEchoOptions ? m_bApplySize : !m_fmt.bSizeKept;
    if (bStyle) {
        m_fmt.lf.lfItalic = m_bDocItalic;
        m_fmt.lf.lfUnderline = m_bDocUnderline;
        m_fmt.lf.lfWeight = m_bDocBold ? FW_BOLD : FW_NORMAL;
    }
    if (bSize)
        m_fmt.lf.lfHeight = m_nDocHeight;
}

CString CRtfDraw3::DocStyleWords() const
{
    if (!m_fmt.bDocFont)
        return CString();
    const bool bStyle = m_bEchoOptions ? m_bApplyStyle : !m_fmt.bStyleKept;
    const bool bSize = m_bEchoOptions ? m_bApplySize : !m_fmt.bSizeKept;
    CString words;
    if (bStyle) {
        words += m_bDocBold ? "\\b" : "\\b0";
        words += m_bDocItalic ? "\\i" : "\\i0";
        words += m_bDocUnderline ? "\\ul" : "\\ulnone";
    }
    if (bSize)
        words.AppendFormat("\\fs%d", m_nDocPoints * 2);
    if (!words.IsEmpty())
        words += ' ';
    return words;
}

void CRtfDraw3::SetSuperSub(int nMode)
{
    m_fmt.nSuperSub = nMode;
    m_fmt.nShift = 0;
    if (nMode == 0 || !m_pDC)
        return;
    // The shift is a share of the line height of the text at its normal size.
    CFont font;
    font.CreateFontIndirect(&m_fmt.lf);
    CFont* pOld = m_pDC->SelectObject(&font);
    TEXTMETRIC tm;
    m_pDC->GetTextMetrics(&tm);
    m_pDC->SelectObject(pOld);
    m_fmt.nShift = (tm.tmHeight + tm.tmExternalLeading) * (nMode == 1 ? 30 : 20) / 100;
}

void CRtfDraw3::PushFormat()
{
    m_stack.push_back(m_fmt);
}

void CRtfDraw3::PopFormat()
{
    if (m_stack.empty())
        return;
    m_fmt = m_stack.back();
    m_stack.pop_back();
}

LOGFONT CRtfDraw3::RunLogFont() const
{
    LOGFONT lf = m_fmt.lf;
    if (m_bDocSizeAll && m_nDocHeight != 0)
        lf.lfHeight = m_nDocHeight;
    if (m_fmt.nSuperSub)
        lf.lfHeight = lf.lfHeight * 75 / 100;
    return lf;
}

void CRtfDraw3::CreateRunFont()
{
    if (!m_pDC)
        return;
    const LOGFONT lf = RunLogFont();
    if (m_bFontSelected && std::memcmp(&lf, &m_font.LogFont(), sizeof(LOGFONT)) == 0)
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    CFont* pOld = m_pDC->SelectObject(&m_font);
    if (!m_bFontSelected) {
        m_pOldFont = pOld;
        m_bFontSelected = true;
    }
    m_pDC->GetTextMetrics(&m_tm);
}

int CRtfDraw3::PointsToHeight(int nPoints) const
{
    if (m_bTwips)
        return -20 * nPoints;
    return -MulDiv(m_nLogPixelsY, nPoints, 72);
}

// ---------------------------------------------------------------------------------------------
// Drawing

int CRtfDraw3::Measure(const CString& text, const std::u16string& wide) const
{
    if (!m_pDC)
        return 0;
    if (!wide.empty())
        return m_pDC->GetTextExtentW(wide.data(), static_cast<int>(wide.size())).cx;
    if (text.IsEmpty())
        return 0;
    return m_pDC->GetTextExtent(text, text.GetLength()).cx;
}

void CRtfDraw3::DrawPiece(const CString& text, int x, const std::u16string& wide)
{
    const int shift = m_fmt.nSuperSub == 1 ? m_fmt.nShift : -m_fmt.nShift;  // upwards
    int top;
    if (m_bYUp)
        top = m_y - m_nLineHeight + m_nLineDescent + m_tm.tmAscent + shift;
    else
        top = m_y + m_nLineHeight - m_nLineDescent - m_tm.tmAscent - shift;
    if (!wide.empty())
        m_pDC->TextOutW(x, top, wide.data(), static_cast<int>(wide.size()));
    else
        m_pDC->TextOut(x, top, text, text.GetLength());
}

int CRtfDraw3::DrawRtf(CDC* pDC, LPCSTR pszRtf, RECT* pRect, UINT nFlags, POINT* pStart)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    ResetState();
    if (!m_bDocFontGiven)
        TakeDocFontFromSlot();
    if (!pRect) {
        m_nStatus = RTF_FAILURE;
        return 0;
    }
    CParse& parse = Tokenizer();
    if (!m_bEcho)
        parse.EnableRecording(FALSE);

    m_pDC = pDC;
    m_rect = *pRect;
    m_bCalcOnly = (nFlags & DT_CALCRECT) != 0;
    m_bStopAtBottom = !m_bCalcOnly || (nFlags & DT_RTF_FITTING) != 0;
    m_bDocSizeAll = (nFlags & DT_RTF_DOC_SIZE) != 0;
    m_x = m_rect.left;
    m_y = pStart ? pStart->y : m_rect.top;
    m_nMaxRight = m_rect.left;
    if (pDC) {
        const int mode = pDC->GetMapMode();
        m_bTwips = mode == MM_TWIPS;
        if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
            const long long sign = static_cast<long long>(pDC->GetWindowExt().cy) * pDC->GetViewportExt().cy;
            m_bYUp = sign < 0;
        } else {
            m_bYUp = mode != MM_TEXT;
        }
        if (!pDC->GetCurrentFont()) {
            LogOutput("no current font", 1, LOG_HERE);
        } else {
            m_fmt.lf = pDC->GetCurrentLogFont();
            pDC->GetTextMetrics(&m_tm);
            m_nLineHeight = m_tm.tmHeight + m_tm.tmExternalLeading;
            m_nLineDescent = m_tm.tmDescent;
        }
        m_nLogPixelsY = pDC->GetDeviceCaps(LOGPIXELSY);
        m_nLogPixelsX = pDC->GetDeviceCaps(LOGPIXELSX);
    }
    if (m_bTwips && !m_bDocFontGiven)
        m_nDocHeight = FontHeightToTwips(m_nDocHeight);
    // A line with no room would never take a character.
    if (m_rect.right <= m_rect.left) {
        m_nStatus = RTF_FAILURE;
        return 0;
    }

    m_cszRtf = pszRtf ? pszRtf : "";
    if (m_cszRtf.Find("\\rtf") < 0)
        m_cszRtf = WrapPlainTextAsRtf(m_cszRtf);
    if (!OpenText()) {
        m_nStatus = RTF_FAILURE;
        return m_y - pRect->top;
    }
    if (m_nDocFontNum >= 0) {
        m_fmt.nFont = m_nDocFontNum;
        m_fmt.bDocFont = true;
        ApplyDocStyle();
    }
    SelectFontNum(m_fmt.nFont);

    RunLineLoop();

    if (m_bFontSelected && m_pDC)
        m_pDC->SelectObject(m_pOldFont);
    m_bFontSelected = false;
    m_font.DeleteObject();
    if (m_bCalcOnly) {
        pRect->bottom = m_y;
        if (m_nMaxRight >= pRect->left && m_nMaxRight < pRect->right)
            pRect->right = m_nMaxRight;
    }
    return m_y - pRect->top;
}

void CRtfDraw3::RunLineLoop()
{
    CParse& parse = Tokenizer();
    m_pLineStart = m_pPos;
    m_lineFmt = m_fmt;
    m_lineStack = m_stack;
    m_nLineFallback = m_nFallbackLeft;
    bool bFirst = true;
    for (;;) {
        // At the bottom already: any line would cross it, so it is not even measured (a list
        // row lays out only what it shows).
        if (m_bStopAtBottom && !bFirst && m_pDC && (m_bYUp ? m_y <= m_rect.bottom : m_y >= m_rect.bottom)) {
            m_y = m_rect.bottom;
            m_nStatus = RTF_SUCCESS;
            return;
        }
        // Measure the line: what fits, its height and its deepest descent.
        m_bMeasuring = true;
        SetPos(m_pLineStart);
        m_fmt = m_lineFmt;
        m_stack = m_lineStack;
        m_nFallbackLeft = m_nLineFallback;
        m_bNextParaStart = false;
        m_bLineStarted = false;
        m_nLineLeft = m_rect.left + LineIndent();
        m_x = m_nLineLeft;
        m_nLineHeight = m_nLineDescent = 0;
        m_bLineHasText = false;
        m_pBreak = m_pLineStart;
        m_widths.clear();
        if (m_bEcho)
            parse.EnableRecording(TRUE);
        int st = ParseContent();
        if (st == RTF_SUCCESS)
            m_pBreak = m_pPos;
        else if (st != RTF_LINE_FULL || m_pBreak <= m_pLineStart) {
            m_nStatus = RTF_FAILURE;
            return;
        }
        if (!m_bLineHasText && st == RTF_LINE_FULL && m_pDC) {
            // An empty paragraph is as high as its font.
            const CFormat saved = m_fmt;
            ApplyDocStyle();
            CreateRunFont();
            m_fmt = saved;
            m_nLineHeight = m_tm.tmHeight + m_tm.tmExternalLeading;
            m_nLineDescent = m_tm.tmDescent;
        }

        // A line after the first that would cross the bottom is not drawn.
        if (m_bStopAtBottom && !bFirst) {
            const long long y = m_y;
            if (m_bYUp ? y - m_nLineHeight < m_rect.bottom : y + m_nLineHeight > m_rect.bottom) {
                m_y = m_rect.bottom;
                m_nStatus = RTF_SUCCESS;
                return;
            }
        }

        // Draw the same content up to the break.
        m_bMeasuring = false;
        m_nWidthAt = 0;
        SetPos(m_pLineStart);
        m_fmt = m_lineFmt;
        m_stack = m_lineStack;
        m_nFallbackLeft = m_nLineFallback;
        m_bLineStarted = false;
        m_nLineLeft = m_rect.left + LineIndent();
        m_x = m_nLineLeft;
        if (m_bEcho)
            parse.EnableRecording(FALSE);
        st = ParseContent();
        if (st != RTF_SUCCESS && st != RTF_LINE_FULL) {
            m_nStatus = RTF_FAILURE;
            return;
        }

        m_lineFmt = m_fmt;
        m_lineStack = m_stack;
        m_nLineFallback = m_nFallbackLeft;
        m_bLineParaStart = m_bNextParaStart;
        m_y += m_bYUp ? -m_nLineHeight : m_nLineHeight;
        m_x = m_rect.left;
        m_pLineStart = m_pBreak;
        if (st == RTF_SUCCESS) {
            m_nStatus = RTF_SUCCESS;
            if (m_bEcho) {
                // The final brace is still the current token: record it.
                parse.EnableRecording(TRUE);
                parse.RecordToken();
            }
            return;
        }
        if (m_pBreak >= m_pEnd) {
            m_nStatus = RTF_FAILURE;  // the text lacks its closing brace
            return;
        }
        bFirst = false;
    }
}
// ---------------------------------------------------------------------------------------------
// The draw-text service

int DrawTextOrRtf(CDC* pDC, LPCSTR pszText, int nCount, RECT* pRect, UINT nFlags)
{
    if (!pDC || !pszText)
        return 0;
    try {
        const CString text = nCount < 0 ? CString(pszText) : CString(pszText, nCount);
        int i = 0;
        while (i < text.GetLength() && IsSpaceByte(static_cast<unsigned char>(text[i])))
            ++i;
        if (std::strncmp(text.GetString() + i, "{\\rtf", 5) == 0) {
            const RECT saved = pRect ? *pRect : RECT();
            CRtfDraw3 draw;
            const int height = draw.DrawRtf(pDC, text, pRect, nFlags, nullptr);
            if (draw.GetStatus() == CRtfDraw3::RTF_SUCCESS)
                return height;
            if (pRect)
                *pRect = saved;
        }
        return pDC->DrawText(pszText, nCount, pRect, nFlags);
    } catch (...) {
        LogOutput("DrawText failure...", 1, LOG_HERE);
        LogOutput(pszText, 1, LOG_HERE);
    }
    return 0;
}

void InstallRtfTextDrawer()
{
    class CRtfTextDrawer : public ITextDrawer {
    public:
        int DrawText(CDC* pDC, LPCSTR text, int nCount, RECT* pRect, UINT nFormat) override
        {
            return DrawTextOrRtf(pDC, text, nCount, pRect, nFormat);
        }
    };
    static CRtfTextDrawer drawer;
    TextDrawerSlot().Set(&drawer);
}
