#include "fuzz/FuzzEntries.h"

#include "controls/HVMsgBox.h"
#include "dialogs/DupCollectionsDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/ENString.h"
#include "foundation/Encrypt.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/Serial.h"
#include "foundation/TextListFile.h"
#include "foundation/ChoicesError.h"
#include "import/AQFConvertSettings.h"
#include "import/SourceDoc.h"
#include "import/SourceMgr.h"
#include "model/CorraDoc.h"
#include "model/CorraHeader.h"
#include "model/CorraQuestion.h"
#include "model/DocText.h"
#include "model/Group.h"
#include "model/QuestionList.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/RecentFileList.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/RichEditCtrl.h"
#include "platform/ui/RtfStream.h"
#include "print/HtmlDraw.h"
#include "render/FontMgr.h"
#include "render/RtfDraw.h"
#include "render/RtfDraw3.h"
#include "render/RtfText.h"
#include "tests/support/CorraPanes.h"
#include "views/DuplicateQuestionsDlg.h"

#include <QImage>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

void FuzzCheckFailed(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
    std::abort();
}

namespace {

// The bytes as a text; a NUL inside stays in it (the readers must stop there or pass it).
CString Text(const std::uint8_t* data, std::size_t size)
{
    return CString(reinterpret_cast<const char*>(data), static_cast<int>(size));
}

// The bytes as a file in the program home; its path.
CString HomeFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    const CString path = fsys::Join(GetProgramHome(), name);
    fsys::WriteFile(path, data, size);
    return path;
}

// Splits off the first byte (0 when there is none), for entries that take options.
unsigned TakeByte(const std::uint8_t*& data, std::size_t& size)
{
    if (size == 0)
        return 0;
    --size;
    return *data++;
}

void RtfStream(const std::uint8_t* data, std::size_t size)
{
    const CString rtf = Text(data, size);
    QTextDocument doc;
    QTextCursor cursor(&doc);
    ReadRtf(rtf, cursor, QTextCharFormat());
    // What the writer makes of it reads back to the same text.
    const CString written = WriteRtf(doc);
    QTextDocument again;
    QTextCursor cursor2(&again);
    ReadRtf(written, cursor2, QTextCharFormat());
    FuzzCheck(again.toRawText() == doc.toRawText());
}

void RtfEngine(const std::uint8_t* data, std::size_t size)
{
    const unsigned options = TakeByte(data, size);
    const CString rtf = Text(data, size);
    CFontMgrInit fonts;
    QImage image(200, 200, QImage::Format_RGB32);
    CDC dc(&image);
    CRtfDraw3 draw;
    CRect rect(0, 0, 40 + static_cast<int>(options & 0x7F) * 4, 4000);
    draw.DrawRtf(&dc, rtf, &rect, (options & 0x80) ? 0u : static_cast<UINT>(DT_CALCRECT));
    CRtfDraw3 text;
    text.GetPlainText(rtf);
    CRtfDraw3 echo;
    CString out;
    if (echo.EchoRtf(rtf, 0, &out)) {
        // An echo is itself readable RTF.
        CRtfDraw3 twice;
        CString out2;
        FuzzCheck(twice.EchoRtf(out, 0, &out2));
    }
    RtfToPlainText(rtf);
    RtfToText(rtf);
    RtfToTextUtf8(rtf);
    IsRtfEmpty(rtf);
}

void RichEditStreamIn(const std::uint8_t* data, std::size_t size)
{
    const unsigned options = TakeByte(data, size);
    const CString text = Text(data, size);
    CRichEditCtrl ctrl;
    ctrl.StreamIn((options & 1) ? SF_TEXT : SF_RTF, text);
    const CString rtf = ctrl.StreamOut(SF_RTF);
    ctrl.StreamOut(SF_TEXT);
    CRichEditCtrl again;
    again.StreamIn(SF_RTF, rtf);
    FuzzCheck(again.GetTextLength() == ctrl.GetTextLength());
}

// Whether every tag of a page's body is one the converter makes of text.
bool OnlyTextTags(const CString& body)
{
    static const char* const kTags[] = {"b>", "/b>", "i>", "/i>", "u>", "/u>", "sup>", "/sup>", "sub>",
                                        "/sub>", "br>", "font ", "/font>"};
    int depth = 0;
    for (int i = body.Find('<'); i >= 0; i = body.Find('<', i + 1)) {
        const char* at = body.GetString() + i + 1;
        bool known = false;
        for (const char* tag : kTags)
            known = known || std::strncmp(at, tag, std::strlen(tag)) == 0;
        if (!known)
            return false;
        if (*at == '/')
            --depth;
        else if (std::strncmp(at, "br>", 3) != 0)
            ++depth;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

void RtfToHtml(const std::uint8_t* data, std::size_t size)
{
    const unsigned options = TakeByte(data, size);
    CString rtf = Text(data, size);
    if (options & 1)
        rtf = "{\\rtf1 " + rtf + "}";
    CFontMgrInit fonts;
    CHtmlDraw draw(FALSE, "t");
    CString html;
    if (!draw.Input(rtf) || !draw.Output(html))
        return;
    // Text never becomes markup, and what opens closes; the program's own markup is its own.
    const int start = html.Find("  <body>\r\n");
    const int end = html.Find("  </body>\r\n");
    FuzzCheck(start > 0 && end > start);
    if (rtf.Find("crrhtml") < 0)
        FuzzCheck(OnlyTextTags(html.Mid(start + 10, end - start - 10)));
}

void Tokenizer(const std::uint8_t* data, std::size_t size)
{
    const unsigned which = TakeByte(data, size) % 3;
    CParse& parse = which == 0 ? DocumentTokenizer() : which == 1 ? QuestionTokenizer() : GroupTokenizer();
    const CString text = Text(data, size);
    LPCSTR p = text;
    UINT remaining = static_cast<UINT>(text.GetLength());
    parse.ResetScan();
    // Every token takes at least one character, or the scan has ended (a NUL ends it too).
    for (int guard = 0; guard <= text.GetLength() + 1; ++guard) {
        if (remaining > 0 && *p == '\0')
            break;
        const UINT before = remaining;
        const int id = parse.NextToken(&p, &remaining);
        if (id == 0 || remaining == 0)
            break;
        FuzzCheck(remaining < before);
        CString inner;
        parse.GetTokenInner(inner);
        parse.GetTokenInt();
    }
}

void TextList(const std::uint8_t* data, std::size_t size)
{
    const CString path = HomeFile("Subjects.txt", data, size);
    CTextListFile list(255);
    if (!list.Read(path))
        return;
    list.Find("a", FALSE);
    list.Add("New entry");
    FuzzCheck(list.Save());
    CTextListFile again(255);
    FuzzCheck(again.Read(path));
    FuzzCheck(again.GetCount() == list.GetCount());
}

void ProfileStore(const std::uint8_t* data, std::size_t size)
{
    const CString path = HomeFile("fuzz.ini", data, size);
    CProfileStore ini(path);
    for (const char* section : {"Settings", "A", ""}) {
        for (const auto& entry : ini.GetSection(section)) {
            const CString value = ini.GetString(section, entry.first, "");
            ini.GetInt(section, entry.first, 0);
            // What is written reads back as written, but for line breaks, which a value (one
            // line) cannot hold.
            CString written = value + " ";
            if (ini.WriteString(section, entry.first, written)) {
                written.Replace("\r", "");
                written.Replace("\n", " ");
                CProfileStore again(path);
                FuzzCheck(again.GetString(section, entry.first, "<none>") == written);
            }
            break;
        }
    }
    ini.WriteString("Fuzz", "Key", "value");
}

void RecentList(const std::uint8_t* data, std::size_t size)
{
    CString text = "[Recent File List]\n" + Text(data, size);
    HomeFile("Corra.ini", reinterpret_cast<const std::uint8_t*>(text.GetString()), text.GetLength());
    CRecentFileList list(1, "Recent File List", "File%d", 4, 30);
    list.ReadList();
    list.Add("/tmp/new.crr");
    list.WriteList();
    list.Remove(2);
}

void StoredPath(const std::uint8_t* data, std::size_t size)
{
    const unsigned keepCase = TakeByte(data, size) & 1;
    CString text = "[Paths]\nWhere=" + Text(data, size);
    HomeFile("Corra.ini", reinterpret_cast<const std::uint8_t*>(text.GetString()), text.GetLength());
    CString path;
    CorraApp().GetProfilePath(path, "Paths", "Where", GetProgramHome(), FALSE, keepCase);
    CorraApp().WriteProfilePath("Paths", "Other", path);
}

void LogReaders(const std::uint8_t* data, std::size_t size)
{
    HomeFile("CorraLog.txt", data, size);
    CString text;
    ReadLogText(text);
    CStringList lines;
    GetLogLines(lines, TRUE);
    GetLogLines(lines, FALSE);
    GetLogFileText(text);
}

void CipherArchive(const std::uint8_t* data, std::size_t size)
{
    const unsigned options = TakeByte(data, size);
    std::vector<BYTE> bytes(data, data + size);
    if (!bytes.empty()) {
        IsMarkedBlock(bytes.data(), static_cast<long>(bytes.size()), 0);
        LooksLikeDamagedBlock(bytes.data(), static_cast<long>(bytes.size()));
        ComputeCheckValue(bytes.data(), static_cast<long>(bytes.size()));
        // Enciphering twice with the same seed gives the bytes back.
        std::vector<BYTE> copy = bytes;
        const long seed = static_cast<long>(options);
        EncryptBuffer(copy.data(), static_cast<long>(copy.size()), seed);
        EncryptBuffer(copy.data(), static_cast<long>(copy.size()), seed);
        FuzzCheck(copy == bytes);
    }
    const CString path = HomeFile("fuzz.crr", data, size);
    CEncryptedArchive in(path, FALSE);
    if (const char* text = in.GetText(TRUE, (options & 1) != 0, 16)) {
        const long length = in.GetTextLength();
        const std::string kept(text, static_cast<size_t>(length));
        // A text stored and loaded again is the same text.
        const CString copyPath = fsys::Join(GetProgramHome(), "fuzz-copy.crr");
        CEncryptedArchive out(copyPath, TRUE);
        out.GrowBuffer(kept.data(), length);
        if (out.Commit()) {
            CEncryptedArchive back(copyPath, FALSE);
            // (with the NUL the block stores after it)
            const char* again = back.GetText(TRUE, FALSE, 0);
            FuzzCheck(again && back.GetTextLength() == length + 1 &&
                      std::string(again, static_cast<size_t>(length)) == kept);
        }
    }
}

// A Question Corra document that records instead of posting to a view.
class CFuzzCorraDoc : public CCorraDoc {
public:
    CFuzzCorraDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

void CorraDoc(const std::uint8_t* data, std::size_t size)
{
    const CString path = HomeFile("fuzz-doc.crr", data, size);
    CFuzzCorraDoc doc;
    const CCorraDoc::ReadOutcome outcome = doc.ReadCorraDoc(path);
    // Reading never changes the file.
    std::string after;
    fsys::ReadFile(path, after);
    FuzzCheck(after == std::string(reinterpret_cast<const char*>(data), size));
    CCorraHeader header;
    header.GetCorraHeaderInfo(path);
    if (outcome != CCorraDoc::readComplete)
        return;
    // What was read, written and read again is the same.
    const CString copyPath = fsys::Join(GetProgramHome(), "fuzz-doc-copy.crr");
    if (doc.WriteCorraDoc(copyPath) != CCorraDoc::writeDone)
        return;
    CFuzzCorraDoc back;
    FuzzCheck(back.ReadCorraDoc(copyPath) == CCorraDoc::readComplete);
    // Braces cannot stand in a title's block: they are stored as parentheses.
    auto stored = [](const CString& title) { return BlockSafeText(title, "fuzz"); };
    FuzzCheck(back.m_csTitle1 == stored(doc.m_csTitle1) && back.m_csTitle2 == stored(doc.m_csTitle2));
    FuzzCheck(back.m_csInstructions == doc.m_csInstructions);
    FuzzCheck(back.m_plGroups.GetCount() == doc.m_plGroups.GetCount());
}

template <typename T>
void SerialRoundTrip(const std::uint8_t* data, std::size_t size)
{
    T object;
    if (!object.Serialize(const_cast<BYTE*>(data), data + size, SERIALIZE_IN))
        return;
    // What was read writes out whole and reads back to the same bytes.
    std::vector<BYTE> out(object.GetSerializedSize());
    BYTE* end = object.Serialize(out.data(), out.data() + out.size(), SERIALIZE_OUT);
    FuzzCheck(end == out.data() + out.size());
    T again;
    FuzzCheck(again.Serialize(out.data(), out.data() + out.size(), SERIALIZE_IN) == out.data() + out.size());
    std::vector<BYTE> out2(again.GetSerializedSize());
    again.Serialize(out2.data(), out2.data() + out2.size(), SERIALIZE_OUT);
    FuzzCheck(out == out2);
}

void Serial(const std::uint8_t* data, std::size_t size)
{
    switch (TakeByte(data, size) % 4) {
    case 0: SerialRoundTrip<CENString>(data, size); break;
    case 1: SerialRoundTrip<CVector<int>>(data, size); break;
    case 2: SerialRoundTrip<CVector<double>>(data, size); break;
    default: SerialRoundTrip<CVector<WORD>>(data, size); break;
    }
}

void DrawTextEntry(const std::uint8_t* data, std::size_t size)
{
    UINT format = 0;
    for (int i = 0; i < 3; ++i)
        format = format << 8 | TakeByte(data, size);
    const int width = static_cast<int>(TakeByte(data, size)) * 2;
    const int height = static_cast<int>(TakeByte(data, size)) * 2;
    const CString text = Text(data, size);
    QImage image(300, 300, QImage::Format_RGB32);
    CDC dc(&image);
    CRect rect(5, 5, 5 + width, 5 + height);
    dc.DrawText(text, &rect, format);
    CRect calc(5, 5, 5 + width, 5 + height);
    dc.DrawText(text, &calc, format | DT_CALCRECT);
}

// One edit exchanged as a number.
class CNumberDlg : public CDialog {
public:
    CNumberDlg() : CDialog(0) { edit = CreateEdit(1001); }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (asDouble)
            DDX_Text(pDX, 1001, number);
        else
            DDX_Text(pDX, 1001, whole);
    }
    QLineEdit* edit;
    bool asDouble = true;
    double number = 0;
    int whole = 0;
};

void NumberField(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CNumberDlg dlg;
    for (bool asDouble : {true, false}) {
        dlg.asDouble = asDouble;
        dlg.edit->setText(text);
        dlg.UpdateData(TRUE);
    }
    BOOL ok = FALSE;
    dlg.GetDlgItemInt(1001, &ok, TRUE);
    dlg.GetDlgItemInt(1001, &ok, FALSE);
}

void FontProfile(const std::uint8_t* data, std::size_t size)
{
    CString text = "[FontMgr]\n" + Text(data, size);
    HomeFile("Corra.ini", reinterpret_cast<const std::uint8_t*>(text.GetString()), text.GetLength());
    CFontMgrInit fonts;
    CFontMgr::LoadSlot(-1);
    QImage image(50, 50, QImage::Format_RGB32);
    CDC dc(&image);
    for (int slot = 0; slot < 2; ++slot) {
        CFont* old = CFontMgr::SelectSlotFont(&dc, slot);
        CFontMgr::RestoreSlotFont(&dc, old, slot);
    }
    for (int slot = 0; slot < 2; ++slot)
        CFontMgr::ResetSlotToDefault(slot);
}

// Ends each box as soon as it is laid out.
class CEndAtOnce : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override { dlg.EndDialog(IDOK); }
};

void MessageBoxPanes(const std::uint8_t* data, std::size_t size)
{
    const unsigned style = TakeByte(data, size) % 7;
    // Up to four panes, split at NUL bytes.
    const CString all = Text(data, size);
    CHVMsgBox box("Fuzz", static_cast<int>(style));
    CString* panes[4] = {&box.m_csPane1, &box.m_csPane2, &box.m_csPane3, &box.m_csPane4};
    int start = 0;
    for (int i = 0; i < 4 && start <= all.GetLength(); ++i) {
        int end = all.Find('\0', start);
        if (end < 0)
            end = all.GetLength();
        *panes[i] = all.Mid(start, end - start);
        start = end + 1;
    }
    CEndAtOnce hook;
    CServiceScope<IModalRunHook> scope(ModalRunSlot(), hook);
    box.DoModal();
}

// Answers the clash dialogs of a paste: the questions' by "Duplicate (all)" and, for what
// that leaves, "Skip"; the collections' by the choice the input's first byte names.
class CPasteAnswers : public IModalRunHook {
public:
    explicit CPasteAnswers(int choice) : m_choice(choice) {}
    void RunModal(CDialog& dlg) override
    {
        if (auto* questions = dynamic_cast<CDuplicateQuestionsDlg*>(&dlg)) {
            questions->DuplicateAll();
            while (!questions->IsSettled() && questions->Skip(static_cast<CCorraQuestion*>(questions->NewList().GetHead()))) {
            }
        } else if (auto* names = dynamic_cast<CDupCollectionsDlg*>(&dlg)) {
            names->m_nChoice = m_choice;
        }
        dlg.EndDialog(IDOK);
    }

private:
    int m_choice;
};

// Says nothing and answers the first button.
class CQuietBoxes : public IMessageBoxService {
public:
    int Show(const CString&, const CString&, UINT style) override
    {
        return (style & MB_TYPEMASK) == MB_YESNO || (style & MB_TYPEMASK) == MB_YESNOCANCEL ? IDYES : IDOK;
    }
};

// A collection list from the clipboard pasted into a bank's collection pane (the first byte
// chooses the answer to a name clash and whether a collection row is selected) and then into
// its question pane. Whatever the bytes, every member of every collection is a question the
// bank holds, and undoing the paste's additions leaves the bank's questions as they were.
void CollectionPaste(const std::uint8_t* data, std::size_t size)
{
    const unsigned mode = TakeByte(data, size);
    CQuietBoxes boxes;
    CServiceScope<IMessageBoxService> boxScope(MessageBoxSlot(), boxes);
    CPasteAnswers answers(static_cast<int>(mode % 3));
    CServiceScope<IModalRunHook> hookScope(ModalRunSlot(), answers);

    class CBank : public CCorraDoc {
    public:
        CBank()
        {
            m_bAutoDelete = FALSE;
            SetTitle("Target");
            for (int id : {3, 10, 11}) {
                auto* q = new CCorraQuestion;
                q->m_nId = id;
                q->m_nIndex = id;
                q->m_cszQuestionText = CString::Formatted("Target question %d", id);
                InsertQuestion(q);
            }
            CPtrListEx members;
            members.AddTail(FindQuestionById(10));
            GetOrCreateCollection("Unit", &members);
            SetModifiedFlag(FALSE);
        }
        BOOL DoFileSave() override { return TRUE; }
    } bank;
    auto questionIds = [&bank] {
        std::vector<int> ids;
        for (POSITION pos = bank.m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(bank.m_plQuestions.GetNext(pos));
            if (!q->IsCollection())
                ids.push_back(q->m_nId);
        }
        return ids;
    };
    const std::vector<int> before = questionIds();
    {
        CCorraPanes panes(bank);
        COleDataSource source;
        source.CacheGlobalData(CCorraDoc::CollectionListFormat(), std::vector<BYTE>(data, data + size));
        if (mode & 4)
            panes.lower->GetListCtrl()->SelectItem(0, TRUE);
        for (CCorraView* view : {panes.lower, panes.upper}) {
            COleDataObject object;
            object.Attach(&source);
            view->PasteFrom(object);
        }
        for (POSITION pos = bank.m_plQuestions.GetHeadPosition(); pos;) {
            auto* c = static_cast<CCorraQuestion*>(bank.m_plQuestions.GetNext(pos));
            if (!c->IsCollection())
                continue;
            CDWordArray ids;
            c->GetQuestIds(ids);
            for (int i = 0; i < ids.GetSize(); ++i) {
                CCorraQuestion* member = bank.FindQuestionById(static_cast<int>(ids[i]));
                FuzzCheck(member && !member->IsCollection());
            }
        }
        while (bank.GetUndoText().Find("Add ") == 0 && bank.Undo()) {
        }
        FuzzCheck(questionIds() == before);
    }
}

// Questions pasted from the clipboard: the first byte chooses the list's kind (bank or exam).
void QuestionArchive(const std::uint8_t* data, std::size_t size)
{
    const int kind = TakeByte(data, size) % 2 ? QKIND_EXAM : QKIND_CORRA;
    CPtrList questions;
    auto deleteAll = [](CPtrList& list) {
        while (!list.IsEmpty())
            delete static_cast<CCorraQuestion*>(list.RemoveHead());
    };
    try {
        CArchive in(data, size);
        LoadQuestions(questions, in, kind);
    } catch (const CArchiveException&) {
        FuzzCheck(questions.IsEmpty());
        return;
    }
    // What was taken travels again and reads back to the same bytes.
    CArchive out;
    StoreQuestions(questions, out, kind);
    CPtrList again;
    CArchive in(out.GetData().data(), out.GetData().size());
    LoadQuestions(again, in, kind);
    FuzzCheck(in.IsBufferEmpty() && again.GetCount() == questions.GetCount());
    CArchive out2;
    StoreQuestions(again, out2, kind);
    FuzzCheck(out.GetData() == out2.GetData());
    deleteAll(again);
    deleteAll(questions);
}

// A teacher's text as AutoConvert cuts it: the first byte sets the label style and modes. Every
// range lies inside the text, in order, and the removals blank only what they record.
void AutoConvertText(const std::uint8_t* data, std::size_t size)
{
    const unsigned mode = TakeByte(data, size);
    CAQFConvertSettings settings;
    settings.m_szFirstLabel[0] = "aA1"[mode % 3];
    settings.m_szTerminator[0] = (mode & 4) ? ')' : '.';
    settings.m_bHaveChoices = (mode & 8) == 0;
    settings.m_bBlankLinesSeparate = (mode & 16) == 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();
    CTextRangeVector ranges;
    int start = 0;
    int end = 0;
    CChoicesError error;
    const int status = settings.m_bHaveChoices
                           ? CSourceDoc::_SyntaxPass(text.c_str(), ranges, start, end, error, &settings)
                           : CSourceDoc::_SyntaxPassNoChoices(text.c_str(), ranges, start, end, error, &settings);
    FuzzCheck(status == 0 || status == 2 || status == 3 || status == -1);
    int previous = -1;
    for (size_t i = 0; i < ranges.size(); ++i) {
        FuzzCheck(ranges[i].nFirst > previous && ranges[i].nFirst <= ranges[i].nLast &&
                  ranges[i].nLast < static_cast<int>(text.size()));
        previous = ranges[i].nLast;
    }
    const CChoiceLabelRule rule = settings.LabelRule();
    for (int pass = 0; pass < 2; ++pass) {
        std::string edited = text;
        CRangeVector found;
        if (pass == 0)
            RemoveQuestionIds(edited.data(), ".)", "0123456789", &found, &rule);
        else
            RemoveLineEndTerms(edited.data(), settings.m_szTerminator[0], &found);
        FuzzCheck(edited.size() == text.size());
        for (const auto& [first, last] : found)
            FuzzCheck(first >= 0 && first < last && last <= static_cast<int>(text.size()));
        for (size_t i = 0; i < text.size(); ++i)
            FuzzCheck(edited[i] == text[i] || edited[i] == ' ');
    }
}

const CFuzzEntry kEntries[] = {
    {"rtf_stream", RtfStream},
    {"rtf_engine", RtfEngine},
    {"richedit_stream_in", RichEditStreamIn},
    {"rtf_to_html", RtfToHtml},
    {"tokenizer", Tokenizer},
    {"text_list", TextList},
    {"profile", ProfileStore},
    {"recent_list", RecentList},
    {"stored_path", StoredPath},
    {"log_readers", LogReaders},
    {"cipher_archive", CipherArchive},
    {"corra_doc", CorraDoc},
    {"serial", Serial},
    {"draw_text", DrawTextEntry},
    {"number_field", NumberField},
    {"font_profile", FontProfile},
    {"msgbox_panes", MessageBoxPanes},
    {"question_archive", QuestionArchive},
    {"collection_paste", CollectionPaste},
    {"autoconvert_text", AutoConvertText},
    {nullptr, nullptr},
};

} // namespace

const CFuzzEntry* FuzzEntries()
{
    return kEntries;
}

const CFuzzEntry* FindFuzzEntry(const char* name)
{
    for (const CFuzzEntry* e = kEntries; e->name; ++e) {
        if (std::strcmp(e->name, name) == 0)
            return e;
    }
    return nullptr;
}
