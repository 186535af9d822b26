#pragma once
// The export engine of an exam: the exam's header (course name, exam title, the student's name
// and ID lines; on a key the form's name) and footer (file label, page number, form name) at
// their six places, as rows of text and RTF, as marked RTF groups in a Word file, and as tables
// in HTML, where the student's name and ID become text inputs. The items and their places are
// those of paper (print/ExamBands.h).

#include "print/ExamBands.h"
#include "print/ExportEngine.h"

class CExamDoc;

class CExamExportEngine : public CExportEngine {
public:
    // formName: the form exported (empty: the exam itself); bKeys: its answer key.
    CExamExportEngine(CExamDoc& exam, const CString& formName = CString(), BOOL bKeys = FALSE);

    void DrawPageHeader(CExportContext& ctx, CRect& rect, BOOL bDraw) override;
    void DrawPageFooter(CExportContext& ctx, CRect& rect, BOOL bDraw) override;
    // The item at a place; an empty text and slot 0 where none stands.
    void GetHeaderItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx) override;
    void GetFooterItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx) override;
    void InsertRtfHeader(CExportContext& ctx, CRect& rect, BOOL bDraw) override;
    void InsertRtfFooter(CExportContext& ctx, CRect& rect, BOOL bDraw) override;
    void InsertHtmlHeader(CExportContext& ctx, CRect& rect, BOOL bDraw) override;
    void InsertHtmlFooter(CExportContext& ctx, CRect& rect, BOOL bDraw) override;

protected:
    // Only Word: a WordPerfect page has its rows as a text page has.
    BOOL UsesRtfBands(const CExportContext& ctx) const override;

private:
    exambands::CBandPage BandPage(const CExportContext& ctx) const;
    // A blank band of 1% of the drawing height, at the top or the bottom.
    static void BlankBand(CExportContext& ctx, CRect& rect, BOOL bDraw, BOOL bFooter);
    // One table row of three cells for the places from nFirst.
    void AppendHtmlRow(CExportContext& ctx, CHVRichEditCtrl& ctrl, BOOL bFooter, int nFirst);
    // The six marked groups of a Word header or footer.
    void AppendRtfGroups(CExportContext& ctx, BOOL bFooter, long* pPos);

    CString m_csFormName;
    BOOL m_bKeys;
};
