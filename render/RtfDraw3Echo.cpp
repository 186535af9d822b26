#include "render/RtfDraw3.h"

#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3Internal.h"
#include "render/RtfSyntax.h"

#include <cstring>

// Plain text and the echo: the engine run without a device context.

using namespace rtfdraw3;

CString CRtfDraw3::GetPlainText(LPCSTR pszRtf)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    ResetState();
    if (!m_bDocFontGiven)
        TakeDocFontFromSlot();
    Tokenizer().EnableRecording(FALSE);
    m_bPlainText = true;
    m_cszRtf = pszRtf ? pszRtf : "";
    if (!OpenText()) {
        m_nStatus = RTF_FAILURE;
        return m_cszPlain;
    }
    m_nStatus = ParseContent() == RTF_SUCCESS ? RTF_SUCCESS : RTF_FAILURE;
    return m_cszPlain;
}

BOOL CRtfDraw3::RunEcho(const CString& rtfIn, CString* pOut)
{
    if (rtfIn.IsEmpty() || !pOut)
        return FALSE;
    const CString text = rtfIn.Find("\\rtf") >= 0 ? rtfIn : WrapPlainTextAsRtf(rtfIn);

    CParse& parse = Tokenizer();
    parse.ResetScan();
    parse.EnableRecording(TRUE);
    parse.SetRecordState(1);
    m_bEcho = true;
    CRect rc(0, 0, 0x7FFFFFFF, 0x7FFFFFFF);
    DrawRtf(nullptr, text, &rc, DT_CALCRECT, nullptr);
    BOOL bOk = FALSE;
    if (m_nStatus == RTF_SUCCESS) {
        CString record;
        if (parse.GetRecord(record)) {
            *pOut = record;
            bOk = TRUE;
        } else {
            LogOutput("Echo result failure.", 1, LOG_HERE);
        }
    } else {
        LogOutput("Echo failure.", 1, LOG_HERE);
    }
    m_bEcho = false;
    parse.ResetScan();
    ClearDocFont();
    return bOk;
}

namespace {

// Puts the font manager's default slot back however the echo ends.
class CDefaultSlotScope {
public:
    explicit CDefaultSlotScope(int nSlot) : m_nOld(CFontMgr::SetDefaultSlot(nSlot)) {}
    ~CDefaultSlotScope() { CFontMgr::SetDefaultSlot(m_nOld); }
    CDefaultSlotScope(const CDefaultSlotScope&) = delete;
    CDefaultSlotScope& operator=(const CDefaultSlotScope&) = delete;

private:
    int m_nOld;
};

} // namespace

BOOL CRtfDraw3::EchoRtf(const CString& rtf, int nFontSlot, CString* pOut)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    m_bEchoOptions = false;
    m_bFontList = false;
    m_faces.RemoveAll();
    m_bApplyFont = m_bApplySize = m_bApplyStyle = true;
    CFontMgrInit init;
    CDefaultSlotScope slot(nFontSlot);
    return RunEcho(rtf, pOut);
}

BOOL CRtfDraw3::EchoRtfWithOptions(const CString& rtf, int nFontSlot, CString* pOut, const CStringList* pFaces,
                                   BOOL bFont, BOOL bSize, BOOL bStyle)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    m_bEchoOptions = true;
    m_bApplyFont = bFont != FALSE;
    m_bApplySize = bSize != FALSE;
    m_bApplyStyle = bStyle != FALSE;
    m_bFontList = pFaces != nullptr;
    m_faces.RemoveAll();
    if (pFaces)
        m_faces = *pFaces;
    BOOL bOk;
    if (m_bDocFontGiven) {
        bOk = RunEcho(rtf, pOut);
    } else {
        CFontMgrInit init;
        CDefaultSlotScope slot(nFontSlot);
        bOk = RunEcho(rtf, pOut);
    }
    m_bEchoOptions = false;
    m_bFontList = false;
    m_faces.RemoveAll();
    return bOk;
}

BOOL CRtfDraw3::ForceFontPitch(const CString& rtf, const LOGFONT* pNewFont, CString* pOut, const CStringList* pFaces,
                               BOOL bFont, BOOL bSize, BOOL bStyle)
{
    if (!pNewFont || !pOut)
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    CFontMgrInit init;
    m_cszDocFace = CString(pNewFont->lfFaceName, static_cast<int>(strnlen(pNewFont->lfFaceName, LF_FACESIZE)));
    m_nDocHeight = pNewFont->lfHeight;
    m_nDocPoints = CFontMgr::HeightToPoints(*pNewFont);
    m_nDocFamily = pNewFont->lfPitchAndFamily & 0xF0;
    m_bDocBold = pNewFont->lfWeight >= FW_BOLD;
    m_bDocItalic = pNewFont->lfItalic != 0;
    m_bDocUnderline = pNewFont->lfUnderline != 0;
    m_nDocCharset = pNewFont->lfCharSet;
    m_nDocPitch = 0;
    m_bDocFontGiven = true;
    CString out;
    const BOOL bOk = EchoRtfWithOptions(rtf, -1, &out, pFaces, bFont, bSize, bStyle);
    ClearDocFont();
    if (!bOk)
        return FALSE;
    out.Replace("\\fprq3", "\\fprq2");
    *pOut = out;
    return TRUE;
}

