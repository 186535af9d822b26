#include "platform/ui/RichEditCtrl.h"

#include "platform/core/CodePage.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/ui/QtString.h"
#include "platform/ui/RtfStream.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The character the control puts in after a place where a line may break.
constexpr char16_t kBreakHint = 0x200B;

QString PlainToQString(const CString& text)
{
    // "\r\n", a lone "\r" and a lone "\n" are each one line break.
    QString s = ToQString(text);
    // A NUL would not come out again: plain text read back ends there and RTF has no form for
    // it, so what follows it would be lost.
    s.remove(QChar(0));
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

COLORREF ToColorRef(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

QColor FromColorRef(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

// Stands in for the text's layout while a composition puts text in: knows nothing, does nothing.
class CUnlaidText : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return QSizeF(); }
    QRectF frameBoundingRect(QTextFrame*) const override { return QRectF(); }
    QRectF blockBoundingRect(const QTextBlock&) const override { return QRectF(); }

protected:
    void documentChanged(int, int, int) override {}
};

} // namespace

CRichEditCtrl::CRichEditCtrl(QWidget* parent) : QTextEdit(parent), CWnd(this)
{
    setAcceptRichText(true);
    setTabChangesFocus(false);
    m_defaultFormat.setFontFamilies({"Arial"});
    m_defaultFormat.setFontPointSize(10);
    m_defaultFormat.setProperty(rtfprop::PitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    m_defaultFormat.setProperty(rtfprop::CharSet, ANSI_CHARSET);
    m_defaultFormat.setFontWeight(QFont::Normal);
    QFont font("Arial");
    font.setPointSizeF(10);
    document()->setDefaultFont(font);
    RtfSetDefaultTab(*document(), RTF_DEFAULT_TAB_TWIPS);
    ApplyDefaultToEmpty();
    document()->setModified(false);

    // The handlers go with the CWnd part, before the widget's destruction can emit into a
    // half-destroyed control.
    connect(this, &QTextEdit::textChanged, NotifyContext(), [this] {
        if (m_dwEventMask & ENM_REQUESTRESIZE)
            RequestResize();
        OnChange();
        NotifyParent(EN_CHANGE);
    });
    auto selChanged = [this, last = std::make_shared<std::pair<int, int>>(-1, -1)] {
        QTextCursor c = textCursor();
        std::pair<int, int> now(c.anchor(), c.position());
        if (now == *last)
            return;
        *last = now;
        OnSelChange();
        NotifyParent(EN_SELCHANGE);
    };
    connect(this, &QTextEdit::cursorPositionChanged, NotifyContext(), selChanged);
    connect(this, &QTextEdit::selectionChanged, NotifyContext(), selChanged);
}

CRichEditCtrl::~CRichEditCtrl() = default;

void CRichEditCtrl::ApplyDefaultToEmpty()
{
    if (!document()->isEmpty())
        return;
    QTextCursor c(document());
    c.setBlockCharFormat(m_defaultFormat);
    c.setCharFormat(m_defaultFormat);
    setCurrentCharFormat(m_defaultFormat);
}

// ---------------------------------------------------------------------------------------------
// Streams

CString CRichEditCtrl::PlainOf(const QTextCursor& c) const
{
    // Paragraph marks and line breaks become one "\n" each, so offsets in the text are positions
    // in the control (in a control without break hints, which are shown but are no text).
    QString s = c.selectedText();
    if (m_bBreakHints)
        s.remove(QChar(kBreakHint));
    // A character outside the basic plane takes two positions: it gives two characters.
    for (QChar& ch : s) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            ch = '\n';
        else if (ch.isSurrogate())
            ch = '?';
    }
    return FromQString(s);
}

void CRichEditCtrl::AllowBreaksAfter(const QRegularExpression& place)
{
    QTextDocument* doc = document();
    const bool modified = doc->isModified();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextCursor found = doc->find(place); !found.isNull(); found = doc->find(place, found)) {
        QTextCursor at(doc);
        at.setPosition(found.selectionEnd());
        at.insertText(QString(QChar(kBreakHint)), found.charFormat());
    }
    edit.endEditBlock();
    doc->setModified(modified);
    m_bBreakHints = true;
}

QTextCursor CRichEditCtrl::RangeCursor(UINT nFormat) const
{
    QTextCursor c = textCursor();
    if (!(nFormat & SFF_SELECTION)) {
        c.select(QTextCursor::Document);
    }
    return c;
}

long CRichEditCtrl::StreamIn(UINT nFormat, const CString& text)
{
    const bool selection = (nFormat & SFF_SELECTION) != 0;
    QTextCursor c = textCursor();
    const int before = GetTextLength() - (c.selectionEnd() - c.selectionStart());
    if (!selection) {
        c.beginEditBlock();
        c.select(QTextCursor::Document);
        c.removeSelectedText();
        c.setBlockFormat(QTextBlockFormat());
        c.setBlockCharFormat(m_defaultFormat);
        c.setCharFormat(m_defaultFormat);
        c.endEditBlock();
        // A new text brings its own default stop, or the usual one.
        RtfSetDefaultTab(*document(), RTF_DEFAULT_TAB_TWIPS);
    }
    bool done = false;
    if (nFormat & SF_RTF)
        done = ReadRtf(text, c, m_defaultFormat);
    if (!done) {
        QTextCharFormat fmt = selection ? c.charFormat() : m_defaultFormat;
        fmt.clearProperty(rtfprop::HtmlMarkup);
        if (nFormat & SFF_HTML_MARKUP) {
            QTextCharFormat markup = fmt;
            markup.setProperty(rtfprop::HtmlMarkup, true);
            SplitHtmlMarked(text, [&](bool bMarkup, const CString& piece) {
                RtfInsertPlainText(c, PlainToQString(piece), bMarkup ? &markup : &fmt);
            });
        } else {
            RtfInsertPlainText(c, PlainToQString(text), &fmt);
        }
    }
    if (!selection) {
        document()->clearUndoRedoStacks();
        document()->setModified(false);
        c.setPosition(0);
    }
    // Composing, the caret has moved along with the text put in at it.
    if (!m_bComposing || c != textCursor())
        setTextCursor(c);
    if (!selection)
        setCurrentCharFormat(c.charFormat());
    return std::max(GetTextLength() - before, 0L);
}

CString CRichEditCtrl::StreamOut(UINT nFormat) const
{
    QTextCursor c = RangeCursor(nFormat);
    if (!(nFormat & SF_RTF))
        return PlainOf(c);
    if (!m_bBreakHints) {
        if (nFormat & SFF_SELECTION)
            return WriteRtf(*document(), c.selectionStart(), c.selectionEnd());
        return WriteRtf(*document());
    }
    // The break hints go out of a copy, so that the RTF holds the text as it was put in.
    std::unique_ptr<QTextDocument> copy(document()->clone());
    RtfSetDefaultTab(*copy, RtfGetDefaultTab(*document()));
    int start = c.selectionStart();
    int end = c.selectionEnd();
    const QString text = copy->toRawText();
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] != QChar(kBreakHint))
            continue;
        QTextCursor hint(copy.get());
        hint.setPosition(static_cast<int>(i));
        hint.deleteChar();
        start -= i < start ? 1 : 0;
        end -= i < end ? 1 : 0;
    }
    if (nFormat & SFF_SELECTION)
        return WriteRtf(*copy, start, end);
    return WriteRtf(*copy);
}

// ---------------------------------------------------------------------------------------------
// Character formats

QTextCharFormat CRichEditCtrl::CharFormatToText(const CHARFORMAT& cf)
{
    QTextCharFormat f;
    const DWORD m = cf.dwMask;
    const DWORD e = cf.dwEffects;
    if (m & CFM_BOLD)
        f.setFontWeight(e & CFE_BOLD ? QFont::Bold : QFont::Normal);
    if (m & CFM_ITALIC)
        f.setFontItalic((e & CFE_ITALIC) != 0);
    if (m & CFM_UNDERLINE)
        f.setFontUnderline((e & CFE_UNDERLINE) != 0);
    if (m & CFM_STRIKEOUT)
        f.setFontStrikeOut((e & CFE_STRIKEOUT) != 0);
    if (m & CFM_SHADOW)
        f.setProperty(rtfprop::Shadow, (e & CFE_SHADOW) != 0);
    if (m & CFM_EMBOSS)
        f.setProperty(rtfprop::Emboss, (e & CFE_EMBOSS) != 0);
    if (m & CFM_SUPERSCRIPT)
        f.setVerticalAlignment(e & CFE_SUPERSCRIPT ? QTextCharFormat::AlignSuperScript
                               : e & CFE_SUBSCRIPT ? QTextCharFormat::AlignSubScript
                                                   : QTextCharFormat::AlignNormal);
    if (m & CFM_FACE) {
        char face[LF_FACESIZE + 1] = {};
        std::memcpy(face, cf.szFaceName, LF_FACESIZE);
        f.setFontFamilies({ToQString(face)});
        f.setProperty(rtfprop::PitchAndFamily, static_cast<int>(cf.bPitchAndFamily));
    }
    if (m & CFM_CHARSET)
        f.setProperty(rtfprop::CharSet, static_cast<int>(cf.bCharSet));
    if (m & CFM_SIZE)
        f.setFontPointSize(std::max<LONG>(cf.yHeight, 20) / 20.0);
    if (m & CFM_COLOR) {
        if (e & CFE_AUTOCOLOR)
            f.setForeground(QBrush());
        else
            f.setForeground(FromColorRef(cf.crTextColor));
    }
    return f;
}

void CRichEditCtrl::TextToCharFormat(const QTextCharFormat& fmt, CHARFORMAT& cf)
{
    cf.dwEffects = 0;
    if (fmt.fontWeight() > QFont::Medium)
        cf.dwEffects |= CFE_BOLD;
    if (fmt.fontItalic())
        cf.dwEffects |= CFE_ITALIC;
    if (fmt.fontUnderline() || fmt.underlineStyle() != QTextCharFormat::NoUnderline)
        cf.dwEffects |= CFE_UNDERLINE;
    if (fmt.fontStrikeOut())
        cf.dwEffects |= CFE_STRIKEOUT;
    if (fmt.property(rtfprop::Shadow).toBool())
        cf.dwEffects |= CFE_SHADOW;
    if (fmt.property(rtfprop::Emboss).toBool())
        cf.dwEffects |= CFE_EMBOSS;
    if (fmt.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        cf.dwEffects |= CFE_SUPERSCRIPT;
    else if (fmt.verticalAlignment() == QTextCharFormat::AlignSubScript)
        cf.dwEffects |= CFE_SUBSCRIPT;
    QStringList families = fmt.fontFamilies().toStringList();
    SetCharFormatFaceName(cf, families.isEmpty() ? "" : FromQString(families.first()).GetString());
    cf.bPitchAndFamily = static_cast<BYTE>(fmt.property(rtfprop::PitchAndFamily).toInt());
    cf.bCharSet = static_cast<BYTE>(fmt.property(rtfprop::CharSet).toInt());
    cf.yHeight = fmt.hasProperty(QTextFormat::FontPointSize) ? qRound(fmt.fontPointSize() * 20) : 0;
    cf.yOffset = 0;
    if (fmt.hasProperty(QTextFormat::ForegroundBrush) && fmt.foreground().style() != Qt::NoBrush) {
        cf.crTextColor = ToColorRef(fmt.foreground().color());
    } else {
        cf.crTextColor = 0;
        cf.dwEffects |= CFE_AUTOCOLOR;
    }
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    QTextCursor c = textCursor();
    std::vector<QTextCharFormat> formats;
    if (!c.hasSelection()) {
        formats.push_back(c.charFormat());
    } else {
        const int start = c.selectionStart(), end = c.selectionEnd();
        for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
            for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
                QTextFragment f = it.fragment();
                if (f.position() < end && f.position() + f.length() > start)
                    formats.push_back(f.charFormat());
            }
        }
        if (formats.empty())  // only paragraph marks selected
            formats.push_back(document()->findBlock(start).charFormat());
    }
    TextToCharFormat(formats.front(), cf);
    DWORD mask = CFM_ALL_KNOWN;
    for (size_t i = 1; i < formats.size(); ++i) {
        CHARFORMAT other;
        TextToCharFormat(formats[i], other);
        const DWORD diff = cf.dwEffects ^ other.dwEffects;
        mask &= ~(diff & (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SHADOW | CFM_EMBOSS));
        if (diff & (CFE_SUPERSCRIPT | CFE_SUBSCRIPT))
            mask &= ~CFM_SUPERSCRIPT;
        if (std::strncmp(cf.szFaceName, other.szFaceName, LF_FACESIZE) != 0 || cf.bPitchAndFamily != other.bPitchAndFamily)
            mask &= ~CFM_FACE;
        if (cf.bCharSet != other.bCharSet)
            mask &= ~CFM_CHARSET;
        if (cf.yHeight != other.yHeight)
            mask &= ~CFM_SIZE;
        if ((diff & CFE_AUTOCOLOR) || cf.crTextColor != other.crTextColor)
            mask &= ~CFM_COLOR;
    }
    cf.dwMask = mask;
    return mask;
}

BOOL CRichEditCtrl::SetSelectionCharFormat(const CHARFORMAT& cf)
{
    QTextCursor c = textCursor();
    QTextCharFormat f = CharFormatToText(cf);
    c.mergeCharFormat(f);
    if (!c.hasSelection())
        mergeCurrentCharFormat(f);
    else
        setTextCursor(c);
    if (!c.hasSelection() && c.block().length() <= 1) {
        // An empty paragraph keeps the format in its mark, so it survives a stream out and in.
        QTextCharFormat mark = c.block().charFormat();
        mark.merge(f);
        c.setBlockCharFormat(mark);
    }
    return TRUE;
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    TextToCharFormat(m_defaultFormat, cf);
    cf.dwMask = CFM_ALL_KNOWN;
    return cf.dwMask;
}

BOOL CRichEditCtrl::SetDefaultCharFormat(const CHARFORMAT& cf)
{
    m_defaultFormat.merge(CharFormatToText(cf));
    QFont font = document()->defaultFont();
    QStringList families = m_defaultFormat.fontFamilies().toStringList();
    if (!families.isEmpty())
        font.setFamilies(families);
    if (m_defaultFormat.hasProperty(QTextFormat::FontPointSize))
        font.setPointSizeF(m_defaultFormat.fontPointSize());
    document()->setDefaultFont(font);
    const bool modified = document()->isModified();
    ApplyDefaultToEmpty();
    document()->setModified(modified);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Paragraph formats

namespace {

// Alignments of the record by those of the paragraph properties (left, centre, right, justified).
const WORD kParaAlign[] = {PFA_LEFT, PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY};

} // namespace

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    QTextCursor c = textCursor();
    QTextBlock first = document()->findBlock(c.selectionStart());
    QTextBlock last = document()->findBlock(c.selectionEnd());
    CRtfParaProps p = RtfGetParaProps(first.blockFormat());
    DWORD mask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS;
    for (QTextBlock b = first.next(); b.isValid() && b.blockNumber() <= last.blockNumber(); b = b.next()) {
        CRtfParaProps o = RtfGetParaProps(b.blockFormat());
        if (o.left + o.first != p.left + p.first)
            mask &= ~PFM_STARTINDENT;
        if (o.first != p.first)
            mask &= ~PFM_OFFSET;
        if (o.right != p.right)
            mask &= ~PFM_RIGHTINDENT;
        if (o.align != p.align)
            mask &= ~PFM_ALIGNMENT;
        if (o.tabs != p.tabs)
            mask &= ~PFM_TABSTOPS;
    }
    pf.dwMask = mask;
    pf.wNumbering = 0;
    pf.dxStartIndent = p.left + p.first;
    pf.dxOffset = -p.first;
    pf.dxRightIndent = p.right;
    pf.wAlignment = kParaAlign[p.align & 3];
    pf.cTabCount = static_cast<SHORT>(std::min<int>(static_cast<int>(p.tabs.size()), MAX_TAB_STOPS));
    for (int i = 0; i < MAX_TAB_STOPS; ++i)
        pf.rgxTabs[i] = i < pf.cTabCount ? p.tabs[i] : 0;
    return mask;
}

BOOL CRichEditCtrl::SetParaFormat(const PARAFORMAT& pf)
{
    QTextCursor sel = textCursor();
    QTextBlock first = document()->findBlock(sel.selectionStart());
    QTextBlock last = document()->findBlock(sel.selectionEnd());
    // The lines before and after a line break are one paragraph.
    while (first.previous().isValid() && RtfContinuesParagraph(first.blockFormat()))
        first = first.previous();
    while (last.next().isValid() && RtfContinuesParagraph(last.next().blockFormat()))
        last = last.next();
    QTextCursor c(document());
    c.beginEditBlock();
    for (QTextBlock b = first; b.isValid() && b.blockNumber() <= last.blockNumber(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        CRtfParaProps p = RtfGetParaProps(f);
        int start = p.left + p.first;
        int offset = -p.first;
        if (pf.dwMask & PFM_STARTINDENT)
            start = pf.dwMask & PFM_OFFSETINDENT ? start + pf.dxStartIndent : pf.dxStartIndent;
        if (pf.dwMask & PFM_OFFSET)
            offset = pf.dxOffset;
        if (pf.dwMask & PFM_RIGHTINDENT)
            p.right = pf.dxRightIndent;
        p.left = start + offset;
        p.first = -offset;
        if (pf.dwMask & PFM_ALIGNMENT) {
            const WORD a = pf.wAlignment;
            p.align = a == PFA_CENTER ? 1 : a == PFA_RIGHT ? 2 : a == PFA_JUSTIFY ? 3 : 0;
        }
        if (pf.dwMask & PFM_TABSTOPS) {
            p.tabs.clear();
            for (int i = 0; i < std::clamp<int>(pf.cTabCount, 0, MAX_TAB_STOPS); ++i)
                p.tabs.append(static_cast<int>(pf.rgxTabs[i]) & 0x0FFFFFFF);
        }
        RtfSetParaProps(f, p, RtfGetDefaultTab(*document()));
        c.setPosition(b.position());
        c.setBlockFormat(f);
    }
    c.endEditBlock();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Selection and text

void CRichEditCtrl::SetSel(long nStart, long nEnd)
{
    const long length = GetTextLength();
    QTextCursor c = textCursor();
    if (nStart < 0) {
        c.setPosition(c.selectionEnd());
    } else {
        if (nEnd < 0 || nEnd > length)
            nEnd = length;
        nStart = std::min(nStart, length);
        c.setPosition(static_cast<int>(nStart));
        c.setPosition(static_cast<int>(nEnd), QTextCursor::KeepAnchor);
    }
    // Composing, the caret is put back where the last piece left it before every piece: as
    // nothing is shown, that changes nothing.
    if (m_bComposing && c == textCursor())
        return;
    setTextCursor(c);
}

void CRichEditCtrl::GetSel(long& nStart, long& nEnd) const
{
    QTextCursor c = textCursor();
    nStart = c.selectionStart();
    nEnd = c.selectionEnd();
}

CString CRichEditCtrl::GetSelText() const
{
    return PlainOf(textCursor());
}

void CRichEditCtrl::ReplaceSel(const char* text, BOOL bCanUndo)
{
    QTextCursor c = textCursor();
    RtfInsertPlainText(c, PlainToQString(text ? text : ""));
    setTextCursor(c);
    if (!bCanUndo)
        EmptyUndoBuffer();
}

void CRichEditCtrl::HideSelection(BOOL bHide, BOOL)
{
    if (bHide == m_bSelHidden)
        return;
    m_bSelHidden = bHide;
    if (bHide) {
        m_savedPalette = palette();
        m_bPaletteSaved = true;
        QPalette p = m_savedPalette;
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(g, QPalette::Highlight, p.color(g, QPalette::Base));
            p.setColor(g, QPalette::HighlightedText, p.color(g, QPalette::Text));
        }
        setPalette(p);
    } else if (m_bPaletteSaved) {
        QPalette p = palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(g, QPalette::Highlight, m_savedPalette.color(g, QPalette::Highlight));
            p.setColor(g, QPalette::HighlightedText, m_savedPalette.color(g, QPalette::HighlightedText));
        }
        setPalette(p);
    }
}

long CRichEditCtrl::GetTextLength() const
{
    return std::max(document()->characterCount() - 1, 0);
}

CString CRichEditCtrl::GetText() const
{
    return StreamOut(SF_TEXT);
}

void CRichEditCtrl::SetText(const char* text)
{
    StreamIn(SF_RTF, text ? text : "");
}

// ---------------------------------------------------------------------------------------------
// Lines

namespace {

// The characters of a laid-out line of a block, without the break that ends it.
int LineTextLength(const QTextDocument& doc, const QTextBlock& block, const QTextLine& line)
{
    const int len = line.textLength();
    if (len > 0 && doc.characterAt(block.position() + line.textStart() + len - 1) == QChar::LineSeparator)
        return len - 1;
    return len;
}

} // namespace

void CRichEditCtrl::EnsureLayout() const
{
    // A hidden control hears of its size only when shown; the text is laid out at the width of
    // the viewport when that hears of it, so tell both now.
    for (QWidget* w : {static_cast<QWidget*>(const_cast<CRichEditCtrl*>(this)), viewport()}) {
        if (w->testAttribute(Qt::WA_PendingResizeEvent)) {
            w->setAttribute(Qt::WA_PendingResizeEvent, false);
            QResizeEvent e(w->size(), QSize());
            QApplication::sendEvent(w, &e);
        }
    }
    document()->documentLayout()->documentSize();
}

std::vector<CRichEditCtrl::LineInfo> CRichEditCtrl::Lines() const
{
    EnsureLayout();
    std::vector<LineInfo> lines;
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        QTextLayout* tl = b.layout();
        const double top = layout->blockBoundingRect(b).top();
        const int count = tl ? tl->lineCount() : 0;
        if (count == 0) {
            lines.push_back({b.position(), b.length() - 1, top});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            QTextLine line = tl->lineAt(i);
            lines.push_back({b.position() + line.textStart(), LineTextLength(*document(), b, line), top + line.y()});
        }
    }
    if (lines.empty())
        lines.push_back({0, 0, 0});
    return lines;
}

int CRichEditCtrl::GetLineCount() const
{
    return static_cast<int>(Lines().size());
}

int CRichEditCtrl::LineFromChar(long nIndex) const
{
    if (nIndex < 0)
        nIndex = textCursor().selectionStart();
    std::vector<LineInfo> lines = Lines();
    int line = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].start <= nIndex)
            line = static_cast<int>(i);
    return line;
}

int CRichEditCtrl::LineIndex(int nLine) const
{
    if (nLine < 0)
        nLine = LineFromChar(textCursor().position());
    std::vector<LineInfo> lines = Lines();
    return nLine < static_cast<int>(lines.size()) ? lines[nLine].start : -1;
}

int CRichEditCtrl::LineLength(int nIndex) const
{
    std::vector<LineInfo> lines = Lines();
    if (nIndex < 0) {
        QTextCursor c = textCursor();
        const LineInfo& a = lines[LineFromChar(c.selectionStart())];
        const LineInfo& b = lines[LineFromChar(c.selectionEnd())];
        return (c.selectionStart() - a.start) + std::max(b.start + b.length - c.selectionEnd(), 0);
    }
    return lines[LineFromChar(nIndex)].length;
}

CString CRichEditCtrl::GetLine(int nLine) const
{
    std::vector<LineInfo> lines = Lines();
    if (nLine < 0 || nLine >= static_cast<int>(lines.size()))
        return CString();
    QTextCursor c(document());
    c.setPosition(lines[nLine].start);
    c.setPosition(lines[nLine].start + lines[nLine].length, QTextCursor::KeepAnchor);
    return PlainOf(c);
}

CString CRichEditCtrl::GetLineOfChar(long nIndex) const
{
    EnsureLayout();
    const int at = std::clamp(static_cast<int>(nIndex), 0, static_cast<int>(GetTextLength()));
    const QTextBlock b = document()->findBlock(at);
    if (!b.isValid())
        return CString();
    int start = b.position();
    int length = b.length() - 1;
    if (const QTextLayout* tl = b.layout(); tl && tl->lineCount() > 0) {
        // The last line of the block that starts at or before the character.
        QTextLine line = tl->lineAt(0);
        for (int i = 1; i < tl->lineCount() && b.position() + tl->lineAt(i).textStart() <= at; ++i)
            line = tl->lineAt(i);
        start = b.position() + line.textStart();
        length = LineTextLength(*document(), b, line);
    }
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    return PlainOf(c);
}

int CRichEditCtrl::GetLine(int nLine, LPSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength <= 0)
        return 0;
    CString line = GetLine(nLine);
    const int n = std::min(line.GetLength(), nMaxLength - 1);
    std::memcpy(lpszBuffer, line.GetString(), static_cast<size_t>(n));
    lpszBuffer[n] = 0;
    return n;
}

void CRichEditCtrl::LineScroll(int nLines, int nChars)
{
    std::vector<LineInfo> lines = Lines();
    int target = std::clamp(GetFirstVisibleLine() + nLines, 0, static_cast<int>(lines.size()) - 1);
    verticalScrollBar()->setValue(qRound(lines[target].top));
    if (nChars)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + nChars * fontMetrics().averageCharWidth());
}

int CRichEditCtrl::GetFirstVisibleLine() const
{
    std::vector<LineInfo> lines = Lines();
    const double y = verticalScrollBar()->value();
    int line = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].top <= y + 0.5)
            line = static_cast<int>(i);
    return line;
}

CPoint CRichEditCtrl::PosFromChar(long nChar) const
{
    EnsureLayout();
    QTextCursor c(document());
    c.setPosition(std::clamp(static_cast<int>(nChar), 0, static_cast<int>(GetTextLength())));
    QRect r = cursorRect(c);
    return CPoint(r.left(), r.top());
}

long CRichEditCtrl::CharFromPos(const CPoint& pt) const
{
    EnsureLayout();
    return cursorForPosition(QPoint(pt.x, pt.y)).position();
}

void CRichEditCtrl::BeginComposition()
{
    if (IsComposing())
        return;
    m_bUndoBeforeComposition = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    document()->setDocumentLayout(new CUnlaidText(document()));
    m_bComposing = true;
}

void CRichEditCtrl::EndComposition()
{
    if (!IsComposing())
        return;
    m_bComposing = false;
    // Without a layout of its own the text makes its standard one, which lays it all out anew.
    document()->setDocumentLayout(nullptr);
    document()->documentLayout();
    document()->setUndoRedoEnabled(m_bUndoBeforeComposition);
}

BOOL CRichEditCtrl::IsComposing() const
{
    return m_bComposing;
}

// ---------------------------------------------------------------------------------------------
// Limit, modified flag, clipboard

void CRichEditCtrl::LimitText(long nChars)
{
    m_nLimit = nChars > 0 ? nChars : 0x7FFFFFFE;
}

BOOL CRichEditCtrl::GetModify() const
{
    return document()->isModified();
}

void CRichEditCtrl::SetModify(BOOL bModified)
{
    document()->setModified(bModified);
}

BOOL CRichEditCtrl::CanPaste(UINT) const
{
    return !isReadOnly() && canPaste();
}

BOOL CRichEditCtrl::CanUndo() const
{
    return !isReadOnly() && document()->isUndoAvailable();
}

void CRichEditCtrl::EmptyUndoBuffer()
{
    document()->clearUndoRedoStacks();
}

void CRichEditCtrl::Copy() const
{
    const_cast<CRichEditCtrl*>(this)->copy();
}

void CRichEditCtrl::Clear()
{
    if (isReadOnly())
        return;
    QTextCursor c = textCursor();
    c.removeSelectedText();
    setTextCursor(c);
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    QPalette p = palette();
    COLORREF previous = ToColorRef(p.color(QPalette::Base));
    QColor c = bSysColor ? QApplication::palette().color(QPalette::Base) : FromColorRef(cr);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, c);
    setPalette(p);
    return previous;
}

DWORD CRichEditCtrl::SetEventMask(DWORD dwMask)
{
    DWORD old = m_dwEventMask;
    m_dwEventMask = dwMask;
    return old;
}

void CRichEditCtrl::RequestResize()
{
    EnsureLayout();
    const int height = qCeil(document()->documentLayout()->documentSize().height()) + 2 * frameWidth();
    const CRect rc(0, 0, width(), height);
    OnRequestResize(rc);
    REQRESIZE request{rc};
    NotifyParent(EN_REQUESTRESIZE, &request);
}

void CRichEditCtrl::focusInEvent(QFocusEvent* e)
{
    QTextEdit::focusInEvent(e);
    NotifyParent(EN_SETFOCUS);
}

void CRichEditCtrl::focusOutEvent(QFocusEvent* e)
{
    QTextEdit::focusOutEvent(e);
    NotifyParent(EN_KILLFOCUS);
}

void CRichEditCtrl::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    const bool typing = !text.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                        (text.at(0).isPrint() || text.at(0) == '\t' || text.at(0) == '\r');
    if (typing && !isReadOnly()) {
        QTextCursor c = textCursor();
        if (GetTextLength() - (c.selectionEnd() - c.selectionStart()) + text.size() > m_nLimit) {
            QApplication::beep();
            return;
        }
    }
    const bool enter = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !isReadOnly() &&
                       !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (enter && (e->modifiers() & Qt::ShiftModifier)) {
        // A line break, as one read from RTF: the line after it continues the paragraph in a
        // block of its own.
        QTextCursor c = textCursor();
        QTextBlockFormat f = c.blockFormat();
        RtfSetContinuesParagraph(f, true, RtfGetDefaultTab(*document()));
        c.beginEditBlock();
        c.removeSelectedText();
        c.insertBlock(f);
        c.endEditBlock();
        setTextCursor(c);
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(e);
    if (enter) {
        // Enter starts a paragraph, even in the line after a break, whose format the new block took.
        QTextCursor c = textCursor();
        QTextBlockFormat f = c.blockFormat();
        if (RtfContinuesParagraph(f)) {
            RtfSetContinuesParagraph(f, false, RtfGetDefaultTab(*document()));
            c.joinPreviousEditBlock();
            c.setBlockFormat(f);
            c.endEditBlock();
        }
    }
}

QMimeData* CRichEditCtrl::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    const QByteArray rtf = QByteArray::fromStdString(StreamOut(SF_RTF | SFF_SELECTION).str());
    data->setData(CF_RTF_MIME, rtf);
    QString plain = textCursor().selectedText();
    plain.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    if (m_bBreakHints)
        plain.remove(QChar(kBreakHint));
    data->setText(plain);
    return data;
}

bool CRichEditCtrl::canInsertFromMimeData(const QMimeData* source) const
{
    return source && (source->hasFormat(CF_RTF_MIME) || source->hasFormat("application/rtf") || source->hasText());
}

void CRichEditCtrl::insertFromMimeData(const QMimeData* source)
{
    if (!source || isReadOnly())
        return;
    QTextCursor c = textCursor();
    const long room = m_nLimit - (GetTextLength() - (c.selectionEnd() - c.selectionStart()));
    QByteArray rtf = source->data(CF_RTF_MIME);
    if (rtf.isEmpty())
        rtf = source->data("application/rtf");
    if (!rtf.isEmpty()) {
        // Try the rich form on a scratch copy first, so that the limit is kept.
        QTextDocument scratch;
        QTextCursor sc(&scratch);
        if (ReadRtf(CString(rtf.toStdString()), sc, m_defaultFormat) && scratch.characterCount() - 1 <= room) {
            ReadRtf(CString(rtf.toStdString()), c, m_defaultFormat);
            setTextCursor(c);
            return;
        }
    }
    QString text = source->text();
    if (text.size() > room) {
        QApplication::beep();
        text.truncate(std::max(room, 0L));
    }
    RtfInsertPlainText(c, text);
    setTextCursor(c);
}
