#pragma once
// The base record of every question: ID and INDEX, type, level, the rich texts of question,
// choices and answer, subjects, textbook chapters and images. The question of a Question Corra
// document and the question of an exam derive from it; collections are questions of type "CO".
// It knows no window or document: it copies, resets and validates itself, rewrites its answer
// letter when the labels change case, keeps its subject and chapter lists and owns its images.

#include "foundation/ChoicesError.h"
#include "foundation/PtrListEx.h"
#include "foundation/StringArrayEx.h"
#include "model/Choices.h"
#include "model/ImageData.h"
#include "platform/core/String.h"

class CArchive;
class CEncryptedArchive;

// m_nKind of each class.
constexpr int QKIND_QUESTION = 0;
constexpr int QKIND_CORRA = 1;
constexpr int QKIND_EXAM = 2;

// GetQuestionText modes.
constexpr int QTEXT_AS_STORED = 0;
constexpr int QTEXT_PLAIN = 1;

// The parts of a question a word search reads (GetSearchText).
constexpr int SEARCH_QUESTION = 0;
constexpr int SEARCH_CHOICES = 1;
constexpr int SEARCH_ANSWER = 2;

class CQuestion {
public:
    CQuestion();
    // Copies through the virtual Copy, so a derived class copies its own fields too.
    CQuestion(const CQuestion& other);
    CQuestion& operator=(const CQuestion& other);
    virtual ~CQuestion();

    // ID, INDEX, type, level, texts, choices, answer, the three lists and copies of the images.
    virtual void Copy(const CQuestion& other);
    // Empties everything (the ID only with bResetId).
    virtual void Reset(BOOL bResetId);
    // The answer as shown to a user: "True" or "False" for a "TF" answer "a" or "b" (any case),
    // empty for any other "TF" answer; the stored answer for other types.
    virtual void GetAnswerText(CString& out) const;
    // Checks "MC" and "TF" questions (choice count, answer); every other type is valid. The
    // findings go to message. Never changes the question.
    virtual BOOL Validate(CString& message) const;
    // Called by the collection code and the undo record; nothing here.
    virtual void Refresh() {}
    // Logs the fields, each line one level deeper than the first.
    virtual void DumpToLog(int nLevel) const;

    // The byte form of the clipboard and of drag and drop, never stored in a file: Load when
    // the archive loads, else Store; each class adds its fields after its base's. Numbers are
    // 32 bits, so IDs and counts of any size come back as they went, and images keep their
    // brightness. Loading throws CArchiveException on a cut or malformed form (a count past
    // the bytes left, labels without texts, a size that is no number); images are added to
    // those the question has (load into a new question).
    virtual void Serialize(CArchive& ar);
    virtual void Load(CArchive& ar);
    virtual void Store(CArchive& ar) const;

    // Whether the type keeps its choices in m_Choices ("MC", "CO", "TF").
    BOOL IsChoiceType() const { return IsChoiceType(m_nType); }
    static BOOL IsChoiceType(int nType);
    // The type keyword ("MC", ...); empty for an id outside the type table.
    CString GetTypeText() const;

    // Choices. The accessors log when the type keeps no labelled choices, and still answer.
    int GetChoicesCount() const;
    CString GetChoice(int i, BOOL bPlain) const;
    CString GetChoiceId(int i) const;
    // Choice types: parsed into m_Choices (the previous choices stay when that fails); other
    // types: the text becomes m_cszChoicesText (TRUE).
    BOOL SetChoices(LPCSTR text, char cFirstLabel = '*', char cSeparator = '.', CChoicesError* pError = nullptr,
                    DWORD dwFlags = 0);
    // "MC", "CO": the choices by CChoices::GetText; "TF": "a. True\nb. False"; others
    // m_cszChoicesText.
    void GetChoicesText(CString& out, int nWidth, DWORD dwFlags, LPCSTR pszCorrect = nullptr,
                        const CChoicesHtmlStyle* pHtml = nullptr) const;
    // The question text; QTEXT_PLAIN turns RTF into plain text.
    void GetQuestionText(CString& out, int nMode) const;
    // The plain text of the choice the answer names; FALSE (logged) when none or empty.
    BOOL GetCorrectChoice(CString& out) const;
    // Relabels the choices from c ('a' or 'A') and rewrites the answer in that case. A
    // collection's numbered member labels stay as they are, and so do more choices than letters.
    void SetChoiceCase(char c);
    // Rewrites the answer letter in the case c (0: the case of the first label); not for
    // collections.
    void MakeChoices(char c);
    // A two-choice question whose choices read true and false becomes "TF".
    void CheckTrueFalse();

    // Images, owned.
    BOOL AddImage(LPCSTR path, int nPos, int nBrightness, double dSize, double dMargin);
    void ClearImages();
    // Copies of the given CImageData records replace the images.
    void SetImages(const CPtrList& images);
    // The image records themselves (not copies); the count.
    int GetImages(CPtrList& out) const;
    // Appends each image's file that the list does not hold yet (whole path); the image count.
    int GetImageFiles(CStringArrayEx& files) const;
    // Every image whose file name (no folder) is name, case ignored, gets the new path.
    BOOL ReplaceImageFiles(LPCSTR name, LPCSTR newPath);
    // The first image whose file name is that of path, case ignored, gets the new path.
    BOOL ReplaceImageFile(LPCSTR path, LPCSTR newPath);

    // Textbooks: pairs of book and chapter, as text "book@chapter" joined by separator.
    void GetTextbooks(CString& out, LPCSTR separator) const;
    void SetTextbooks(LPCSTR text, LPCSTR separator);
    // Appends the pair unless the book (case ignored) with the same chapter is there.
    BOOL AddTextbook(LPCSTR book, LPCSTR chapter);
    // Removes the first pair of the book (case ignored) and chapter; an empty chapter or "0"
    // matches any chapter.
    BOOL RemoveTextbook(LPCSTR book, LPCSTR chapter);
    // Subjects match whole entries, case ignored.
    BOOL AddSubject(LPCSTR subject);
    BOOL RemoveSubject(LPCSTR subject);

    // The question as plain text: heading, text wrapped at 60 columns, a blank line, choices.
    void WritePlainText(CEncryptedArchive& writer, LPCSTR pszHeading) const;
    // A part (SEARCH_*) as a word search reads it: plain text (the choices as text at 80
    // columns), upper-cased over Windows-1252. Made when first asked for and again only once
    // the text it was made from has changed.
    const CString& GetSearchText(int nPart) const;

    int m_nId = 0;
    int m_nIndex = 0;
    int m_nType = 0;
    int m_nLevel = 0;
    CString m_cszQuestionText;
    CString m_cszChoicesText;
    CChoices m_Choices;
    CString m_cszAnswer;
    CStringArrayEx m_saSubjects;
    CStringArrayEx m_saChapters;
    CStringArrayEx m_saBooks;
    CPtrListEx m_plImages;  // CImageData*, owned
    int m_nKind = QKIND_QUESTION;

private:
    // What GetSearchText made of each part, and the stored text it made it from.
    struct CSearchCache {
        CString source;
        CString text;
        BOOL made = FALSE;
    };
    mutable CSearchCache m_searchCache[3];
};
