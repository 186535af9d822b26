#pragma once
// The settings of HTML pages a student fills in (profile section "HtmlSettings"): how choices
// become form elements, whether a run writes one page or one per question, the name patterns of
// the form elements and page files, and the borders; and the HTML snippets made from them. An
// export run (or one question's output) makes one, asks it for snippets and lets it go; values
// are written back only when they were missing or have changed.
//
// The snippets are the program's markup: the values put into them (labels, initial text) are
// escaped here, and a caller hands a snippet to the page through HtmlMarkup().

#include "platform/core/String.h"

#include <map>
#include <vector>

class CHtmlSettings {
public:
    explicit CHtmlSettings(int nQuestionId = 0);
    virtual ~CHtmlSettings();
    CHtmlSettings(const CHtmlSettings&) = delete;
    CHtmlSettings& operator=(const CHtmlSettings&) = delete;

    // Writes the values that differ from the profile's (the destructor does too).
    void Save();

    CString MakeHtmlCheckbox(LPCSTR label, BOOL checked) const;
    CString MakeHtmlRadio(LPCSTR label, BOOL checked) const;
    CString MakeHtmlLink(LPCSTR label, LPCSTR text) const;
    // initText NULL: the stored initial text.
    CString MakeHtmlTextArea(int rows, int cols, LPCSTR initText = nullptr) const;

    CString GetFirstPageFile() const;
    CString GetLastPageFile() const;
    // id 0 or less: the current question.
    CString GetPageFile(int id = 0) const;
    // id -1: the current question. Sets the Back and Next flags from the neighbour maps.
    CString MakeNavigation(int id = -1);
    CString MakeNavigationBar(int back, int next) const;

    // A name in double quotes: trimmed, one put in front and one at the end where missing.
    static CString Quote(LPCSTR name);
    // The pattern without its surrounding double quotes (trimmed).
    static CString Unquote(LPCSTR pattern);
    // The name with ".htm" appended unless it ends (in any case) with ".htm" or ".html".
    static CString WithHtmExtension(LPCSTR name);
    // Whether a page file pattern names a file of the output folder itself (no folder part, no
    // "..") and holds the "%d" that tells the questions' pages apart.
    static BOOL IsPlainPageFilePattern(LPCSTR pattern);

    static constexpr const char* kSection = "HtmlSettings";

    // Stored.
    int m_nChoiceTagType;  // 1 check boxes, 2 radio buttons, 3 links
    int m_nDivType;        // 1 one file, 2 one file per question
    CString m_csCBName;
    CString m_csRBCommon;
    CString m_csRBValue;
    CString m_csHrefTarget;
    CString m_csTAName;
    CString m_csTAInitText;
    CString m_csQuestFile;
    CString m_csQuestFileFirst;
    CString m_csQuestFileLast;
    BOOL m_bBdrQText;
    BOOL m_bBdrChoices;
    BOOL m_bBdrHdr;
    BOOL m_bBdrFtr;

    // Of the run, filled by the exporting caller.
    int m_nQuestionId;
    BOOL m_bHasBack = TRUE;
    BOOL m_bHasNext = TRUE;
    std::vector<int> m_ids;            // the run's question ids in order
    std::map<int, int> m_mapPrevious;  // id to the previous question's id, 0 for none
    std::map<int, int> m_mapNext;      // id to the next question's id, 0 for none

private:
    CString PagePattern(const CString& pattern, const char* def) const;
    // The page of the first id of the run whose neighbour is none, else of fallbackId.
    CString EndPageFile(const std::map<int, int>& neighbours, const CString& pattern, const char* def,
                        int fallbackId) const;
    std::vector<CString> Values() const;

    std::vector<CString> m_saved;  // the values as the profile holds them
};

// A one-row table: the label, then a text input of that name (quoted) and size.
CString MakeHtmlTextField(LPCSTR label, LPCSTR name, int size);
