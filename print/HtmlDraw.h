#pragma once
// RTF to HTML: the text of the hidden composition control of an export (a whole document or
// exam as one RTF string) turned into one HTML page. The conversion splits the RTF into a tree of
// groups, walks it into the body's items (start tags, end tags, text, the program's markup) with
// the code page, colours and fonts of its header, and writes the page. Every phase shows in a
// progress window that can cancel it.
//
// The page follows the program's one rule of HTML (platform/core/HtmlMarkup.h): the markup runs
// of the control ("{\*\crrhtml ...}" groups) go onto the page as markup; every other character
// is text and is escaped, so a user's "<b>" shows as typed. Elements nest: what a group opened
// closes at its end, and what is open closes before the program's markup and at the body's end.

#include "platform/core/String.h"

#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class COldProgressDlg;

// One control word, text run or nested group of the RTF, in order.
struct CHtmlGroup;
using CHtmlGroupPtr = std::shared_ptr<CHtmlGroup>;
struct CHtmlToken {
    enum Kind { Word, Text, Group };
    Kind kind = Text;
    CString text;          // Word: the control word ("'" for a hex escape); Text: the characters
    BOOL bHasParam = FALSE;
    int nParam = 0;
    CHtmlGroupPtr group;   // Group: the nested group
};
struct CHtmlGroup {
    std::vector<CHtmlToken> tokens;
};

// One item of the page's body.
struct CHtmlItem {
    enum Kind { StartTag, EndTag, Text, Markup };
    Kind kind = Text;
    CString text;  // the tag name, or the text (escaped already), or the markup
    std::vector<std::pair<CString, CString>> attributes;  // start tags: name and quoted value
};

class CHtmlDraw {
public:
    // bProgress: show the phases in a progress window (user-interface thread); title: the
    // page's title.
    CHtmlDraw(BOOL bProgress, LPCSTR title);
    virtual ~CHtmlDraw();
    CHtmlDraw(const CHtmlDraw&) = delete;
    CHtmlDraw& operator=(const CHtmlDraw&) = delete;

    // Converts the RTF; TRUE when it was neither cancelled nor failed.
    BOOL Input(const CString& rtf);
    // The page of the last conversion; FALSE when there is none.
    BOOL Output(CString& html) const;
    BOOL IsCancelled() const { return m_bCancel; }
    BOOL HasFailed() const { return m_bError; }

    // The style block of the document fonts for a tag name ("TD", "FONT").
    static CString MakeFontStyles(LPCSTR tag);
    // How deep groups nest before deeper ones are read into the group they stand in.
    static constexpr int kMaxDepth = 100;

protected:
    // Between steps of a phase: TRUE when the user asked to stop.
    virtual BOOL IsCancelRequested();
    // Announces a phase and moves the progress window (0 to 60).
    virtual void ShowPhase(LPCSTR text, int nPos);

    void ConvertRTF2HTML();

private:
    struct State;
    struct Element {
        CString tag;
        std::vector<std::pair<CString, CString>> attributes;
        bool operator==(const Element& o) const { return tag == o.tag && attributes == o.attributes; }
    };

    void Reset();
    BOOL BuildTree();
    void ReadHeader(const CHtmlGroup& group, int nDepth);
    void ReadFontTable(const CHtmlGroup& group, int nDepth, int& nFont);
    void ReadColorTable(const CHtmlGroup& group);
    BOOL Walk(const CHtmlGroup& group, State& state, int nDepth);
    std::vector<Element> Wanted(const State& state) const;
    // How many of the open elements are the first ones wanted.
    size_t OpenAsWanted(const std::vector<Element>& wanted) const;
    void CloseTo(size_t nKeep);
    void Reconcile(const State& state);
    void CloseUnwanted(const State& state);
    void AddChar(char32_t ch, State& state);
    void AddMarkupChar(char32_t ch);
    void AddItemText(CHtmlItem::Kind kind, const CString& text);
    char32_t DecodeByte(unsigned char b, const State& state) const;
    BOOL WritePage();

    BOOL m_bProgress;
    std::unique_ptr<COldProgressDlg> m_pProgress;
    BOOL m_bCancel = FALSE;
    BOOL m_bError = FALSE;
    BOOL m_bDone = FALSE;
    long m_nSteps = 0;

    CString m_csRtf;
    CString m_csTitle;
    CString m_csCodePage;
    CString m_csDefColor;
    CString m_csDefFace;
    CString m_csDefSize;
    int m_nDefFont = 0;
    BOOL m_bHasFontTable = FALSE;
    struct Font {
        CString face;
        int charset = 0;
    };
    std::map<int, Font> m_fonts;  // by number
    std::vector<CString> m_colors;  // "" for the automatic colour
    CHtmlGroupPtr m_pRoot;
    std::vector<CHtmlItem> m_items;
    std::vector<Element> m_open;
    std::array<int, 8> m_openKey{};  // the state m_open was opened for
    BOOL m_bOpenValid = FALSE;
    char32_t m_highSurrogate = 0;
    CString m_csPage;
};

// Converts the RTF into an HTML page and writes it to path (the program's text-file writer);
// title is the page's title, bProgress shows the phases. FALSE (logged) when the RTF is not
// RTF, the conversion failed or was cancelled, or the file could not be written.
BOOL OutputRECToHtmlFile(LPCSTR rtf, LPCSTR path, LPCSTR title, int bProgress);
