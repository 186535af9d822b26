#pragma once
// The file properties of a bank or an exam: its title and description (an exam's course name
// and exam title) to edit, and its file facts: location, counts, dates, Corra ID and, for an
// exam, the banks its questions are linked to.

#include "model/DocumentDialogs.h"
#include "platform/ui/Dialog.h"

class CHVListCtrl;

class CCorraPropertiesDlg : public CDialog {
public:
    explicit CCorraPropertiesDlg(CWnd* pParent = nullptr);

    CString m_csTitle;
    CString m_csDescription;
    CString m_csNumQuestions;
    CString m_csNumCollections;
    CString m_csDateModified;
    CString m_csDateCreated;
    CString m_csLocation;
    CString m_csTitleLabel = "Title";
    CString m_csDescriptionLabel = "Description";
    CString m_csCollectionsLabel = "Collections:";
    CString m_csCorraId;
    CString m_csCaption = "Question Corra File Properties";
    CStringArrayEx m_saLinks;
    CString m_csFilePath;

    // The fields from the document's properties, and back.
    void SetProperties(const CFileProperties& props);
    void GetTitles(CFileProperties& props) const;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // "%m/%d/%Y %I:%M %p" in local time; the dates of a file as the dialog shows them (the
    // creation date empty where the file system keeps none). FALSE when the file is not there.
    static CString FormatFileTime(long long secondsSinceEpoch);
    static BOOL GetFileDates(const CString& path, CString& created, CString& modified);

private:
    CHVListCtrl* m_pLinks = nullptr;
};

// Runs the dialog over a document's properties; TRUE (the titles taken back) on OK.
BOOL RunFilePropertiesDialog(CFileProperties& props, CWnd* pParent = nullptr);
