#include "model/HtmlSettings.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/UserFormat.h"
#include "platform/core/HtmlMarkup.h"

namespace {

constexpr const char* kDefCBName = "\"QID%d_CB_%s\"";
constexpr const char* kDefRBCommon = "\"QID%d_RB\"";
constexpr const char* kDefRBValue = "\"%s\"";
constexpr const char* kDefHrefTarget = "\"QID%d_Selected_%s\"";
constexpr const char* kDefTAName = "\"QID%d_TA";
constexpr const char* kDefTAInitText = "Enter answer here";
constexpr const char* kDefQuestFile = "Q%d.htm";
constexpr const char* kDefQuestFileFirst = "Q%d_First.htm";
constexpr const char* kDefQuestFileLast = "Q%d_Last.htm";

// A value read from the profile; a missing key gets its default written.
int ReadInt(LPCSTR key, int def)
{
    CCorraAppBase& app = CorraApp();
    if (!app.Profile().HasKey(CHtmlSettings::kSection, key)) {
        app.WriteProfileInt(CHtmlSettings::kSection, key, def);
        return def;
    }
    return app.GetProfileInt(CHtmlSettings::kSection, key, def);
}

CString ReadString(LPCSTR key, LPCSTR def)
{
    CCorraAppBase& app = CorraApp();
    if (!app.Profile().HasKey(CHtmlSettings::kSection, key)) {
        app.WriteProfileString(CHtmlSettings::kSection, key, def);
        return def;
    }
    return app.GetProfileString(CHtmlSettings::kSection, key, def);
}

// The keys in the order of the values of Values().
constexpr const char* kKeys[] = {"ChoiceTagType", "DivType",   "CBName",         "RBCommon",      "RBValue",
                                 "HrefTarget",    "TAName",    "TAInitText",     "QuestFile",     "QuestFileFirst",
                                 "QuestFileLast", "BdrQText",  "BdrChoices",     "BdrHdr",        "BdrFtr"};
constexpr int kFirstStringKey = 2;
constexpr int kFirstBorderKey = 11;

CString Number(int n)
{
    return CString::Formatted("%d", n);
}

} // namespace

CHtmlSettings::CHtmlSettings(int nQuestionId) : m_nQuestionId(nQuestionId)
{
    m_nChoiceTagType = ReadInt("ChoiceTagType", 3);
    m_nDivType = ReadInt("DivType", 1);
    m_csCBName = ReadString("CBName", kDefCBName);
    m_csRBCommon = ReadString("RBCommon", kDefRBCommon);
    m_csRBValue = ReadString("RBValue", kDefRBValue);
    m_csHrefTarget = ReadString("HrefTarget", kDefHrefTarget);
    m_csTAName = ReadString("TAName", kDefTAName);
    m_csTAInitText = ReadString("TAInitText", kDefTAInitText);
    m_csQuestFile = ReadString("QuestFile", kDefQuestFile);
    m_csQuestFileFirst = ReadString("QuestFileFirst", kDefQuestFileFirst);
    m_csQuestFileLast = ReadString("QuestFileLast", kDefQuestFileLast);
    m_bBdrQText = ReadInt("BdrQText", 0);
    m_bBdrChoices = ReadInt("BdrChoices", 0);
    m_bBdrHdr = ReadInt("BdrHdr", 0);
    m_bBdrFtr = ReadInt("BdrFtr", 0);
    m_saved = Values();
}

CHtmlSettings::~CHtmlSettings()
{
    Save();
}

std::vector<CString> CHtmlSettings::Values() const
{
    return {Number(m_nChoiceTagType), Number(m_nDivType), m_csCBName,         m_csRBCommon,      m_csRBValue,
            m_csHrefTarget,           m_csTAName,         m_csTAInitText,     m_csQuestFile,     m_csQuestFileFirst,
            m_csQuestFileLast,        Number(m_bBdrQText), Number(m_bBdrChoices), Number(m_bBdrHdr), Number(m_bBdrFtr)};
}

void CHtmlSettings::Save()
{
    const std::vector<CString> now = Values();
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i] == m_saved[i])
            continue;
        if (static_cast<int>(i) < kFirstStringKey || static_cast<int>(i) >= kFirstBorderKey)
            CorraApp().WriteProfileInt(kSection, kKeys[i], std::atoi(now[i]));
        else
            CorraApp().WriteProfileString(kSection, kKeys[i], now[i]);
    }
    m_saved = now;
}

CString CHtmlSettings::Quote(LPCSTR name)
{
    CString out = name ? name : "";
    out.Trim();
    if (out.Left(1) != "\"")
        out = "\"" + out;
    out.Trim();
    // A lone quote gets its partner too: a name of nothing is still a quoted one.
    if (out.Right(1) != "\"" || out.GetLength() == 1)
        out += "\"";
    return out;
}

CString CHtmlSettings::Unquote(LPCSTR pattern)
{
    CString out = pattern ? pattern : "";
    out.Trim();
    if (out.Left(1) == "\"")
        out = out.Mid(1);
    if (out.Right(1) == "\"")
        out = out.Left(out.GetLength() - 1);
    return out;
}

CString CHtmlSettings::WithHtmExtension(LPCSTR name)
{
    CString out = name ? name : "";
    out.TrimRight();
    CString lower = out;
    lower.MakeLower();
    if (lower.Right(4) != ".htm" && lower.Right(5) != ".html")
        out += ".htm";
    return out;
}

BOOL CHtmlSettings::IsPlainPageFilePattern(LPCSTR pattern)
{
    const CString p = pattern ? pattern : "";
    return !p.IsEmpty() && p.Find('/') < 0 && p.Find('\\') < 0 && p.Find(':') < 0 && p.Find("..") < 0 &&
           UserPatternHas(p, "%d");
}

CString CHtmlSettings::MakeHtmlCheckbox(LPCSTR label, BOOL checked) const
{
    const CString name = Quote(FormatUserPattern(m_csCBName, m_nQuestionId, HtmlEscape(label, TRUE)));
    return "<input type=checkbox name=" + name + " " + (checked ? "CHECKED" : "") + ">";
}

CString CHtmlSettings::MakeHtmlRadio(LPCSTR label, BOOL checked) const
{
    const CString name = Quote(FormatUserPattern(m_csRBCommon, m_nQuestionId));
    const CString value = Quote(FormatUserPattern(m_csRBValue, m_nQuestionId, HtmlEscape(label, TRUE)));
    return "<input type=radio name=" + name + " value=" + value + " " + (checked ? "CHECKED" : "") + ">";
}

CString CHtmlSettings::MakeHtmlLink(LPCSTR label, LPCSTR text) const
{
    // The extension goes inside the quotes a stored pattern may carry.
    const CString target =
        Quote(WithHtmExtension(FormatUserPattern(Unquote(m_csHrefTarget), m_nQuestionId, HtmlEscape(label, TRUE))));
    return "<a href=" + target + ">" + HtmlEscape(text) + "</a>";
}

CString CHtmlSettings::MakeHtmlTextArea(int rows, int cols, LPCSTR initText) const
{
    const CString name = Quote(FormatUserPattern(m_csTAName, m_nQuestionId));
    return CString::Formatted("<textarea name=%s rows=%d cols=%d>", name.GetString(), rows, cols) +
           HtmlEscape(initText ? initText : m_csTAInitText.GetString()) + "</textarea>\n";
}

CString CHtmlSettings::PagePattern(const CString& pattern, const char* def) const
{
    if (IsPlainPageFilePattern(pattern))
        return pattern;
    // A page file outside the chosen folder, or every page in one file, is never written.
    LogOutput("CHtmlSettings - page file pattern " + pattern + " is not a plain name with %d; " + def + " used",
              LOG_ERROR, LOG_HERE);
    return def;
}

CString CHtmlSettings::EndPageFile(const std::map<int, int>& neighbours, const CString& pattern, const char* def,
                                   int fallbackId) const
{
    if (m_ids.empty())
        return "";
    const CString plain = PagePattern(pattern, def);
    for (int id : m_ids) {
        auto it = neighbours.find(id);
        if (it != neighbours.end() && it->second == 0)
            return FormatUserPattern(plain, id);
    }
    return FormatUserPattern(plain, fallbackId);
}

CString CHtmlSettings::GetFirstPageFile() const
{
    return EndPageFile(m_mapPrevious, m_csQuestFileFirst, kDefQuestFileFirst, m_ids.empty() ? 0 : m_ids.back());
}

CString CHtmlSettings::GetLastPageFile() const
{
    return EndPageFile(m_mapNext, m_csQuestFileLast, kDefQuestFileLast, m_ids.empty() ? 0 : m_ids.front());
}

CString CHtmlSettings::GetPageFile(int id) const
{
    if (id <= 0)
        id = m_nQuestionId;
    if (!m_ids.empty()) {
        auto prev = m_mapPrevious.find(id);
        if (prev != m_mapPrevious.end() && prev->second == 0)
            return GetFirstPageFile();
        auto next = m_mapNext.find(id);
        if (next != m_mapNext.end() && next->second == 0)
            return GetLastPageFile();
    }
    return FormatUserPattern(PagePattern(m_csQuestFile, kDefQuestFile), id);
}

CString CHtmlSettings::MakeNavigation(int id)
{
    if (id == -1)
        id = m_nQuestionId;
    auto next = m_mapNext.find(id);
    auto prev = m_mapPrevious.find(id);
    m_bHasNext = next != m_mapNext.end() && next->second >= 1;
    m_bHasBack = prev != m_mapPrevious.end() && prev->second > 0;
    return MakeNavigationBar(prev != m_mapPrevious.end() ? prev->second : 0,
                             next != m_mapNext.end() ? next->second : 0);
}

CString CHtmlSettings::MakeNavigationBar(int back, int next) const
{
    if (!m_bHasBack && !m_bHasNext)
        return "";
    CString out = "<table border=1><tr>";
    if (m_bHasBack && back > 0)
        out += "<td><a href=" + HtmlEscape(GetPageFile(back), TRUE) + ">Back</a></td>";
    if (m_bHasNext && next > 0)
        out += "<td><a href=" + HtmlEscape(GetPageFile(next), TRUE) + ">Next</a></td>";
    out += "</tr></table>";
    return out;
}

CString MakeHtmlTextField(LPCSTR label, LPCSTR name, int size)
{
    return CString::Formatted("<table><tr><td>%s</td><td><input type=text name=%s size=%d></td></tr></table>",
                              HtmlEscape(label).GetString(), CHtmlSettings::Quote(name).GetString(), size);
}
