#pragma once
// "Set Document Fonts": per font item, whether and how the document's questions change font.
// Each item's choices are kept in the profile under the document's section + "SetFontDlg"; on
// OK every item gets the character format and mask the document then applies.

#include "model/DocumentFonts.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/CharFormat.h"
#include "platform/ui/Dialog.h"

#include <vector>

class CCorraDoc;
class CListBox;

// What the dialog keeps for one font slot.
struct CDocFontRecord {
    int nSlot = 0;
    BOOL bChange = FALSE;
    BOOL bUseDefault = TRUE;
    int nAffects = 0;  // 0 all attributes, 1 only those ticked
    BOOL bFace = TRUE;
    BOOL bSize = TRUE;
    BOOL bStyles = TRUE;
    LOGFONT lf{};
    CHARFORMAT2 cf;  // the result, with its mask, after OK
    BOOL bAll = TRUE;
    CString csName;
    CString csDescription;

    // The font the item stands for: the font manager's slot with "Set Default", else its own.
    LOGFONT ShownFont() const;
    // "Face/10pt/b/i/u" of ShownFont().
    CString Describe() const;
    // CFM_ bits the item applies (0 when none is ticked under "These Attributes Only").
    DWORD Mask() const;
};

class CSetDocumentFontsDlg : public CDialog {
public:
    CSetDocumentFontsDlg(CCorraDoc* pDoc, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSelChange();
    // A click on any of the item's choices: they go into the selected record.
    void OnChoice();
    void OnFont();

    static CString ProfileSection(const CCorraDoc& doc);
    // The face, the size in points and "/b", "/i", "/u".
    static CString Describe(const LOGFONT& lf);

    int GetSelectedItem() const;
    // Checks one radio of a pair (their ids are not in order, so CheckRadioButton would reach
    // the controls between them).
    void ChooseRadio(int nIDOn, int nIDOff);
    const std::vector<CDocFontRecord>& Records() const { return m_records; }
    CDocFontRecord& Record(int nSlot) { return m_records[static_cast<size_t>(nSlot)]; }
    // 0 the entire document, 1 the selected questions.
    int m_nRange = 0;

private:
    void ReadRecords();
    void WriteRecords();
    void ShowRecord();
    void UpdateControls();

    CCorraDoc* m_pDoc;
    CString m_csSection;
    int m_nCurSel = 0;
    std::vector<CDocFontRecord> m_records;
    CListBox* m_pItems = nullptr;
    BOOL m_bShowing = FALSE;
};

// The dialog as the document asks for it: text, choices and answer from their items.
class CDocumentFontsDialogService : public IDocumentFontsDialog {
public:
    BOOL Run(CCorraDoc& doc, CDocumentFonts& fonts) override;
    // The document's fonts from the records the dialog left.
    static void Fill(const std::vector<CDocFontRecord>& records, int nRange, CDocumentFonts& fonts);
};
