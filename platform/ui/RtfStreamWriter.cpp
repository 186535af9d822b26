#include "platform/ui/RtfStream.h"

#include "platform/core/CodePage.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/ui/RtfStreamInternal.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <string>
#include <vector>

// The writer: a QTextDocument as RTF.

using rtfstream::RunFormat;

namespace {

struct FontKey {
    QString face;
    int pitchAndFamily = 0;
    int charSet = 0;
    bool operator==(const FontKey& o) const
    {
        return face == o.face && pitchAndFamily == o.pitchAndFamily && charSet == o.charSet;
    }
};

struct Run {
    RunFormat format;
    QString text;
    bool markup = false;  // the program's HTML markup, written as a destination of its own
};

struct Paragraph {
    CRtfParaProps para;
    std::vector<Run> runs;
    bool ends = false;
    bool lineBreak = false;  // the paragraph goes on after its mark, a line break
    RunFormat mark;  // the paragraph mark's format, written for an empty paragraph
};

class CRtfWriter {
public:
    explicit CRtfWriter(const QTextDocument& doc) : m_doc(doc) {}
    CString Write(int start, int end);

private:
    RunFormat Resolve(const QTextCharFormat& fmt);
    void Word(const char* word);
    void WordN(const char* word, int n);
    void Switch(const RunFormat& to);
    // In a font face a tab is written as its byte: the reader takes no control words there.
    void Text(const QString& text, bool bFace = false);
    void Para(const CRtfParaProps& para);

    const QTextDocument& m_doc;
    std::vector<FontKey> m_fonts;
    std::vector<QRgb> m_colors;
    std::string m_out;
    bool m_delimit = false;  // a control word was written and text follows
    RunFormat m_cur;
};

RunFormat CRtfWriter::Resolve(const QTextCharFormat& fmt)
{
    RunFormat r;
    FontKey key;
    QStringList families = fmt.fontFamilies().toStringList();
    // Trimmed as the reader trims the table's faces.
    const QString face = families.isEmpty() ? QString() : families.first().trimmed();
    key.face = !face.isEmpty() ? face : m_doc.defaultFont().family();
    key.pitchAndFamily = fmt.property(rtfprop::PitchAndFamily).toInt() & 0xFF;
    key.charSet = fmt.property(rtfprop::CharSet).toInt() & 0xFF;
    auto it = std::find(m_fonts.begin(), m_fonts.end(), key);
    r.font = static_cast<int>(it - m_fonts.begin());
    if (it == m_fonts.end())
        m_fonts.push_back(key);
    double points = fmt.hasProperty(QTextFormat::FontPointSize) ? fmt.fontPointSize() : m_doc.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    r.halfPoints = qRound(points * 2);
    r.bold = fmt.fontWeight() > QFont::Medium;
    r.italic = fmt.fontItalic();
    r.underline = fmt.fontUnderline() || fmt.underlineStyle() != QTextCharFormat::NoUnderline;
    r.strike = fmt.fontStrikeOut();
    r.shadow = fmt.property(rtfprop::Shadow).toBool();
    r.emboss = fmt.property(rtfprop::Emboss).toBool();
    if (fmt.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        r.script = 1;
    else if (fmt.verticalAlignment() == QTextCharFormat::AlignSubScript)
        r.script = 2;
    if (fmt.hasProperty(QTextFormat::ForegroundBrush) && fmt.foreground().style() != Qt::NoBrush) {
        QRgb rgb = fmt.foreground().color().rgb() & 0xFFFFFF;
        auto c = std::find(m_colors.begin(), m_colors.end(), rgb);
        r.color = static_cast<int>(c - m_colors.begin()) + 1;
        if (c == m_colors.end())
            m_colors.push_back(rgb);
    }
    return r;
}

void CRtfWriter::Word(const char* word)
{
    m_out += '\\';
    m_out += word;
    m_delimit = true;
}

void CRtfWriter::WordN(const char* word, int n)
{
    Word(word);
    m_out += std::to_string(n);
}

void CRtfWriter::Switch(const RunFormat& to)
{
    if (to.font != m_cur.font)
        WordN("f", to.font);
    if (to.halfPoints != m_cur.halfPoints)
        WordN("fs", to.halfPoints);
    if (to.color != m_cur.color)
        WordN("cf", to.color);
    if (to.bold != m_cur.bold)
        Word(to.bold ? "b" : "b0");
    if (to.italic != m_cur.italic)
        Word(to.italic ? "i" : "i0");
    if (to.underline != m_cur.underline)
        Word(to.underline ? "ul" : "ulnone");
    if (to.strike != m_cur.strike)
        Word(to.strike ? "strike" : "strike0");
    if (to.script != m_cur.script)
        Word(to.script == 1 ? "super" : to.script == 2 ? "sub" : "nosupersub");
    if (to.shadow != m_cur.shadow)
        Word(to.shadow ? "shad" : "shad0");
    if (to.emboss != m_cur.emboss)
        Word(to.emboss ? "embo" : "embo0");
    m_cur = to;
}

void CRtfWriter::Text(const QString& text, bool bFace)
{
    static const char kHex[] = "0123456789abcdef";
    for (QChar qc : text) {
        char16_t u = qc.unicode();
        if (u == '\t' && !bFace) {
            Word("tab");
            continue;
        }
        if (u == 0x2028) {
            Word("line");
            continue;
        }
        if (u == QChar::ObjectReplacementCharacter || u == 0 || u == 0x2029)
            continue;
        if (u >= 0x20 && u < 0x7F) {
            if (m_delimit)
                m_out += ' ';
            m_delimit = false;
            if (u == ';' && bFace) {
                // A bare one would end the font-table entry.
                m_out += "\\'3b";
                continue;
            }
            if (u == '\\' || u == '{' || u == '}')
                m_out += '\\';
            m_out += static_cast<char>(u);
            continue;
        }
        int b = cp1252::FromUnicode(u);
        if (b >= 0) {
            m_out += "\\'";
            m_out += kHex[(b >> 4) & 0xF];
            m_out += kHex[b & 0xF];
            m_delimit = false;
            continue;
        }
        WordN("u", u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u));
        m_out += '?';
        m_delimit = false;
    }
}

void CRtfWriter::Para(const CRtfParaProps& p)
{
    Word("pard");
    if (p.first)
        WordN("fi", p.first);
    if (p.left)
        WordN("li", p.left);
    if (p.right)
        WordN("ri", p.right);
    if (p.align == 1)
        Word("qc");
    else if (p.align == 2)
        Word("qr");
    else if (p.align == 3)
        Word("qj");
    for (int t : p.tabs) {
        int kind = (t >> 24) & 0x0F;
        if (kind == 1)
            Word("tqc");
        else if (kind == 2)
            Word("tqr");
        else if (kind == 3)
            Word("tqdec");
        WordN("tx", t & 0xFFFFFF);
    }
}

CString CRtfWriter::Write(int start, int end)
{
    const int textLength = std::max(m_doc.characterCount() - 1, 0);
    start = std::clamp(start, 0, textLength);
    end = end < 0 ? textLength : std::clamp(end, start, textLength);

    std::vector<Paragraph> paras;
    for (QTextBlock b = m_doc.findBlock(start); b.isValid(); b = b.next()) {
        const int pos = b.position();
        if (pos > end || (pos == end && end < textLength))
            break;
        const int markPos = pos + b.length() - 1;
        Paragraph para;
        para.para = RtfGetParaProps(b.blockFormat());
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            QTextFragment frag = it.fragment();
            int from = std::max(frag.position(), start);
            int to = std::min(frag.position() + frag.length(), end);
            if (from >= to)
                continue;
            QString text = frag.text().mid(from - frag.position(), to - from);
            const QTextCharFormat fmt = frag.charFormat();
            para.runs.push_back({Resolve(fmt), text, fmt.property(rtfprop::HtmlMarkup).toBool()});
        }
        para.ends = markPos < end || (markPos == textLength && end == textLength);
        para.lineBreak = b.next().isValid() && RtfContinuesParagraph(b.next().blockFormat());
        if (para.runs.empty() && !para.ends)
            continue;
        if (para.runs.empty())
            para.mark = Resolve(b.charFormat());
        paras.push_back(std::move(para));
    }

    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    static const char* const kFamilies[] = {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor"};
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const FontKey& f = m_fonts[i];
        int family = (f.pitchAndFamily >> 4) & 0x0F;
        m_out += "{\\f" + std::to_string(i) + "\\" + (family < 6 ? kFamilies[family] : "fnil") + "\\fprq" +
                 std::to_string(f.pitchAndFamily & 0x0F) + "\\fcharset" + std::to_string(f.charSet) + " ";
        m_delimit = false;
        Text(f.face, true);
        m_out += ";}";
    }
    m_out += "}";
    if (!m_colors.empty()) {
        m_out += "{\\colortbl ;";
        for (QRgb c : m_colors)
            m_out += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
                     std::to_string(qBlue(c)) + ";";
        m_out += "}";
    }
    m_delimit = false;
    if (int tab = RtfGetDefaultTab(m_doc); tab != RTF_DEFAULT_TAB_TWIPS)
        WordN("deftab", tab);
    Word("viewkind4");
    WordN("uc", 1);

    m_cur = RunFormat();
    CRtfParaProps last;
    bool first = true;
    for (const Paragraph& para : paras) {
        if (first || !(para.para == last))
            Para(para.para);
        first = false;
        last = para.para;
        for (const Run& run : para.runs) {
            if (run.markup) {
                m_out += std::string("{\\*\\") + HTML_MARKUP_DESTINATION;
                m_delimit = true;
                Text(run.text);
                m_out += "}";
                m_delimit = false;
                continue;
            }
            Switch(run.format);
            Text(run.text);
        }
        if (para.ends) {
            if (para.runs.empty())
                Switch(para.mark);
            Word(para.lineBreak ? "line" : "par");
        }
    }
    m_out += "}";
    return CString(std::move(m_out));
}

} // namespace

CString WriteRtf(const QTextDocument& doc, int start, int end)
{
    CRtfWriter writer(doc);
    return writer.Write(start, end);
}
