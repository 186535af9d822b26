#pragma once
// The question of an exam: a Question Corra question that remembers the bank file and the
// question it was copied from (so the exam can tell when its copy is out of date or its source
// is gone), and the exam's attributes: an identity question prints the name of the form it
// stands in, and a fixed-position question keeps its place when forms are shuffled. Its record
// adds ATTRIBUTES, FIXEDPOSITION and, when linked, CORRAFILE.

#include "model/CorraQuestion.h"
#include "platform/core/Time.h"

// ATTRIBUTES bits.
constexpr unsigned EXAM_ATTR_IDENTITY = 1;
constexpr unsigned EXAM_ATTR_FIXED = 2;

class CExamQuestion : public CCorraQuestion {
public:
    CExamQuestion();
    CExamQuestion(const CQuestion& other);
    CExamQuestion(const CExamQuestion& other);
    CExamQuestion& operator=(const CQuestion& other);
    CExamQuestion& operator=(const CExamQuestion& other);

    // The base copy; from another exam question also its link and attributes (never the form
    // it prints the name of).
    void Copy(const CQuestion& other) override;
    void Reset(BOOL bResetId) override;
    // The bank question's byte form, then the link, its time and flags, ATTRIBUTES,
    // FIXEDPOSITION and the identity name; no scramble list follows (forms keep their own).
    void Serialize(CArchive& ar) override;
    void Load(CArchive& ar) override;
    void Store(CArchive& ar) const override;
    // An identity question prints a form's name and is always valid.
    BOOL Validate(CString& message) const override;
    int GetImageIndex(BOOL selected) const override;
    UINT GetIconId(BOOL selected, int mode) const override;
    // The link or out-of-date mark at the top left of where the question was last drawn.
    void DrawLinkIcons(const CDrawContext& ctx) override;
    void WriteExtraElements(CEncryptedArchive& out) override;
    int OnQElement(int keyword, LPCSTR* ppText, UINT* pnRemaining) override;
    BOOL GetMissingFields(CString& out) const override;
    // An identity question with a form and "%s" in its text takes the form's name in place of
    // every "%s"; the text as it was, which the printer puts back (empty: nothing changed).
    CString GetIdentityText() override { return ReplaceIdentityText(); }
    CString ReplaceIdentityText();

    // Links the question to a bank file; whether the file is there is noted now.
    void SetLink(LPCSTR path, LPCSTR identityName);
    // FALSE for a collection or a question that is not linked.
    BOOL Unlink();
    // The bank file's name without folder and extension.
    CString GetCorraFileTitle() const;
    // The name of the form an identity question stands in; FALSE without one.
    BOOL GetIdentityName(CString& name) const;

    BOOL IsIdentity() const { return (m_nAttributes & EXAM_ATTR_IDENTITY) != 0; }
    BOOL IsFixed() const { return (m_nAttributes & EXAM_ATTR_FIXED) != 0; }

    // The CORRAFILE element's items: path, link ID, link time, identity name (a path may hold
    // commas, so the others are taken from the right; the identity name never holds one).
    static CString FormatLinkTime(CTime t);
    static BOOL ParseLinkTime(const CString& text, CTime& t);

    BOOL m_bLinked = FALSE;
    CString m_csCorraFile;
    int m_nLinkId = 0;
    CTime m_tLinked;
    CString m_csIdentityName;
    BOOL m_bOutOfDate = FALSE;
    BOOL m_bFileExists = FALSE;
    CCorraQuestion* m_pIdentityForm = nullptr;  // not owned
    unsigned m_nAttributes = 0;
    int m_nFixedPosition = 0;

private:
    int ReadCorraFile(LPCSTR* ppText, UINT* pnRemaining);
};
