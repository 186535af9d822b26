#include "model/ExamQuestion.h"

#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/DocText.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "platform/ui/DC.h"
#include "platform/ui/ResourceImage.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionIcons.h"

#include <QImage>

#include <cstdio>
#include <cstdlib>

CExamQuestion::CExamQuestion()
{
    CExamQuestion::Reset(TRUE);
    m_nKind = QKIND_EXAM;
}

CExamQuestion::CExamQuestion(const CQuestion& other) : CExamQuestion()
{
    *this = other;
}

CExamQuestion::CExamQuestion(const CExamQuestion& other) : CExamQuestion()
{
    *this = other;
}

CExamQuestion& CExamQuestion::operator=(const CQuestion& other)
{
    if (&other != this)
        Copy(other);
    return *this;
}

CExamQuestion& CExamQuestion::operator=(const CExamQuestion& other)
{
    return *this = static_cast<const CQuestion&>(other);
}

void CExamQuestion::Copy(const CQuestion& other)
{
    if (&other == this)
        return;
    CCorraQuestion::Copy(other);
    if (const auto* o = dynamic_cast<const CExamQuestion*>(&other)) {
        m_bLinked = o->m_bLinked;
        m_csCorraFile = o->m_csCorraFile;
        m_nLinkId = o->m_nLinkId;
        m_tLinked = o->m_tLinked;
        m_csIdentityName = o->m_csIdentityName;
        m_bOutOfDate = o->m_bOutOfDate;
        m_bFileExists = o->m_bFileExists;
        m_nAttributes = o->m_nAttributes;
        m_nFixedPosition = o->m_nFixedPosition;
    }
}

void CExamQuestion::Reset(BOOL bResetId)
{
    CCorraQuestion::Reset(bResetId);
    m_bLinked = FALSE;
    m_csCorraFile.Empty();
    m_nLinkId = 0;
    m_tLinked = CTime();
    m_csIdentityName.Empty();
    m_bOutOfDate = FALSE;
    m_bFileExists = FALSE;
    m_nAttributes = 0;
    m_nFixedPosition = 0;
    m_pIdentityForm = nullptr;
}

void CExamQuestion::Serialize(CArchive& ar)
{
    CQuestion::Serialize(ar);
}

void CExamQuestion::Store(CArchive& ar) const
{
    CCorraQuestion::Store(ar);
    ar << static_cast<int>(m_bLinked) << m_csCorraFile << m_nLinkId << m_tLinked;
    ar << static_cast<int>(m_bOutOfDate) << static_cast<int>(m_bFileExists);
    ar << static_cast<DWORD>(m_nAttributes) << m_nFixedPosition << m_csIdentityName;
}

void CExamQuestion::Load(CArchive& ar)
{
    CCorraQuestion::Load(ar);
    int linked = 0, outOfDate = 0, exists = 0;
    DWORD attributes = 0;
    ar >> linked >> m_csCorraFile >> m_nLinkId >> m_tLinked;
    ar >> outOfDate >> exists;
    ar >> attributes >> m_nFixedPosition >> m_csIdentityName;
    m_bLinked = linked != 0;
    m_bOutOfDate = outOfDate != 0;
    m_bFileExists = exists != 0;
    m_nAttributes = attributes;
}

BOOL CExamQuestion::Validate(CString& message) const
{
    if (IsIdentity()) {
        message.Empty();
        return TRUE;
    }
    return CCorraQuestion::Validate(message);
}

int CExamQuestion::GetImageIndex(BOOL selected) const
{
    if (!IsCollection())
        return CCorraQuestion::GetImageIndex(selected);
    if (selected)
        return 212;
    return m_nCurrent == 0 ? 196 : 204;
}

UINT CExamQuestion::GetIconId(BOOL selected, int mode) const
{
    if (!IsCollection())
        return CCorraQuestion::GetIconId(selected, mode);
    static const UINT kForm[2][3] = {{IDI_FORM, IDI_FORM_CURRENT, IDI_FORM_SELECTED},
                                     {IDI_FORM_SMALL, IDI_FORM_CURRENT_SMALL, IDI_FORM_SELECTED_SMALL}};
    const int size = mode == QDRAW_TILE ? 0 : 1;
    const int state = selected ? 2 : m_nCurrent != 0 ? 1 : 0;
    return kForm[size][state];
}

void CExamQuestion::DrawLinkIcons(const CDrawContext& ctx)
{
    CDC* pDC = ctx.pDC;
    if (!pDC || IsCollection() || (!m_bOutOfDate && !m_bLinked))
        return;
    const BOOL large = ctx.mode == QDRAW_TILE;
    const UINT id = m_bOutOfDate ? (large ? IDI_OUT_OF_DATE : IDI_OUT_OF_DATE_SMALL)
                                 : (large ? IDI_LINKED : IDI_LINKED_SMALL);
    QImage image;
    if (!LoadResourceImage(id, image))
        return;
    CSize size(large ? 32 : 16, large ? 32 : 16);
    pDC->DPtoLP(&size);
    const int down = m_rcLast.bottom < m_rcLast.top ? -1 : 1;
    pDC->DrawImage(m_rcLast.left, m_rcLast.top, std::abs(size.cx), down * std::abs(size.cy), image);
}

// ---- the record

CString CExamQuestion::FormatLinkTime(CTime t)
{
    return CString::Formatted("%d/%d/%d %d:%d:%d", t.GetMonth(), t.GetDay(), t.GetYear(), t.GetHour(), t.GetMinute(),
                              t.GetSecond());
}

BOOL CExamQuestion::ParseLinkTime(const CString& text, CTime& t)
{
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char tail = 0;
    if (std::sscanf(text.GetString(), " %d/%d/%d %d:%d:%d %c", &month, &day, &year, &hour, &minute, &second,
                    &tail) != 6)
        return FALSE;
    CTime parsed(year, month, day, hour, minute, second);
    if (!parsed.IsValid())
        return FALSE;
    t = parsed;
    return TRUE;
}

void CExamQuestion::WriteExtraElements(CEncryptedArchive& out)
{
    CString text;
    text.Format("ATTRIBUTES: %u\r\nFIXEDPOSITION: %d\r\n", m_nAttributes, m_nFixedPosition);
    if (m_bLinked) {
        CString path;
        GetServerRelativePath(path, m_csCorraFile);
        text += "CORRAFILE: { " + BlockSafeText(path, "CExamQuestion::WriteExtraElements() - CORRAFILE");
        text.AppendFormat(",%d,", m_nLinkId);
        text += FormatLinkTime(m_tLinked);
        if (!m_csIdentityName.IsEmpty())
            text += "," + BlockSafeText(m_csIdentityName, "CExamQuestion::WriteExtraElements() - identity name");
        text += " }\r\n";
    }
    Put(out, text);
}

int CExamQuestion::OnQElement(int keyword, LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = QuestionTokenizer();
    const LPCSTR start = *ppText;
    const UINT startRemaining = *pnRemaining;
    auto expect = [&](unsigned token) { return parse.NextToken(ppText, pnRemaining) == static_cast<int>(token); };
    auto unknown = [&]() {
        *ppText = start;
        *pnRemaining = startRemaining;
        return READ_ELEMENT_UNKNOWN;
    };
    switch (keyword) {
    case IDS_KW_ATTRIBUTES:
    case IDS_KW_FIXEDPOSITION:
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_NUM))
            return unknown();
        if (keyword == static_cast<int>(IDS_KW_ATTRIBUTES))
            m_nAttributes = static_cast<unsigned>(std::strtoul(parse.GetTokenText(), nullptr, 10));
        else
            m_nFixedPosition = parse.GetTokenInt();
        return READ_OK;
    case IDS_KW_CORRAFILE:
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_TEXT))
            return unknown();
        return ReadCorraFile(ppText, pnRemaining);
    default:
        return READ_NOT_THIS;
    }
}

int CExamQuestion::ReadCorraFile(LPCSTR*, UINT*)
{
    CString inner;
    QuestionTokenizer().GetTokenInnerOneLine(inner);
    std::vector<CString> items = SplitItem(inner, ',');
    // The items but the path are trimmed one by one; the path only as a whole.
    auto trimmed = [](CString item) { return item.Trim(); };
    // From the right: a path may hold commas, the other items never do. A fourth item (the
    // identity name) is there when the last one is no time.
    size_t rest = items.size();
    CString identity;
    CTime linked;
    if (rest >= 4 && !ParseLinkTime(items[rest - 1], linked)) {
        identity = trimmed(items[rest - 1]);
        --rest;
    }
    CString stored;
    for (size_t i = 0; i + 2 < rest; ++i)
        stored += (i > 0 ? "," : "") + items[i];
    if (rest < 3)
        stored = rest > 0 ? items[0] : CString();
    stored.Trim();
    CString path;
    if (!stored.IsEmpty())
        GetServerFullPath(path, stored);
    path = RelocateToPrimaryFolder(path, DT_CORRA, "CExamQuestion::OnQElement() - PathNotUnder(csFile, csPrimeFolder)...");
    SetLink(path, identity);
    if (rest < 3 || !IsAllDigits(trimmed(items[rest - 2])) || !ParseLinkTime(items[rest - 1], linked))
        return READ_NOT_THIS;
    m_nLinkId = std::atoi(trimmed(items[rest - 2]));
    m_tLinked = linked;
    m_bLinked = TRUE;
    return READ_OK;
}

BOOL CExamQuestion::GetMissingFields(CString& out) const
{
    BOOL missing = CCorraQuestion::GetMissingFields(out);
    if (IsCollection())
        return missing;
    for (unsigned field : {IDS_KW_ATTRIBUTES, IDS_KW_FIXEDPOSITION}) {
        if (HasReadField(static_cast<int>(field)))
            continue;
        CString name;
        name.LoadString(field);
        name.MakeLower();
        out += (out.IsEmpty() ? "" : ", ") + name;
        missing = TRUE;
    }
    return missing;
}

// ---- links and identity

void CExamQuestion::SetLink(LPCSTR path, LPCSTR identityName)
{
    m_bFileExists = path && *path && fsys::Exists(path);
    m_csCorraFile = path ? path : "";
    m_csIdentityName = identityName ? identityName : "";
    m_bLinked = TRUE;
}

BOOL CExamQuestion::Unlink()
{
    if (!m_bLinked || IsCollection())
        return FALSE;
    m_csCorraFile.Empty();
    m_bFileExists = FALSE;
    m_bLinked = FALSE;
    m_nLinkId = 0;
    m_bOutOfDate = FALSE;
    return TRUE;
}

CString CExamQuestion::GetCorraFileTitle() const
{
    CString name;
    SplitPath(m_csCorraFile, static_cast<CString*>(nullptr), nullptr, &name, nullptr);
    return name;
}

BOOL CExamQuestion::GetIdentityName(CString& name) const
{
    if (!m_pIdentityForm)
        return FALSE;
    name = m_pIdentityForm->m_cszQuestionText;
    return TRUE;
}

CString CExamQuestion::ReplaceIdentityText()
{
    if (!IsIdentity() || !m_pIdentityForm || m_cszQuestionText.Find("%s") < 0)
        return CString();
    CString name;
    if (!GetIdentityName(name)) {
        LogOutput("CExamQuestion::ReplaceIdentityText() - failed to GetIdentityName()", LOG_ERROR, LOG_HERE);
        return CString();
    }
    CString before = m_cszQuestionText;
    // The text is the user's: its other '%' signs stay as they are.
    m_cszQuestionText.Replace("%s", name);
    return before;
}
