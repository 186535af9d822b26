#pragma once
// The export engine: composes the pages of a document's questions into the composition control
// of an export record and writes them as a text, RTF, HTML or Word file. The view drives the page
// loop (scan, then per page the bands, the instructions, the questions and the page's end) and
// calls the writer of the file type at the end.
//
// The bands here are a bank's: its two titles on top, its file and the page number at the foot.
// An exam's engine overrides the band operations.
//
// Positions are pixels of the composition control, y from the top of the composed text.
// Markers the engine puts into the control ("<pbrk>", the header and footer markers) go in as
// markup runs, so that only they expand when the RTF is written: a question that reads "<pbrk>"
// exports as typed.

#include "print/ExportContext.h"

class CCorraDoc;
class CCorraQuestion;
class CGroup;

class CExportEngine {
public:
    explicit CExportEngine(CCorraDoc& doc);
    virtual ~CExportEngine();
    CExportEngine(const CExportEngine&) = delete;
    CExportEngine& operator=(const CExportEngine&) = delete;

    CCorraDoc& GetDocument() const { return m_doc; }

    // ---- the passes
    // The scanning pass: decides where pages start; FALSE when cancelled.
    virtual BOOL PrepareExport(CExportContext& ctx);
    // The same for one file per page: every question is a page.
    virtual BOOL PrepareHtmlPages(CExportContext& ctx);
    // Composes page nPage (header, instructions on the range's first page, the rule, its
    // questions, the footer); FALSE when cancelled.
    virtual BOOL ComposePage(CExportContext& ctx, int nPage);
    // After a page: a page break, or for one file per page the page's file.
    virtual BOOL EndExportPage(CExportContext& ctx);

    // ---- the pieces; each returns the height it added (0 measuring nothing)
    virtual int InsertInstructions(CExportContext& ctx, CRect* pRect);
    virtual int InsertPageSeparation(CExportContext& ctx, BOOL bDraw);
    virtual int InsertHtmlPageSeparation(CExportContext& ctx, BOOL bDraw);
    // Sizes both controls to the paper's body (RTF and Word only): margins clamped to 0..3 inches
    // across and 0..4 inches down, kept in the record for the RTF page words.
    virtual void SizeCompositionControl(CExportContext& ctx, double dLeft, double dRight, double dTop,
                                        double dBottom);
    // One question into the control (bDraw) or the measuring control; FALSE when cancelled.
    virtual BOOL InsertQuestion(CExportContext& ctx, CCorraQuestion* q, CRect& rect, BOOL bDraw);

    // ---- bands (the bank's)
    virtual void DrawPageHeader(CExportContext& ctx, CRect& rect, BOOL bDraw);
    virtual void DrawPageFooter(CExportContext& ctx, CRect& rect, BOOL bDraw);
    virtual void GetHeaderItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx);
    virtual void GetFooterItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx);
    virtual void InsertRtfHeader(CExportContext& ctx, CRect& rect, BOOL bDraw);
    virtual void InsertRtfFooter(CExportContext& ctx, CRect& rect, BOOL bDraw);
    virtual void InsertHtmlHeader(CExportContext& ctx, CRect& rect, BOOL bDraw);
    virtual void InsertHtmlFooter(CExportContext& ctx, CRect& rect, BOOL bDraw);

    // ---- writers; TRUE when the file was written
    virtual BOOL WriteTextExport(CExportContext& ctx);
    virtual BOOL WriteHtmlExport(CExportContext& ctx);
    virtual BOOL WriteRtfExport(CExportContext& ctx);
    virtual BOOL WriteWordExport(CExportContext& ctx);
    virtual BOOL WriteWordPerfectExport(CExportContext& ctx);
    // The writer of the record's file type.
    BOOL WriteExport(CExportContext& ctx);

    // The RTF of the composition as an RTF file holds it: page words, markers expanded, effects
    // protected.
    CString MakeRtfFile(CExportContext& ctx);
    // The composition's text as UTF-8, line ends "\n".
    static CString ComposedTextUtf8(const CHVRichEditCtrl& ctrl);
    // Appends a marker of the engine (as a markup run).
    static void AppendMarker(CHVRichEditCtrl& ctrl, LPCSTR marker);
    // The RTF with the engine's marker runs made bare markers and every other "<" escaped.
    static CString BareMarkers(const CString& rtf);
    // Where the next piece goes in a control: the y of its end.
    static int EndY(const CHVRichEditCtrl& ctrl);
    // Appends text (plain, in a font slot; -1 the default).
    static void AppendText(CHVRichEditCtrl& ctrl, LPCSTR text, int nSlot);
    static void AppendRtf(CHVRichEditCtrl& ctrl, LPCSTR rtf, int nSlot);
    static void AppendMarkup(CHVRichEditCtrl& ctrl, LPCSTR markup);

    // The control a step works in: the composition control when drawing, else the measuring one.
    static CHVRichEditCtrl& ControlFor(CExportContext& ctx, BOOL bDraw);

protected:
    // Whether the bands go into the file as marked RTF groups (once) rather than as rows on every
    // page: Word and WordPerfect for a bank.
    virtual BOOL UsesRtfBands(const CExportContext& ctx) const;
    // Writes text to path through a temporary file renamed over it; the message of the
    // program's writer on failure.
    static BOOL WriteFileAtomically(const CString& path, const CString& text);
    // A page's rows: header (bFooter FALSE) or footer items at positions 0..5 as two rows.
    int InsertBandRows(CExportContext& ctx, BOOL bFooter, BOOL bDraw);
    int MeasureBandRows(CExportContext& ctx, BOOL bFooter);
    // Three texts in their slots' fonts on one line: left, centred, right across rect's width.
    static int InsertRow(CHVRichEditCtrl& ctrl, const CRect& rect, LPCSTR left, int nLeft, LPCSTR centre, int nCentre,
                         LPCSTR right, int nRight);
    // A piece inserted at pos (which moves past it): text in a slot's font, or a marker.
    static void InsertTextAt(CHVRichEditCtrl& ctrl, long& pos, LPCSTR text, int nSlot);
    static void InsertMarkerAt(CHVRichEditCtrl& ctrl, long& pos, LPCSTR marker);
    // "Drawing Page n" in the progress dialog when a page is drawn, not measured.
    static void ShowDrawingPage(CExportContext& ctx, BOOL bDraw);
    // A title as a band item: one line of plain text, accented letters kept.
    static CString ItemText(const CString& text);

    CCorraDoc& m_doc;
    // The footer's top within a page, from the scan.
    int m_nFooterTop = 0;
    int m_nBodyTop = 0;
    int m_nPageHeight = 0;
    // Where the page being composed starts in the composition control.
    int m_nPageStartY = 0;
    // The page files written so far (removed again when the export fails).
    std::vector<CString> m_pageFiles;

public:
    const std::vector<CString>& GetPageFiles() const { return m_pageFiles; }
    // Removes the page files written so far.
    void RemovePageFiles();
};
