#include "import/SourceView.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/WordConvert.h"
#include "import/SourceDoc.h"
#include "import/SourcePropDlg.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/Menus.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedConverter.h"
#include "platform/core/FileSys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/CorraTest.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

namespace {

// Files of this process may grow to a few bytes only while it lives, as on a full disk; a write
// past that fails instead of stopping the process.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

class SourceViewTest : public CorraTest {
protected:
    // A document opened from a file and shown in a view of its own.
    struct Shown {
        std::unique_ptr<CSourceDoc> doc = std::make_unique<CSourceDoc>();
        std::unique_ptr<CSourceView> view = std::make_unique<CSourceView>();
        ~Shown()
        {
            if (doc)
                doc->RemoveView(view.get());
        }
    };
    std::unique_ptr<Shown> Open(const CString& path)
    {
        auto shown = std::make_unique<Shown>();
        shown->doc->m_bAutoDelete = FALSE;
        if (!shown->doc->OnOpenDocument(path))
            return nullptr;
        shown->doc->SetPathName(path, FALSE);
        shown->doc->AddView(shown->view.get());
        shown->view->OnInitialUpdate();
        return shown;
    }
};

TEST_F(SourceViewTest, WordProcessorFilesAreShownThroughATemporaryRtfThatGoesWithTheDocument)
{
    CWritingConverter converter;
    CServiceScope<IDocumentConverter> scope(DocumentConverterSlot(), converter);
    CPrivateTempFolder privateTemp;
    const struct {
        const char* file;
        int kind;
        const char* title;
        const char* failure;  // what a failed conversion says here (Word says it itself)
    } cases[] = {{"quiz.doc", CONVERTER_WORD, "Title", nullptr},
                 {"quiz.wpd", CONVERTER_WORDPERFECT, "Convert from WordPerfect", "Broken document."}};
    for (const auto& c : cases) {
        converter.fail = false;
        {
            auto shown = Open(WriteHomeFile(c.file, "not really a word processor's file"));
            ASSERT_NE(shown, nullptr) << c.file;
            EXPECT_EQ(converter.kind, c.kind) << c.file;
            EXPECT_EQ(converter.title, CString(c.title)) << c.file;
            EXPECT_EQ(shown->doc->m_csTempRtf, converter.converted) << c.file;
            EXPECT_EQ(converter.converted.Right(4), CString(".rtf")) << c.file;
            EXPECT_TRUE(fsys::Exists(converter.converted)) << c.file;
            EXPECT_EQ(shown->view->GetEditCtrl()->StreamOut(SF_TEXT), CString("Q?\na. x\nb. y")) << c.file;
            EXPECT_EQ(shown->doc->GetLineCount(), 3) << c.file;
        }
        EXPECT_FALSE(fsys::Exists(converter.converted)) << c.file;
        EXPECT_EQ(TempRtfFiles(), 0) << c.file;

        // A failed conversion fails the opening, says why once and leaves nothing behind.
        converter.fail = true;
        messageBox.calls.clear();
        CSourceDoc doc;
        doc.m_bAutoDelete = FALSE;
        EXPECT_FALSE(doc.OnOpenDocument(WriteHomeFile(CString("bad") + c.file, "x"))) << c.file;
        EXPECT_TRUE(doc.m_csTempRtf.IsEmpty()) << c.file;
        EXPECT_EQ(TempRtfFiles(), 0) << c.file;
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.file;
        if (c.failure) {
            EXPECT_EQ(messageBox.calls[0].text, CString(c.failure));
        }
    }
}

TEST_F(SourceViewTest, TheViewShowsTheFileAsTheWizardReadsIt)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* shown;
        int lines;
    };
    const Case cases[] = {
        {"plain", "one\ntwo\nthree", "one\ntwo\nthree", 3},
        {"utf-8", "caf\xc3\xa9\r\n\xe2\x82\xac 5\r\n", "caf\xe9\n\x80 5\n", 2},
        {"utf-16", std::string("\xff\xfe\x63\x00\x61\x00\x66\x00\xe9\x00\x0d\x00\x0a\x00\xac\x20\x20\x00\x35\x00\x0d\x00\x0a\x00", 24), "caf\xe9\n\x80 5\n", 2},
        {"nul bytes", std::string("a\0b", 3), "a b", 1},
        {"rtf", "{\\rtf1 {\\b Bold} text\\par second\\par}", "Bold text\nsecond", 2},
        {"empty", "", "", 0},
    };
    for (const auto& c : cases) {
        auto shown = Open(WriteHomeFile("source.txt", c.bytes));
        ASSERT_NE(shown, nullptr) << c.name;
        CHVRichEditCtrl* pEdit = shown->view->GetEditCtrl();
        EXPECT_EQ(std::string(pEdit->StreamOut(SF_TEXT).GetString()), c.shown) << c.name;
        EXPECT_EQ(shown->doc->GetLineCount(), c.lines) << c.name;
        EXPECT_FALSE(pEdit->CanUndo()) << c.name;
        EXPECT_FALSE(pEdit->isReadOnly()) << c.name;
        EXPECT_GE(pEdit->GetLimitText(), pEdit->GetTextLength()) << c.name;
        EXPECT_EQ(shown->doc->m_csDescription, CString("Exam Source File")) << c.name;
        EXPECT_EQ(shown->doc->m_csTitle, shown->doc->GetTitle()) << c.name;
        // What the wizard converts is the shown text, edits included, as RTF.
        pEdit->SetSel(0, 0);
        pEdit->ReplaceSel("Edited ");
        CString rtf;
        ASSERT_TRUE(shown->doc->GetEditText(rtf)) << c.name;
        EXPECT_EQ(rtf.Left(5), CString("{\\rtf")) << c.name;
        EXPECT_NE(rtf.Find("Edited"), -1) << c.name;
    }

    // Characters outside Windows-1252 show the same from either encoding.
    const QString expected = QString::fromUtf8("\xce\xb1 + \xce\xb2 \xf0\x9d\x91\xa5 caf\xc3\xa9");
    for (const std::string& bytes : {std::string("\xce\xb1\x20\x2b\x20\xce\xb2\x20\xf0\x9d\x91\xa5\x20\x63\x61\x66\xc3\xa9", 18), std::string("\xff\xfe\xb1\x03\x20\x00\x2b\x00\x20\x00\xb2\x03\x20\x00\x35\xd8\x65\xdc\x20\x00\x63\x00\x61\x00\x66\x00\xe9\x00", 28)}) {
        auto shown = Open(WriteHomeFile("greek.txt", bytes));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->view->GetEditCtrl()->toPlainText(), expected);
    }
}

TEST_F(SourceViewTest, SelectedWordsBecomeTheTitleOrTheDescription)
{
    struct Case {
        const char* name;
        long start, end;
        BOOL bTitle;
        int answer;
        const char* title;
        const char* description;
        const char* text;
        const char* asked;
    };
    // The text is "Photosynthesis   quiz"; the title starts as the file name.
    const Case cases[] = {
        {"title", 0, 14, TRUE, IDYES, "notes.txt Photosynthesis", "Exam Source File", "   quiz",
         "Add 'Photosynthesis' to the title?"},
        {"description, trimmed", 13, 21, FALSE, IDYES, "notes.txt", "Exam Source File s   quiz", "Photosynthesi",
         "Add 's   quiz' to the description?"},
        {"answered no", 0, 14, TRUE, IDNO, "notes.txt", "Exam Source File", "Photosynthesis   quiz",
         "Add 'Photosynthesis' to the title?"},
        {"blanks only", 14, 17, TRUE, IDYES, "notes.txt", "Exam Source File", "Photosynthesis   quiz", nullptr},
        {"nothing selected", 3, 3, FALSE, IDYES, "notes.txt", "Exam Source File", "Photosynthesis   quiz",
         "Nothing selected."},
    };
    for (const auto& c : cases) {
        auto shown = Open(WriteHomeFile("notes.txt", "Photosynthesis   quiz"));
        ASSERT_NE(shown, nullptr) << c.name;
        messageBox.calls.clear();
        messageBox.QueueAnswer(c.answer);
        shown->view->GetEditCtrl()->SetSel(c.start, c.end);
        shown->view->OnCmdMsg(c.bTitle ? ID_SOURCE_MAKE_TITLE : ID_SOURCE_MAKE_DESCRIPTION, CN_COMMAND, nullptr);
        EXPECT_EQ(shown->doc->m_csTitle, CString(c.title)) << c.name;
        EXPECT_EQ(shown->doc->m_csDescription, CString(c.description)) << c.name;
        EXPECT_EQ(shown->view->GetEditCtrl()->StreamOut(SF_TEXT), CString(c.text)) << c.name;
        if (c.asked) {
            ASSERT_EQ(messageBox.calls.size(), 1u) << c.name;
            EXPECT_EQ(messageBox.calls[0].text, CString(c.asked)) << c.name;
        } else {
            EXPECT_TRUE(messageBox.calls.empty()) << c.name;
        }
    }
}

TEST_F(SourceViewTest, ParagraphsAreCountedAsAutoConvertCutsThem)
{
    const struct {
        const char* text;
        int paragraphs;
    } cases[] = {
        {"", 0},          {"A", 1},           {"A\n\nB", 2},           {"A\nB", 1},
        {"A\n\n", 1},     {"A\r\n\r\nB\r\n", 2}, {"\n \nA\n  \n\n B\n\n\n", 2}, {"A\n\t\nB\n\nC", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountSourceParagraphs(c.text), c.paragraphs) << c.text;
}

TEST_F(SourceViewTest, PropertiesShowTheFileAndKeepWhatIsTyped)
{
    auto shown = Open(WriteHomeFile("notes.txt", "Q1\n\nQ2\n\n"));
    ASSERT_NE(shown, nullptr);
    CModalScript script;
    CString location, paragraphs;
    script.On<CSourcePropDlg>([&](CSourcePropDlg& dlg) {
        location = dlg.GetDlgItemText(IDC_SOURCE_PROP_LOCATION);
        paragraphs = dlg.GetDlgItemText(IDC_SOURCE_PROP_PARAGRAPHS);
        dlg.SetDlgItemText(IDC_SOURCE_PROP_TITLE, "Plants");
        dlg.SetDlgItemText(IDC_SOURCE_PROP_DESCRIPTION, "Week 3");
        ClickDlgButton(dlg, IDOK);
    });
    shown->view->OnCmdMsg(ID_SOURCE_PROPERTIES, CN_COMMAND, nullptr);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(location, HomePath("notes.txt"));
    EXPECT_EQ(paragraphs, CString("2"));
    EXPECT_EQ(shown->doc->m_csTitle, CString("Plants"));
    EXPECT_EQ(shown->doc->m_csDescription, CString("Week 3"));
}

TEST_F(SourceViewTest, NothingWritesOverTheSource)
{
    const std::string bytes = "1. Why?\na. yes\nb. no\n";
    const CString path = WriteHomeFile("teacher.txt", bytes);
    auto shown = Open(path);
    ASSERT_NE(shown, nullptr);
    shown->view->GetEditCtrl()->SetSel(0, 0);
    shown->view->GetEditCtrl()->ReplaceSel("Edited ");
    CTestCmdUI save;
    save.m_nID = ID_FILE_SAVE;
    shown->doc->OnCmdMsg(ID_FILE_SAVE, CN_UPDATE_COMMAND_UI, &save);
    EXPECT_FALSE(save.m_bEnabled);

    // Save As onto the source is refused; onto another file it writes the shown text as RTF.
    fileDialog.QueuePath(path);
    messageBox.calls.clear();
    EXPECT_FALSE(shown->doc->DoSave(nullptr));
    EXPECT_EQ(messageBox.calls.size(), 1u);
    const CString copy = HomePath("copy.rtf");
    EXPECT_TRUE(shown->doc->DoSave(copy));
    std::string source, written;
    ASSERT_TRUE(fsys::ReadFile(path, source));
    ASSERT_TRUE(fsys::ReadFile(copy, written));
    EXPECT_EQ(source, bytes);
    EXPECT_EQ(written.compare(0, 5, "{\\rtf"), 0);
    EXPECT_NE(written.find("Edited 1. Why?"), std::string::npos);
    EXPECT_EQ(shown->doc->GetPathName(), path);
}

TEST_F(SourceViewTest, ClosingAnEditedSourceAsksWhetherToKeepItsText)
{
    const std::string bytes = "1. Why?\na. yes\nb. no\n";
    const CString path = WriteHomeFile("teacher.txt", bytes);
    const CString copy = HomePath("kept.rtf");
    const CString asked = CString("Save changes to ") + path + "?";
    const struct {
        const char* name;
        BOOL bEdit;
        int answer;
        BOOL bChooseName;  // Save As gets a name (else it is cancelled)
        BOOL bCloses;
        BOOL bAsked;
        BOOL bKept;
    } cases[] = {
        {"opened only", FALSE, IDYES, FALSE, TRUE, FALSE, FALSE},
        {"edited, no", TRUE, IDNO, FALSE, TRUE, TRUE, FALSE},
        {"edited, cancel", TRUE, IDCANCEL, FALSE, FALSE, TRUE, FALSE},
        {"edited, yes", TRUE, IDYES, TRUE, TRUE, TRUE, TRUE},
        {"edited, yes, no name", TRUE, IDYES, FALSE, FALSE, TRUE, FALSE},
    };
    for (const auto& c : cases) {
        fsys::DeleteFile(copy);
        auto shown = Open(path);
        ASSERT_NE(shown, nullptr) << c.name;
        if (c.bEdit) {
            shown->view->GetEditCtrl()->SetSel(0, 0);
            shown->view->GetEditCtrl()->ReplaceSel("Edited ");
        }
        messageBox.calls.clear();
        if (c.bAsked)
            messageBox.QueueAnswer(c.answer);
        if (c.bChooseName)
            fileDialog.QueuePath(copy);
        EXPECT_EQ(shown->doc->SaveModified(), c.bCloses) << c.name;
        EXPECT_EQ(!messageBox.calls.empty() && messageBox.calls[0].text == asked, c.bAsked) << c.name;
        std::string kept;
        EXPECT_EQ(fsys::ReadFile(copy, kept) && kept.find("Edited 1. Why?") != std::string::npos, c.bKept != FALSE)
            << c.name;
        if (c.bKept) {
            EXPECT_FALSE(shown->doc->IsModified()) << c.name;
        }
        std::string source;
        ASSERT_TRUE(fsys::ReadFile(path, source));
        EXPECT_EQ(source, bytes) << c.name;
    }
}

TEST_F(SourceViewTest, ASaveAsThatFailsLeavesNoHalfFile)
{
    auto shown = Open(WriteHomeFile("teacher.txt", "1. Why?\na. yes\nb. no\n"));
    ASSERT_NE(shown, nullptr);
    const std::string old = "{\\rtf1 an earlier copy\\par}";
    const struct {
        const char* file;
        BOOL bThere;
    } cases[] = {{"new.rtf", FALSE}, {"earlier.rtf", TRUE}};
    for (const auto& c : cases) {
        const CString target = HomePath(c.file);
        if (c.bThere)
            WriteHomeFile(c.file, old);
        const size_t before = std::distance(std::filesystem::directory_iterator(Home().GetString()),
                                            std::filesystem::directory_iterator());
        messageBox.calls.clear();
        BOOL bSaved = TRUE;
        {
            // The disk fills up after a few bytes.
            CFileSizeLimit full(8);
            bSaved = shown->doc->DoSave(target);
        }
        EXPECT_FALSE(bSaved) << c.file;
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.file;
        EXPECT_EQ(messageBox.calls[0].text, CString("Failed to save document.\n\n") + target) << c.file;
        std::string left;
        EXPECT_EQ(fsys::ReadFile(target, left), c.bThere) << c.file;
        if (c.bThere) {
            EXPECT_EQ(left, old) << c.file;
        }
        const size_t after = std::distance(std::filesystem::directory_iterator(Home().GetString()),
                                           std::filesystem::directory_iterator());
        EXPECT_EQ(after, before) << c.file;
    }
}

// A teacher's text opened as the program opens it, in a window of its own in the main window.
class SourceWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
        m_pMain->show();
    }
    CSourceView* OpenTeacherText()
    {
        const CString text = HomePath("teacher.txt");
        EXPECT_TRUE(fsys::CopyFile(TestDataPath("autoconvert/teacher.txt"), text, FALSE));
        auto* doc = dynamic_cast<CSourceDoc*>(m_app->OpenDocumentFile(text));
        QApplication::processEvents();
        return doc ? doc->GetSourceView() : nullptr;
    }
};

TEST_F(SourceWindowTest, TheWindowTakesTheFormsSizeAsFarAsThereIsRoom)
{
    const struct {
        int width, height;  // of the main window
    } cases[] = {{1000, 740}, {560, 380}};
    for (const auto& c : cases) {
        m_pMain->resize(c.width, c.height);
        QApplication::processEvents();
        CSourceView* view = OpenTeacherText();
        ASSERT_NE(view, nullptr);
        auto* frame = dynamic_cast<QMdiSubWindow*>(view->GetParentFrame());
        ASSERT_NE(frame, nullptr);
        const QSize room = frame->mdiArea()->viewport()->size();
        EXPECT_EQ(frame->size(), frame->sizeHint().boundedTo(room)) << c.width;
        if (frame->sizeHint().width() <= room.width() && frame->sizeHint().height() <= room.height()) {
            EXPECT_EQ(view->size(), view->sizeHint()) << c.width;
        }
        m_app->CloseAllDocuments(TRUE);
    }
}

TEST_F(SourceWindowTest, ARightClickInTheTextOpensTheSourceMenuOfItsWindow)
{
    CSourceView* view = OpenTeacherText();
    ASSERT_NE(view, nullptr);
    CSourceDoc* doc = view->GetSourceDoc();
    CHVRichEditCtrl* edit = view->GetEditCtrl();
    const CString title = doc->m_csTitle;
    // "Which" picked from the first question.
    const int at = edit->StreamOut(SF_TEXT).Find("Which");
    ASSERT_GE(at, 0);
    edit->SetSel(at, at + 5);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    const QPoint local(30, 12);
    const QPoint global = edit->viewport()->mapToGlobal(local);
    QContextMenuEvent click(QContextMenuEvent::Mouse, local, global);
    QApplication::sendEvent(edit->viewport(), &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->parentWidget(), dynamic_cast<QWidget*>(view->GetParentFrame()));
    EXPECT_EQ(menu->pos(), global);
    QStringList texts;
    QAction* makeTitle = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        if (action->text() == QStringLiteral("Make &Title..."))
            makeTitle = action;
    }
    EXPECT_EQ(texts.join("|").toStdString(),
              "Make &Title...|M&ake Description...|&Undo (off)|Cu&t|&Copy|&Paste|&Delete|Properties...");
    ASSERT_NE(makeTitle, nullptr);
    messageBox.QueueAnswer(IDYES);
    makeTitle->trigger();
    menu->close();
    QApplication::processEvents();
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text, CString("Add 'Which' to the title?"));
    EXPECT_EQ(doc->m_csTitle, title + " Which");
    EXPECT_EQ(edit->StreamOut(SF_TEXT).Find("Which organelle"), -1);
    EXPECT_TRUE(doc->IsModified());
}

} // namespace
