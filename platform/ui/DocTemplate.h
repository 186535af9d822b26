#pragma once
// Document templates: which document, frame and view classes make up one kind of document, its
// document string ("\n"-separated fields: window title, document name, File New name, filter
// name, filter extensions, file type id, file type name) and the open documents of the kind.

#include "platform/core/Collections.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

#include <functional>
#include <typeindex>
#include <typeinfo>

class CDocument;
class CFrameWnd;
class CView;

// A class the framework creates at run time: its type, so code can ask which class a template
// or creation context makes, and how to make one.
template <typename Base>
class CCreatable {
public:
    CCreatable() = default;
    template <typename T>
    static CCreatable Of()
    {
        CCreatable c;
        c.m_type = typeid(T);
        c.m_create = []() -> Base* { return new T; };
        return c;
    }
    Base* Create() const { return m_create ? m_create() : nullptr; }
    std::type_index Type() const { return m_type; }
    template <typename T>
    bool Is() const
    {
        return m_type == std::type_index(typeid(T));
    }
    explicit operator bool() const { return static_cast<bool>(m_create); }

private:
    std::type_index m_type = typeid(void);
    std::function<Base*()> m_create;
};

// What a frame needs to build its views.
struct CCreateContext {
    CCreatable<CView> m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
    class CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    // How well a template fits a file, from worst to best.
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    // The document string is string nIDResource of the string table; the menu of the kind's
    // frames is menu nIDResource.
    CDocTemplate(UINT nIDResource, CCreatable<CDocument> docClass, CCreatable<CFrameWnd> frameClass,
                 CCreatable<CView> viewClass);
    ~CDocTemplate() override;

    UINT GetResourceId() const { return m_nIDResource; }
    const CCreatable<CDocument>& GetDocClass() const { return m_docClass; }
    const CCreatable<CFrameWnd>& GetFrameClass() const { return m_frameClass; }
    const CCreatable<CView>& GetViewClass() const { return m_viewClass; }

    // Field index of the document string; FALSE (out empty) when it is missing or empty.
    virtual BOOL GetDocString(CString& out, DocStringIndex index) const;
    const CString& GetDocStrings() const { return m_strDocStrings; }
    // The first of the filter extensions, with its dot (".crr"); empty when there is none.
    CString GetDefaultExtension() const;
    // Replaces the document string read from the string table.
    void SetDocStrings(const char* text) { m_strDocStrings = text; }

    // yesAlreadyOpen (with the document) when a document of this template is open under
    // exactly this path; otherwise yesAttemptNative when the file name's extension is one of
    // the filter extensions, else yesAttemptForeign.
    virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);

    // The open documents.
    POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& pos) const { return m_docList.GetNext(pos); }
    int GetDocumentCount() const { return m_docList.GetCount(); }
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    // The open document whose path is the same file as lpszPathName (compared as cleaned
    // absolute paths, with case), or NULL.
    CDocument* FindDocumentByPath(LPCSTR lpszPathName) const;

    // A new document of the template's class, added to its documents.
    virtual CDocument* CreateNewDocument();
    // A new frame with its views on pDoc (pOther: a frame whose place the new one may follow).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Opens lpszPathName in a new document and frame, or (NULL) makes a new untitled document;
    // NULL when that fails (nothing is left behind).
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // The title of a new document.
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    // Asks every document to save its changes; FALSE when the user cancelled.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

protected:
    UINT m_nIDResource;
    CCreatable<CDocument> m_docClass;
    CCreatable<CFrameWnd> m_frameClass;
    CCreatable<CView> m_viewClass;
    CString m_strDocStrings;
    CTypedList<CDocument*> m_docList;
};

// A template whose documents each get frames of their own inside the main window.
class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The document name field followed by a number counting the untitled documents: "Corra1".
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    UINT m_nUntitledCount = 0;
};

// Field nIndex of a "\n"-separated document string; FALSE (out empty) when it is missing or empty.
BOOL DocStringField(const CString& docStrings, int nIndex, CString& out);
// The extension of a file name: from the last "." of its last name on ("" when none).
CString FileNameExtension(LPCSTR path);
// Whether the extension of path is, whole and without regard to case, one of the entries of a
// ";"-separated list (".txt;.doc" or "*.txt; *.doc").
BOOL ExtensionInList(LPCSTR path, LPCSTR extensionList);
// A path made absolute and cleaned ("." and ".." resolved, no doubled separators): the form in
// which two paths naming the same file compare equal.
CString FullPathKey(LPCSTR path);
