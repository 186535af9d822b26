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
#include "tests/support/CorraTest.h"

#include <memory>
#include <string>

namespace {

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

TEST_F(SourceViewTest, AWordFileIsShownThroughATemporaryRtfThatGoesWithTheDocument)
{
    CWritingConverter converter;
    CServiceScope<IDocumentConverter> scope(DocumentConverterSlot(), converter);
    CPrivateTempFolder privateTemp;
    const int before = TempRtfFiles();
    {
        auto shown = Open(WriteHomeFile("quiz.doc", "not really a word file"));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->doc->m_csTempRtf, converter.converted);
        EXPECT_TRUE(fsys::Exists(converter.converted));
        EXPECT_EQ(shown->view->GetEditCtrl()->StreamOut(SF_TEXT), CString("Q?\na. x\nb. y"));
        EXPECT_EQ(shown->doc->GetLineCount(), 3);
    }
    EXPECT_FALSE(fsys::Exists(converter.converted));
    EXPECT_EQ(TempRtfFiles(), before);

    // A failed conversion fails the opening, says why once and leaves nothing behind.
    converter.fail = true;
    messageBox.calls.clear();
    CSourceDoc doc;
    doc.m_bAutoDelete = FALSE;
    EXPECT_FALSE(doc.OnOpenDocument(WriteHomeFile("bad.doc", "x")));
    EXPECT_TRUE(doc.m_csTempRtf.IsEmpty());
    EXPECT_EQ(TempRtfFiles(), before);
    EXPECT_EQ(messageBox.calls.size(), 1u);
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
        {"title", 0, 14, TRUE, IDYES, "notes.txtPhotosynthesis", "Exam Source File", "   quiz",
         "Add 'Photosynthesis' to the title?"},
        {"description, trimmed", 13, 21, FALSE, IDYES, "notes.txt", "Exam Source Files   quiz", "Photosynthesi",
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

} // namespace
