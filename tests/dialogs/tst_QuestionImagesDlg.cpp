#include "dialogs/QuestionImagesDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/MRUPathComboBox.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/ImageEditor.h"
#include "dialogs/QuestionDialogs.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Process.h"
#include "res/ids/QuestionTypes.h"
#include "res/ids/RichEdit.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QImage>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

CString WritePng(const CString& path, int cx, int cy)
{
    fsys::CreateDirectories(fsys::Folder(path));
    QImage image(cx, cy, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    EXPECT_TRUE(image.save(QString::fromUtf8(path.GetString()), "PNG"));
    return path;
}

std::vector<std::string> ReadLines(const CString& path)
{
    std::ifstream in(fsys::Native(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

CSize BitmapSize(const CImageView* image)
{
    return image && image->GetBitmap() ? image->GetBitmap()->GetSize() : CSize(0, 0);
}

CImageView* First(CQuestionImagesDlg& d)
{
    POSITION pos = d.Images().GetHeadPosition();
    return pos ? d.Images().GetNext(pos) : nullptr;
}

class QuestionImagesDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        doc = std::make_unique<CCorraDoc>();
        auto* q = new CCorraQuestion;
        q->m_nType = static_cast<int>(IDS_QTYPE_MC);
        q->m_cszQuestionText = "Which part of the cell holds its genes?";
        q->SetChoices("a. the wall\nb. the nucleus\nc. the membrane");
        q->m_cszAnswer = "b";
        question = doc->InsertQuestion(q);
        images = CFileTypes::GetPriDir(DT_IMAGE);
    }
    void TearDown() override
    {
        for (const char* name : {"FAKE_EDITOR_ARGS", "FAKE_EDITOR_PID", "FAKE_EDITOR_SLEEP", "FAKE_EDITOR_PICTURE",
                                 "FAKE_EDITOR_EXIT"})
            ::unsetenv(name);
        doc.reset();
        CorraTest::TearDown();
    }

    // Runs the dialog on the question; act works it as the user would.
    int Run(const std::function<void(CQuestionImagesDlg&)>& act)
    {
        CModalScript script;
        script.On<CQuestionImagesDlg>([&](CQuestionImagesDlg& d) {
            act(d);
            if (!d.IsEnded())
                d.EndDialog(IDCANCEL);
        });
        CQuestionImagesDlg dlg(question, doc.get());
        return static_cast<int>(dlg.DoModal());
    }
    static void AddFile(CQuestionImagesDlg& d, const CString& path, int radio = IDC_QI_TOP)
    {
        ClickDlgButton(d, radio);
        d.GetDlgItemAs<CMRUPathComboBox>(IDC_QI_FILE)->SetWindowText(path);
        ClickDlgButton(d, IDC_QI_ADD);
    }
    // The fake editor as the profile's image editor, run by the real process runner.
    void UseFakeEditor()
    {
        const CString script = fsys::Join(CORRA_TEST_DATA_DIR, "../support/fake_image_editor.sh");
        CorraApp().WriteProfileString("Settings", "ImageEditor", "/bin/sh \"" + script + "\" %f");
    }
    CString Said() const { return messageBox.calls.empty() ? CString() : messageBox.calls.back().text; }

    std::unique_ptr<CCorraDoc> doc;
    CCorraQuestion* question = nullptr;
    CString images;
    CQtProcessRunner runner;
};

// What Add takes and what it refuses, and where an image from outside the images folder ends up.
TEST_F(QuestionImagesDlgTest, AddTakesImagesAndRefusesWhatIsNoImage)
{
    const CString inside = WritePng(images + "inside.png", 40, 30);
    const CString outside = WritePng(HomePath("Elsewhere/outside.png"), 40, 30);
    // Beside the images folder, its name starting the same: outside.
    const CString beside = WritePng(images.Left(images.GetLength() - 1) + " Old/beside.png", 40, 30);
    const CString folder = HomePath("Elsewhere/folder.png");
    fsys::CreateDirectories(folder);
    const CString fifo = HomePath("Elsewhere/pipe.png");
    ASSERT_EQ(::mkfifo(fsys::Native(fifo).c_str(), 0600), 0);
    struct Case {
        const char* what;
        CString path;
        int answer;        // to the import question; 0: none asked
        int added;
        const char* said;  // the start of the last message; empty: none
        CString file;      // the added image's file
    };
    const Case cases[] = {
        {"in the images folder", inside, 0, 1, "", inside},
        {"outside, imported", outside, IDYES, 1, "", images + "outside.png"},
        {"outside, not imported", outside, IDNO, 0, "The file\n\n", CString()},
        {"beside the images folder", beside, IDNO, 0, "The file\n\n", CString()},
        {"a folder", folder, 0, 0, "Not a readable image file", CString()},
        {"a pipe", fifo, 0, 0, "Not a readable image file", CString()},
        {"not there", HomePath("Elsewhere/gone.png"), 0, 0, "CQuestionImagesDlg::OnBtnAdd() - file does not exist",
         CString()},
        {"nothing typed", CString(), 0, 0, "Nothing to add.", CString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fsys::DeleteFile(images + "outside.png");
        messageBox.calls.clear();
        if (c.answer)
            messageBox.QueueAnswer(c.answer);
        int count = -1;
        CString file;
        BOOL modified = FALSE;
        Run([&](CQuestionImagesDlg& d) {
            AddFile(d, c.path, IDC_QI_BELOW_CHOICES);
            count = d.Images().GetCount();
            if (CImageView* image = First(d)) {
                file = image->m_csFile;
                EXPECT_EQ(image->m_nPos, IP_BELOW_CHOICES);
            }
            modified = d.IsModified();
        });
        EXPECT_EQ(count, c.added);
        EXPECT_EQ(modified, c.added > 0);
        EXPECT_EQ(file, c.file);
        if (*c.said) {
            EXPECT_EQ(Said().Left(static_cast<int>(std::strlen(c.said))), CString(c.said));
        }
        if (c.answer) {
            ASSERT_FALSE(messageBox.calls.empty());
            EXPECT_NE(messageBox.calls[0].text.Find("is not located in the Quorvale IMAGES directory area"), -1);
        }
        if (!*c.said && !c.answer) {
            EXPECT_TRUE(messageBox.calls.empty()) << Said().GetString();
        }
    }
}

// A band that is full refuses one more image, naming the band.
TEST_F(QuestionImagesDlgTest, AnImageWithoutRoomIsRefusedWithItsPosition)
{
    const CString wide = WritePng(images + "wide.png", 400, 100);
    int count = -1;
    Run([&](CQuestionImagesDlg& d) {
        AddFile(d, wide);
        ASSERT_EQ(d.Images().GetCount(), 1);
        ASSERT_TRUE(messageBox.calls.empty()) << Said().GetString();
        AddFile(d, wide);
        count = d.Images().GetCount();
    });
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Said(), CString("Not enough room to add image to this section:  ") + CImageData::GetPosInt2StrEng(IP_TOP));
}

// OK hands the images to the document, which stores them; Cancel of a changed dialog asks first.
TEST_F(QuestionImagesDlgTest, OkStoresTheImagesInTheDocumentAndCancelAsks)
{
    const CString picture = WritePng(images + "cell.png", 30, 30);
    doc->SetModifiedFlag(FALSE);
    messageBox.QueueAnswer(IDNO);
    EXPECT_EQ(Run([&](CQuestionImagesDlg& d) {
                  AddFile(d, picture);
                  ClickDlgButton(d, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(Said(), CString("Save changes?"));
    CPtrList stored;
    EXPECT_EQ(question->GetImages(stored), 0);
    EXPECT_FALSE(doc->IsModified());

    EXPECT_EQ(Run([&](CQuestionImagesDlg& d) {
                  EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled());
                  AddFile(d, picture, IDC_QI_LEFT);
                  EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
                  ClickDlgButton(d, IDOK);
              }),
              IDOK);
    ASSERT_EQ(question->GetImages(stored), 1);
    const auto* image = static_cast<CImageData*>(stored.GetHead());
    EXPECT_EQ(image->m_csFile, picture);
    EXPECT_EQ(image->m_nPos, IP_LEFT);
    EXPECT_DOUBLE_EQ(image->m_dSize, 20.0);
    EXPECT_TRUE(doc->IsModified());
}

// Images stored on a question the editor shows reach the editor's copy: its Modify, storing
// what was typed there, keeps them.
TEST_F(QuestionImagesDlgTest, TheEditorShowingTheQuestionKeepsImagesStoredMeanwhile)
{
    CQuestionDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CCorraQuestionDlg& editor = dialogs.Editor(*doc);
    editor.SetQuestion(question);
    const CString picture = WritePng(images + "cell.png", 30, 30);
    Run([&](CQuestionImagesDlg& d) {
        AddFile(d, picture);
        ClickDlgButton(d, IDOK);
    });
    editor.QuestionPane()->SetText("Which part of a cell holds its genes?", SF_TEXT);
    ASSERT_TRUE(editor.OnModify());
    CPtrList stored;
    ASSERT_EQ(question->GetImages(stored), 1);
    EXPECT_EQ(static_cast<CImageData*>(stored.GetHead())->m_csFile, picture);
    EXPECT_NE(question->m_cszQuestionText.Find("a cell"), -1);
}

// The spins keep to their ranges, and a typed size outside 1..80 does not pass.
TEST_F(QuestionImagesDlgTest, SizesKeepToTheirRange)
{
    question->AddImage(WritePng(images + "a.png", 30, 30), IP_TOP, 0, 2.0, 0.0);
    Run([&](CQuestionImagesDlg& d) {
        d.Select(First(d));
        for (int i = 0; i < 3; ++i)
            d.OnSpin(IDC_QI_SIZE_SPIN, -1);
        EXPECT_DOUBLE_EQ(First(d)->m_dSize, 1.0);
        EXPECT_EQ(d.GetDlgItemText(IDC_QI_SIZE), CString("1"));
        d.OnSpin(IDC_QI_MARGIN_SPIN, 9);
        EXPECT_DOUBLE_EQ(First(d)->m_dMargin, 5.0);
        d.OnSpin(IDC_QI_BRIGHTNESS_SPIN, -400);
        EXPECT_EQ(First(d)->m_nBrightness, -255);
        d.SetDlgItemText(IDC_QI_SIZE, "0");
        EXPECT_DOUBLE_EQ(First(d)->m_dSize, 1.0);
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(IDC_QI_SIZE, "12");
        EXPECT_DOUBLE_EQ(First(d)->m_dSize, 12.0);
    });
}

// Shift moves the selected image past its neighbour at the same position only.
TEST_F(QuestionImagesDlgTest, ShiftSwapsNeighboursOfOnePosition)
{
    for (const char* name : {"one.png", "left.png", "two.png"})
        question->AddImage(WritePng(images + name, 20, 20), CString(name) == "left.png" ? IP_LEFT : IP_TOP, 0,
                           10.0, 0.0);
    std::vector<CString> order;
    Run([&](CQuestionImagesDlg& d) {
        POSITION pos = d.Images().GetHeadPosition();
        d.Images().GetNext(pos);
        d.Images().GetNext(pos);
        d.Select(d.Images().GetNext(pos));  // two.png
        EXPECT_TRUE(d.GetDlgItem(IDC_QI_SHIFT_ALONG)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_QI_SHIFT_ACROSS)->isEnabled());
        d.OnSpin(IDC_QI_SHIFT_ALONG, 1);
        for (pos = d.Images().GetHeadPosition(); pos;)
            order.push_back(fsys::FileName(d.Images().GetNext(pos)->m_csFile));
    });
    EXPECT_EQ(order, (std::vector<CString>{"two.png", "left.png", "one.png"}));
}

// The link check's repairs reach the dialog's own images, so an image added and not yet stored
// stays.
TEST_F(QuestionImagesDlgTest, SearchRelinksAndKeepsAnUnsavedImage)
{
    const CString gone = images + "gone.png";
    question->AddImage(gone, IP_TOP, 0, 20.0, 0.0);
    const CString found = WritePng(HomePath("Found/gone.png"), 24, 24);
    const CString added = WritePng(images + "added.png", 24, 24);
    CFakeDocumentDialogs dialogs;
    dialogs.relinks = {{gone, found}};
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    std::vector<CString> files;
    Run([&](CQuestionImagesDlg& d) {
        EXPECT_FALSE(d.GetDlgItem(IDC_QI_SEARCH)->isHidden());
        AddFile(d, added);
        ClickDlgButton(d, IDC_QI_SEARCH);
        for (POSITION pos = d.Images().GetHeadPosition(); pos;)
            files.push_back(d.Images().GetNext(pos)->m_csFile);
        EXPECT_EQ(d.Images().CountMissingFiles(), 0);
        EXPECT_TRUE(d.GetDlgItem(IDC_QI_SEARCH)->isHidden());
    });
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"links"});
    EXPECT_EQ(files, (std::vector<CString>{found, added}));
}

// A screen of 8 bits per pixel or fewer is warned of once, shortly after the dialog opens.
TEST_F(QuestionImagesDlgTest, ALowColourScreenIsWarnedOfOnce)
{
    for (int bits : {8, 16}) {
        SCOPED_TRACE(bits);
        screen.info.nBitsPerPixel = bits;
        richBox.calls.clear();
        Run([&](CQuestionImagesDlg&) {
            RunEventsUntil([&] { return !richBox.calls.empty(); }, bits == 8 ? 2000 : 400);
            RunEventsUntil([] { return false; }, 300);
        });
        if (bits > 8) {
            EXPECT_TRUE(richBox.calls.empty());
            continue;
        }
        ASSERT_EQ(richBox.calls.size(), 1u);
        EXPECT_EQ(richBox.calls[0].title, CString("Color warning..."));
        EXPECT_EQ(richBox.calls[0].dontShowKey, CString("QIDDontShowColorWarn"));
        EXPECT_NE(richBox.calls[0].pane[0].Find("(8 bits per pixel)"), -1);
    }
}

TEST(ImageEditorCommand, SplitsWithoutAShell)
{
    const CString file = "/home/t/My Images/it's \"a\" cell.png";
    struct Case {
        const char* command;
        BOOL ok;
        const char* program;
        std::vector<CString> arguments;
    };
    const Case cases[] = {
        {"kolourpaint %f", TRUE, "kolourpaint", {file}},
        {"gimp", TRUE, "gimp", {file}},
        {"  \"/opt/paint tools/bin/paint\"   --open=%f --new ", TRUE, "/opt/paint tools/bin/paint",
         {"--open=" + file, "--new"}},
        {"sh -c 'rm -rf ~' %f", TRUE, "sh", {"-c", "'rm", "-rf", "~'", file}},
        {"", FALSE, "", {}},
        {"   ", FALSE, "", {}},
        {"\"paint %f", FALSE, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CString program;
        std::vector<CString> arguments;
        EXPECT_EQ(ParseImageEditorCommand(c.command, file, program, arguments), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(program, CString(c.program));
        EXPECT_EQ(arguments, c.arguments);
    }
}

// An editor that cannot run says where it is set.
TEST_F(QuestionImagesDlgTest, EditWithoutAnEditorSaysWhereToSetOne)
{
    CServiceScope<IProcessRunner> running(ProcessRunnerSlot(), runner);
    question->AddImage(WritePng(images + "a.png", 20, 20), IP_TOP, 0, 20.0, 0.0);
    for (const char* command : {"", "\"unclosed %f", "no-such-image-editor-here %f"}) {
        SCOPED_TRACE(command);
        CorraApp().WriteProfileString("Settings", "ImageEditor", command);
        messageBox.calls.clear();
        int editors = -1;
        Run([&](CQuestionImagesDlg& d) {
            d.Select(First(d));
            ClickDlgButton(d, IDC_QI_EDIT);
            editors = d.GetEditorCount();
        });
        EXPECT_EQ(editors, 0);
        EXPECT_EQ(Said(), CString(kNoImageEditorMessage));
    }
}

// The editor gets the image as one argument, however it is named; exit 0 reloads the image and
// lays it out again (a file the editor broke shows the broken mark), any other code leaves it as
// it was.
TEST_F(QuestionImagesDlgTest, TheEditorsExitCodeDecidesWhetherTheImageReloads)
{
    CServiceScope<IProcessRunner> running(ProcessRunnerSlot(), runner);
    UseFakeEditor();
    const CString file = images + "My Cells/it's \"a\" cell.png";
    const CString replacement = WritePng(HomePath("replacement.png"), 60, 30);
    const CString broken = WriteHomeFile("broken.png", "not a picture");
    question->AddImage(file, IP_TOP, 0, 20.0, 0.0);
    const CString argsFile = HomePath("editor-args.txt");
    ::setenv("FAKE_EDITOR_ARGS", argsFile, 1);
    struct Case {
        int code;
        CString picture;
        bool reloaded;
        bool broken;
    };
    const Case cases[] = {{1, replacement, false, false}, {0, replacement, true, false}, {0, broken, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        WritePng(file, 20, 20);
        fsys::DeleteFile(argsFile);
        ::setenv("FAKE_EDITOR_EXIT", std::to_string(c.code).c_str(), 1);
        ::setenv("FAKE_EDITOR_PICTURE", c.picture, 1);
        CSize before, after;
        CRect placeBefore, placeAfter;
        BOOL bBroken = FALSE;
        Run([&](CQuestionImagesDlg& d) {
            d.Select(First(d));
            before = BitmapSize(First(d));
            placeBefore = First(d)->m_rcPlace;
            ClickDlgButton(d, IDC_QI_EDIT);
            EXPECT_EQ(d.GetEditorCount(), 1);
            ASSERT_TRUE(RunEventsUntil([&] { return fsys::Exists(argsFile); }, 5000));
            // The completion, when there is one, arrives within the worker's loop.
            RunEventsUntil([&] { return First(d)->GetBitmap()->IsBroken() || BitmapSize(First(d)) != before; },
                           c.reloaded ? 3000 : 1500);
            after = BitmapSize(First(d));
            placeAfter = First(d)->m_rcPlace;
            bBroken = First(d)->GetBitmap()->IsBroken();
        });
        EXPECT_EQ(ReadLines(argsFile), std::vector<std::string>{file.GetString()});
        EXPECT_EQ(before, CSize(20, 20));
        EXPECT_EQ(bBroken, c.broken);
        if (!c.reloaded) {
            EXPECT_EQ(after, before);
            EXPECT_EQ(placeAfter, placeBefore);
        } else if (!c.broken) {
            EXPECT_EQ(after, CSize(60, 30));
            EXPECT_NE(placeAfter.Width() * placeBefore.Height(), placeBefore.Width() * placeAfter.Height());
        }
    }
}

// Closing the dialog does not wait for the editor, nor end it; an image deleted while its
// editor runs is not touched when the editor ends.
TEST_F(QuestionImagesDlgTest, TheDialogNeitherWaitsForNorEndsItsEditors)
{
    CServiceScope<IProcessRunner> running(ProcessRunnerSlot(), runner);
    UseFakeEditor();
    const CString pidFile = HomePath("editor.pid");
    const CString argsFile = HomePath("editor-args.txt");
    ::setenv("FAKE_EDITOR_PID", pidFile, 1);
    ::setenv("FAKE_EDITOR_ARGS", argsFile, 1);
    question->AddImage(WritePng(images + "a.png", 20, 20), IP_TOP, 0, 20.0, 0.0);

    ::setenv("FAKE_EDITOR_SLEEP", "2", 1);
    auto closed = std::chrono::steady_clock::now();
    {
        CModalScript script;
        script.On<CQuestionImagesDlg>([&](CQuestionImagesDlg& d) {
            d.Select(First(d));
            ClickDlgButton(d, IDC_QI_EDIT);
            ASSERT_TRUE(RunEventsUntil([&] { return fsys::Exists(pidFile); }, 5000));
            closed = std::chrono::steady_clock::now();
            d.EndDialog(IDCANCEL);
        });
        CQuestionImagesDlg dlg(question, doc.get());
        dlg.DoModal();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(1000));
    std::ifstream pid(fsys::Native(pidFile));
    long editor = 0;
    pid >> editor;
    ASSERT_GT(editor, 0);
    EXPECT_EQ(::kill(static_cast<pid_t>(editor), 0), 0) << "the editor was ended with the dialog";

    // Deleted while it runs: the completion finds no image.
    // Its own file: the first editor still sleeps and writes its own later.
    const CString argsFile2 = HomePath("editor-args-2.txt");
    ::setenv("FAKE_EDITOR_ARGS", argsFile2, 1);
    ::setenv("FAKE_EDITOR_SLEEP", "0.3", 1);
    int count = -1;
    Run([&](CQuestionImagesDlg& d) {
        d.Select(First(d));
        ClickDlgButton(d, IDC_QI_EDIT);
        ClickDlgButton(d, IDC_QI_DELETE);
        ASSERT_TRUE(RunEventsUntil([&] { return fsys::Exists(argsFile2); }, 5000));
        // The worker sees the editor's end within 1.1 s.
        RunEventsUntil([] { return false; }, 1500);
        count = d.Images().GetCount();
    });
    EXPECT_EQ(count, 0);
    CStringList lines;
    FlushLogBuffer();
    GetLogLines(lines, TRUE);
    BOOL skipped = FALSE;
    for (POSITION pos = lines.GetHeadPosition(); pos;) {
        if (lines.GetNext(pos).Find("CQuestionImagesDlg::OnEndThread() - bad piv pointer") >= 0)
            skipped = TRUE;
    }
    EXPECT_TRUE(skipped);
}

} // namespace

namespace {

// Test prints into plain documents; what each preview was shown of is kept.
class CFakeTestPrint : public IQuestionTestPrint {
public:
    CCorraDoc* NewTestDocument() override
    {
        if (bThrow)
            throw std::runtime_error("no printer");
        auto* pDoc = new CCorraDoc;
        made.emplace_back(pDoc);
        return pDoc;
    }
    BOOL PreviewTestDocument(CCorraDoc& doc) override
    {
        CPtrList images;
        const auto* q = doc.GetQuestionCount() == 1 ? static_cast<CCorraQuestion*>(doc.m_plQuestions.GetHead()) : nullptr;
        previews.push_back(q ? q->GetImages(images) : -1);
        return bPreviews;
    }
    BOOL bThrow = FALSE;
    BOOL bPreviews = TRUE;
    std::vector<CDocumentRef> made;
    std::vector<int> previews;  // images of the one question previewed; -1 another document
};

} // namespace

TEST_F(QuestionImagesDlgTest, TestPrintIsThereOnceTheProgramPreviews)
{
    Run([](CQuestionImagesDlg& d) { EXPECT_FALSE(d.GetDlgItem(IDC_QI_TEST_PRINT)->isEnabled()); });
    CFakeTestPrint printer;
    CServiceScope<IQuestionTestPrint> installed(QuestionTestPrintSlot(), printer);
    Run([](CQuestionImagesDlg& d) { EXPECT_TRUE(d.GetDlgItem(IDC_QI_TEST_PRINT)->isEnabled()); });
}

// Each test print previews the images as they stand in the dialog in a document of its own,
// which the next test print or the dialog's end closes; the question itself is left alone.
TEST_F(QuestionImagesDlgTest, TestPrintShowsUnsavedImagesInADocumentOfItsOwn)
{
    CFakeTestPrint printer;
    CServiceScope<IQuestionTestPrint> installed(QuestionTestPrintSlot(), printer);
    const CString picture = WritePng(images + "cell.png", 30, 30);
    doc->SetModifiedFlag(FALSE);
    Run([&](CQuestionImagesDlg& d) {
        AddFile(d, picture);
        ClickDlgButton(d, IDC_QI_TEST_PRINT);
        ASSERT_EQ(printer.made.size(), 1u);
        CCorraDoc* first = d.GetTestDocument();
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(printer.made[0].Is(first));
        EXPECT_FALSE(first->IsModified());
        ASSERT_EQ(first->GetQuestionCount(), 1);
        EXPECT_EQ(static_cast<CCorraQuestion*>(first->m_plQuestions.GetHead())->m_cszQuestionText,
                  question->m_cszQuestionText);

        AddFile(d, picture, IDC_QI_LEFT);
        ClickDlgButton(d, IDC_QI_TEST_PRINT);
        EXPECT_EQ(printer.made[0].Get(), nullptr) << "the earlier test document stays open";
        EXPECT_NE(printer.made[1].Get(), nullptr);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(printer.previews, (std::vector<int>{1, 2}));
    ASSERT_EQ(printer.made.size(), 2u);
    EXPECT_EQ(printer.made[1].Get(), nullptr) << "the last test document outlives the dialog";
    CPtrList stored;
    EXPECT_EQ(question->GetImages(stored), 0);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(QuestionImagesDlgTest, AFailedTestPrintIsTold)
{
    CFakeTestPrint printer;
    CServiceScope<IQuestionTestPrint> installed(QuestionTestPrintSlot(), printer);
    for (const BOOL bThrow : {TRUE, FALSE}) {
        SCOPED_TRACE(bThrow ? "the document cannot be made" : "the preview does not open");
        printer.bThrow = bThrow;
        printer.bPreviews = FALSE;
        messageBox.calls.clear();
        Run([&](CQuestionImagesDlg& d) {
            ClickDlgButton(d, IDC_QI_TEST_PRINT);
            EXPECT_EQ(Said(), CString("Failed to test print."));
        });
    }
}
