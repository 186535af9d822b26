// Shows one of the program's windows with realistic content, waits until the screen shows it,
// and saves what the screen shows as a PNG. scripts/screenshots.sh runs it for every scene
// under a virtual X server.
//
// Usage: corra_show_windows --list
//        corra_show_windows <scene> <file.png>
//
// A new window is one more entry in Scenes(): build the window, fill it, and hand it to
// Shoot (a modeless window or a plain control) or run it modally (the dialog hook shoots it).

#include "app/AboutDlg.h"
#include "app/BitmapPickerDlg.h"
#include "app/Pictures.h"
#include "app/SupportDlg.h"
#include "controls/BitmapPathDlg.h"
#include "app/CorraApp.h"
#include "app/DocTypeDlg.h"
#include "app/FolderSetupDlg.h"
#include "app/ProgramDataDlg.h"
#include "app/MainFrm.h"
#include "app/Splash.h"
#include "app/StartupSettingsDlg.h"
#include "app/TipDlg.h"
#include "controls/FloatEditTB.h"
#include "platform/core/ProgramHome.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "controls/HVMsgBox.h"
#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "controls/PromptDlg.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/EditFileListDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/AddFormsDlg.h"
#include "dialogs/ChoicesFormatDlg.h"
#include "dialogs/CorraPropertiesDlg.h"
#include "dialogs/SaveCollectionAsDlg.h"
#include "dialogs/SaveCollectionsDlg.h"
#include "dialogs/SelectFormsDlg.h"
#include "model/ExamDialogs.h"
#include "res/ids/ManageDialogs.h"
#include "dialogs/ImportFilesDlg.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "dialogs/QuestionImagesDlg.h"
#include "dialogs/SetQuestionAttributesDlg.h"
#include "dialogs/QuestionSearchDlg.h"
#include "res/ids/QuestionSearch.h"
#include "dialogs/InstructionsDlg.h"
#include "dialogs/ImageLinkSheet.h"
#include "dialogs/LinkSheet.h"
#include "model/ImageData.h"
#include "res/ids/LinkSheets.h"
#include "dialogs/InvalidQuestionsMsgBox.h"
#include "print/FontMgrDlg.h"
#include "print/SetDocumentFontsDlg.h"
#include "res/ids/FontDialogs.h"
#include "views/StatsDlg.h"
#include "views/KeysDlg.h"
#include "res/ids/QuestionTools.h"
#include "model/ExamDoc.h"
#include "import/ACAttrDlg.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "import/SourceView.h"
#include "model/ExamQuestion.h"
#include "controls/MRUPathComboBox.h"
#include "platform/ui/ListBox.h"
#include "dialogs/TextbooksDlg.h"
#include "dialogs/DupCollectionsDlg.h"
#include "dialogs/GroupsDlg.h"
#include "model/CorraDoc.h"
#include "model/SampleBank.h"
#include "model/CorraQuestion.h"
#include "res/ids/App.h"
#include "res/ids/QuestionDlg.h"
#include "res/ids/QuestionTypes.h"
#include "foundation/CorraAppBase.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/StringTable.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DC.h"
#include "platform/ui/Print.h"
#include "platform/ui/PrintPreview.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ShellOps.h"
#include "platform/ui/View.h"
#include "print/ExamPrintPages.h"
#include "print/ExportContext.h"
#include "print/ExportDialog.h"
#include "platform/ui/MDIFrameWnd.h"
#include "views/CorraView.h"
#include "print/HtmlSettingsDlg.h"
#include "print/PageMarginsDlg.h"
#include "tests/support/CorraPanes.h"
#include "views/CorraPreviewView.h"
#include "views/ExamView.h"
#include "model/HtmlSettings.h"
#include "res/ids/Html.h"
#include "res/ids/Shell.h"
#include "shell/FileFindExDlg.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "views/CollListCtrl.h"
#include "platform/ui/FrameWnd.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string g_out;
bool g_saved = false;

// Lets the window be mapped and painted.
void Settle()
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Saves the window as the screen shows it (the widget's own rendering where the screen cannot
// be read).
void Shoot(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
    Settle();
    QPixmap shot;
    if (QScreen* screen = w->screen())
        shot = screen->grabWindow(w->winId());
    if (shot.isNull())
        shot = w->grab();
    g_saved = shot.save(QString::fromStdString(g_out), "PNG");
    std::printf("%s: %dx%d (device pixel ratio %.2f)\n", g_out.c_str(), shot.width(), shot.height(),
                w->devicePixelRatioF());
}

// Saves the part of the screen that several windows cover.
void ShootArea(const std::vector<QWidget*>& windows)
{
    QRect area;
    for (QWidget* w : windows) {
        w->show();
        area = area.united(w->frameGeometry());
    }
    Settle();
    QScreen* screen = windows.front()->screen();
    QPixmap shot = screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap();
    g_saved = shot.save(QString::fromStdString(g_out), "PNG");
    std::printf("%s: %dx%d\n", g_out.c_str(), shot.width(), shot.height());
}

// The command id of the symbol of that name.
UINT SymbolId(const char* name)
{
    for (const SymbolPalette& p : SymbolPalettes())
        for (const SymbolEntry& e : p.symbols)
            if (std::strcmp(e.name, name) == 0)
                return e.id;
    return 0;
}

// Shoots every modal dialog when it opens, then closes it.
class CShootingHook : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override
    {
        Shoot(&dlg);
        dlg.EndDialog(IDCANCEL);
    }
};

// Prepares the next modal dialog (selects what a user would have), then shoots it.
class CPreparedShot : public IModalRunHook {
public:
    explicit CPreparedShot(std::function<void(CDialog&)> prepare) : m_prepare(std::move(prepare)) {}
    void RunModal(CDialog& dlg) override
    {
        Settle();
        m_prepare(dlg);
        Shoot(&dlg);
        dlg.EndDialog(IDCANCEL);
    }

private:
    std::function<void(CDialog&)> m_prepare;
};

struct Scene {
    const char* name;
    std::function<void()> show;
};

const char* const kQuestionRtf =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
    "\\pard\\li360\\fi-360\\f0\\fs20 12.\\tab Which of the following best explains why the inside of a "
    "parked car gets much hotter than the outside air on a sunny day?\\par"
    "\\pard\\li720\\fi-360 A.\\tab Sunlight heats the metal roof, which conducts heat inward.\\par"
    "B.\\tab Visible light passes through the windows and is absorbed; the warmed surfaces give off "
    "infrared radiation that the glass does not let out again.\\par"
    "C.\\tab The engine keeps giving off heat after it is turned off.\\par"
    "D.\\tab Air pressure inside the closed car rises and heats the air.\\par}";

// Terms with their meanings on the line after a break, lined up by a tab.
const char* const kTermsRtf =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
    "\\pard\\li360\\fi-360\\f0\\fs20 13.\\tab Match each way heat moves with what it is.\\par"
    "\\pard\\li1080\\fi-360 A.\\tab Conduction\\line\\tab heat passing through a solid from particle to particle\\par"
    "B.\\tab Convection\\line\\tab heat carried along by a moving liquid or gas\\par"
    "C.\\tab Radiation\\line\\tab heat sent out as infrared light, even through empty space\\par}";

// A teacher's banks in the program home: a few folders of banks with their headers.
CString MakeBanks()
{
    CString root = fsys::NormalizeSeparators(std::getenv("CORRA_HOME") ? std::getenv("CORRA_HOME") : "/tmp");
    struct Bank {
        const char* path;
        int count;
        int collections;
        const char* id;
    } banks[] = {
        {"QCorras/Physics Unit 3 - Thermal Energy.crr", 48, 3, "CID_1204_88"},
        {"QCorras/Physics Unit 4 - Waves and Sound.crr", 36, 2, "CID_1204_91"},
        {"QCorras/Chemistry - Atomic Structure.crr", 62, 0, "CID_0977_12"},
        {"QCorras/Biology 101 Cells.crr", 125, 8, "CID_2210_03"},
        {"QCorras/Final Review.CRR", 210, 12, "CID_3001_45"},
        {"QCorras/Damaged copy.crr", 0, 0, nullptr},
        {"QCorras/Archive 2024/Midterm Pool.crr", 80, 4, "CID_0412_77"},
        {"QCorras/Archive 2024/Quiz Bank A.crr", 20, 0, "CID_0412_78"},
        {"QCorras/Shared/Department Bank.crr", 340, 21, "CID_5555_01"},
        {"QCorras/Shared/Science Department/Grade 10/Department Bank.crr", 96, 5, "CID_5555_02"},
        {"QCorras/Archive 2024/Spring Term/Department Bank.crr", 12, 0, "CID_5555_03"},
        {"Exams/Midterm.exm", 30, 0, "CID_7000_01"},
    };
    for (const Bank& b : banks) {
        std::string text = b.id ? CString::Formatted("BEGIN HEADER\r\nCOUNT:%d\r\nNUMCOLLECTIONS:%d\r\n"
                                                     "CORRAID: {%s}\r\nEND HEADER\r\n\r\n",
                                                     b.count, b.collections, b.id)
                                      .str()
                                : std::string("\x01\x02 damaged");
        CString path = fsys::Join(root, b.path);
        fsys::CreateDirectories(fsys::Folder(path));
        fsys::WriteFile(path, text.data(), text.size());
    }
    fsys::CreateDirectories(fsys::Join(root, "QCorras/Empty Folder"));
    return root;
}

// The folder tree and the file list side by side, as the file chooser shows them.
void ShowTreeAndList(BOOL bTreeFocus)
{
    CString root = MakeBanks();
    auto* wnd = new CWidgetWnd;
    wnd->setWindowTitle("Open Question Corra File");
    auto* tree = new CFolderTreeCtrl(wnd);
    tree->SetStyle(103, FALSE);
    tree->SetRootFolder(root, FALSE);
    tree->m_csTopLevelFilter = "QCorras";
    tree->m_csExtFilter = CFileTypes::Type2Ext(DT_CORRA, TRUE);
    auto* list = new CHVListCtrl(wnd);
    list->SetDocType(DT_CORRA);
    list->SetSingleSelection(FALSE);
    list->AddFromDirectory(fsys::Join(root, "QCorras"), CFileTypes::Type2Ext(DT_CORRA, FALSE));
    list->OnColumnClick(0);
    list->OnColumnClick(0);
    list->SelectItem(list->FindItemByName("Physics Unit 3 - Thermal Energy.crr"));
    auto* layout = new QHBoxLayout(wnd);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Folders"));
    left->addWidget(tree);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Files currently in selected directory (or already open)"));
    right->addWidget(list);
    layout->addLayout(left, 2);
    layout->addLayout(right, 5);
    wnd->resize(760, 340);
    QApplication::processEvents();
    tree->SelectPath(fsys::Join(root, "QCorras/Archive 2024"), TRUE);
    tree->SelectPath(fsys::Join(root, "QCorras/Physics Unit 3 - Thermal Energy.crr"));
    if (bTreeFocus)
        tree->setFocus();
    else
        list->setFocus();
    Shoot(wnd);
}

// The file properties of a bank, or of an exam with its linked banks.
void ShowDocumentProperties(BOOL bExam)
{
    CString root = MakeBanks();
    CExamFileProperties exam;
    CFileProperties bank;
    CFileProperties& props = bExam ? exam : bank;
    props.title1 = bExam ? "Physics 1" : "Physics Unit 3";
    props.title2 = bExam ? "Midterm Exam - Heat and Waves" : "Thermal energy: heat, temperature and how heat moves";
    props.questionCount = bExam ? "30" : "45";
    props.collectionCount = bExam ? "4" : "3";
    props.corraId = bExam ? "" : "CID_1204_88";
    props.path = fsys::Join(root, bExam ? "Exams/Midterm.exm" : "QCorras/Physics Unit 3 - Thermal Energy.crr");
    if (bExam) {
        for (const char* linked : {"QCorras/Physics Unit 3 - Thermal Energy.crr",
                                   "QCorras/Physics Unit 4 - Waves and Sound.crr", "QCorras/Shared/Department Bank.crr"})
            props.linkedFiles.Add(fsys::Join(root, linked));
    }
    RunFilePropertiesDialog(props);
}

// Files found in several folders, as the Find File dialog lists them: long folders keep their
// last name.
void ShowFoundFiles()
{
    CString root = MakeBanks();
    auto* list = new CHVListCtrl;
    list->setWindowTitle("Find File - Department Bank.crr");
    list->SetDocType(DT_CORRA);
    CStringArray found;
    for (const char* p : {"QCorras/Shared/Department Bank.crr",
                          "QCorras/Shared/Science Department/Grade 10/Department Bank.crr",
                          "QCorras/Archive 2024/Spring Term/Department Bank.crr"})
        found.Add(fsys::Join(root, p));
    list->AddFiles(found);
    list->SelectItem(1);
    list->resize(420, 120);
    Shoot(list);
}

const char* const kTips =
    "; Tips of the day: one a line.\r\n"
    "You can drag questions from one Question Corra into another to copy them, keeping their "
    "subjects, chapters and images.\r\n"
    "Press Ctrl+M at any time to return to the main menu.\r\n";

// The main window as the program shows it with the sample bank open: its frame, a second one
// beside it, and a collection.
// The program started quietly (no welcome, splash, boiler plate or tip) in the program home,
// shown at w by h; NULL when it did not start. Left to the end of the process: its windows go
// with the application's.
CMainFrame* StartQuietly(std::vector<CString> arguments, int w, int h)
{
    CString home = GetProgramHome();
    const char* ini = "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\nBoilerPlateAtStartup=0\n"
                      "[Tip]\nStartUp=0\n";
    fsys::WriteFile(home + "Corra.ini", ini, std::strlen(ini));
    auto* app = new CCorraApp;
    if (!arguments.empty())
        app->SetArguments(std::move(arguments));
    if (!app->InitInstance())
        return nullptr;
    CMainFrame* pMain = app->GetMainFrame();
    pMain->resize(w, h);
    pMain->show();
    return pMain;
}

// The program started as a teacher starts it, with the sample bank open in a main window of
// 1100 x 760; NULL when it cannot start.
CCorraApp* StartWithSampleBank(CString& bank)
{
    // As the program starts: question texts in RTF are drawn as rich text.
    InstallRtfTextDrawer();
    bank = GetProgramHome() + "Biology.crr";
    fsys::CopyFile(CORRA_SOURCE_DIR "/samples/Biology.crr", bank, FALSE);
    return StartQuietly({bank}, 1100, 760) ? static_cast<CCorraApp*>(AfxGetApp()) : nullptr;
}

// The bank's first multiple-choice question, or NULL.
CCorraQuestion* FirstMultipleChoice(CCorraDoc& doc)
{
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
        if (q->m_nType == static_cast<int>(IDS_QTYPE_MC))
            return q;
    }
    return nullptr;
}

void ShowMainWindow(BOOL bEditor = FALSE)
{
    CString bank;
    CCorraApp* app = StartWithSampleBank(bank);
    if (!app)
        return;
    CMainFrame* pMain = app->GetMainFrame();
    auto* doc = dynamic_cast<CCorraDoc*>(app->FindOpenDocument(bank, FALSE));
    if (bEditor && doc) {
        // The bank with its question editor open on a multiple-choice question.
        CCorraQuestion* shown = FirstMultipleChoice(*doc);
        EditQuestionInDialog(*doc, shown);
        if (auto* dialogs = dynamic_cast<CQuestionDialogs*>(DocumentDialogsSlot().Installed())) {
            CCorraQuestionDlg& dlg = dialogs->Editor(*doc);
            dlg.resize(560, 540);
            dlg.move(pMain->x() + 380, pMain->y() + 160);
            Settle();
            // With its editing toolbar, as the editor's "Editing Toolbar..." opens it.
            InstallFloatEditToolbar();
            dlg.OnCommand(ID_QD_EDITING_TOOLBAR);
            std::vector<QWidget*> windows = {pMain, &dlg};
            if (auto* toolbar = dynamic_cast<CFloatEditTB*>(GetSharedFloatToolbar()))
                windows.push_back(toolbar);
            ShootArea(windows);
            return;
        }
    }
    if (CDocument* pNew = app->NewCorraDocument(TRUE))
        ShowDocsSideBySide(doc, pNew);
    Shoot(pMain);
}

// An exam of the sample bank's questions in its own window, maximised: linked questions, one
// whose bank changed since it was copied, one whose bank is gone, one pinned to its place, and
// three scrambled forms, the second selected. bLarge: both lists in large rows.
// bFormWindow: "Form b" open in its own window over the exam, a row selected.
void ShowExamView(BOOL bLarge = FALSE, BOOL bFormWindow = FALSE)
{
    CString bank;
    CCorraApp* app = StartWithSampleBank(bank);
    if (!app)
        return;
    CString home = GetProgramHome();
    CMainFrame* pMain = app->GetMainFrame();
    auto* doc = dynamic_cast<CCorraDoc*>(app->FindOpenDocument(bank, FALSE));
    auto* exam = dynamic_cast<CExamDoc*>(app->NewExamDocument());
    if (!doc || !exam)
        return;
    CPtrListEx all, picked;
    GetDocQuestions(doc, all);
    for (POSITION pos = all.GetHeadPosition(); pos && picked.GetCount() < 9;)
        picked.AddTail(all.GetNext(pos));
    exam->AddQuestions(picked, nullptr, doc, bank);
    CPtrListEx questions;
    GetDocQuestions(exam, questions);
    std::vector<CExamQuestion*> q;
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        q.push_back(dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(questions.GetNext(pos))));
    if (q.size() < 6)
        return;
    q[1]->m_bOutOfDate = TRUE;
    q[3]->m_csCorraFile = home + "QCorras/Old/Chemistry.crr";
    q[3]->m_bFileExists = FALSE;
    q[0]->m_nAttributes |= EXAM_ATTR_FIXED;
    q[0]->m_nFixedPosition = 1;
    // Three forms, each the questions in another order with the pinned one first.
    for (int f = 0; f < 3; ++f) {
        CPtrListEx order;
        order.AddTail(q[0]);
        for (size_t i = 1; i < q.size(); ++i)
            order.AddTail(q[1 + (i - 1 + static_cast<size_t>(f) * 2) % (q.size() - 1)]);
        exam->GetOrCreateCollection(CExamDoc::FormatFormName("Form %a", f), &order);
    }
    exam->ScrambleForms(TRUE);
    exam->SetModifiedFlag(FALSE);
    exam->UpdateAllViews(nullptr, 0, nullptr);
    POSITION pos = exam->GetFirstViewPosition();
    CView* pView = pos ? exam->GetNextView(pos) : nullptr;
    // Under a form's window the exam's stays a window of its own.
    if (auto* child = pView && !bFormWindow ? dynamic_cast<CMDIChildWnd*>(pView->GetParentFrame()) : nullptr)
        child->MDIMaximize();
    if (auto* view = dynamic_cast<CCorraView*>(pView)) {
        if (bLarge)
            for (CCorraView* pane : {view, view->m_pSibling})
                if (pane)
                    pane->OnCmdMsg(ID_VIEW_LARGE_ICON, CN_COMMAND, nullptr);
        if (CCorraView* forms = view->m_pSibling; forms && forms->GetListCtrl())
            forms->GetListCtrl()->SelectItem(1, TRUE);
        if (view->GetListCtrl())
            view->GetListCtrl()->SelectItem(2, TRUE);
    }
    CCorraQuestion* form = bFormWindow ? exam->FindCollection("Form b") : nullptr;
    if (form && exam->ShowCollection(form) && form->m_pView) {
        Settle();
        form->m_pView->GetParentFrame()->SetWindowPos(nullptr, 330, 190, 640, 360, SWP_NOZORDER);
        if (auto* view = dynamic_cast<CCorraView*>(form->m_pView.data()))
            view->GetListCtrl()->SelectItem(2, TRUE);
        Settle();
    }
    Shoot(pMain);
}

// Test Print from the question images dialog over the sample bank: a picture added in the
// dialog and not yet stored, previewed in a window of the dialog's own.
void ShowImagesTestPrint()
{
    CString bank;
    CCorraApp* app = StartWithSampleBank(bank);
    auto* doc = app ? dynamic_cast<CCorraDoc*>(app->FindOpenDocument(bank, FALSE)) : nullptr;
    if (!doc)
        return;
    CCorraQuestion* question = FirstMultipleChoice(*doc);
    if (!question)
        return;
    // From the images folder, so that Add does not offer to import it.
    const CString picture = CFileTypes::GetPriDir(DT_IMAGE) + "cell.png";
    fsys::CreateDirectories(fsys::Folder(picture));
    fsys::CopyFile(CORRA_SOURCE_DIR "/samples/Images/cell.png", picture, FALSE);
    class CTestPrintShot : public IModalRunHook {
    public:
        explicit CTestPrintShot(CString file) : m_file(std::move(file)) {}
        void RunModal(CDialog& d) override
        {
            Settle();
            auto& images = static_cast<CQuestionImagesDlg&>(d);
            qobject_cast<QAbstractButton*>(images.GetDlgItem(IDC_QI_RIGHT))->click();
            images.GetDlgItemAs<CMRUPathComboBox>(IDC_QI_FILE)->SetWindowText(m_file);
            images.OnAdd();
            images.OnTestPrint();
            Settle();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* preview = dynamic_cast<CCorraPreviewView*>(w)) {
                    preview->resize(760, 640);
                    preview->move(d.x() + 160, d.y() + 40);
                    Settle();
                    ShootArea({&d, preview});
                }
            }
            d.EndDialog(IDCANCEL);
        }

    private:
        CString m_file;
    } shot(picture);
    CQuestionImagesDlg dlg(question, doc);
    CServiceScope<IModalRunHook> shooting(ModalRunSlot(), shot);
    dlg.DoModal();
}

// The sample bank in the main window with its first collection open in a window of its own.
void ShowCollectionWindow()
{
    CString bank;
    CCorraApp* app = StartWithSampleBank(bank);
    auto* doc = app ? dynamic_cast<CCorraDoc*>(app->FindOpenDocument(bank, FALSE)) : nullptr;
    CPtrListEx collections;
    if (!doc || doc->GetCollections(collections) == 0)
        return;
    auto* first = static_cast<CCorraQuestion*>(collections.GetHead());
    doc->ShowCollection(first);
    Settle();
    if (first->m_pView) {
        CFrameWnd* frame = first->m_pView->GetParentFrame();
        frame->SetWindowPos(nullptr, 360, 200, 640, 360, SWP_NOZORDER);
        // One row selected, as after a click.
        if (auto* view = dynamic_cast<CCorraView*>(first->m_pView.data()))
            view->GetListCtrl()->SelectItem(1, TRUE);
    }
    Settle();
    Shoot(app->GetMainFrame());
}

// Shoots the next modal dialog together with the windows under it.
class CAreaShot : public IModalRunHook {
public:
    explicit CAreaShot(std::vector<QWidget*> under) : m_under(std::move(under)) {}
    void RunModal(CDialog& dlg) override
    {
        std::vector<QWidget*> windows = m_under;
        windows.push_back(&dlg);
        ShootArea(windows);
        dlg.EndDialog(IDCANCEL);
    }

private:
    std::vector<QWidget*> m_under;
};

// A teacher's text opened as a source document, its window at the size of its form; with
// bProperties its Source File Properties dialog over it.
void ShowSourceView(BOOL bProperties)
{
    const CString text = GetProgramHome() + "teacher.txt";
    fsys::CopyFile(CORRA_SOURCE_DIR "/tests/data/autoconvert/teacher.txt", text, FALSE);
    CMainFrame* pMain = StartQuietly({}, 1000, 700);
    if (!pMain)
        return;
    auto* doc = dynamic_cast<CSourceDoc*>(AfxGetApp()->OpenDocumentFile(text));
    CSourceView* view = doc ? doc->GetSourceView() : nullptr;
    if (!view)
        return;
    Settle();
    // The first question's words picked, as for "Make &Title".
    view->GetEditCtrl()->SetSel(3, 46);
    if (!bProperties) {
        Shoot(pMain);
        return;
    }
    CAreaShot shot({pMain});
    CServiceScope<IModalRunHook> hook(ModalRunSlot(), shot);
    view->OnProperties();
}


// A first start in a new program home: what an installation ships is put in place, and the
// welcome box shows over the main window.
void ShowFirstStart()
{
    static CCorraApp* app = nullptr;
    InstallRtfTextDrawer();
    InstallHVMsgBoxService();
    app = new CCorraApp;
    if (!app->InitInstance())
        return;
    CSplashWindow::Close();
    CMainFrame* pMain = app->GetMainFrame();
    pMain->resize(1000, 700);
    pMain->show();
    Settle();
    CAreaShot shot({pMain});
    CServiceScope<IModalRunHook> shooting(ModalRunSlot(), shot);
    pMain->ShowWelcome();
}

// The main window with the start screen on page n over an empty MDI area.
void ShowStartScreen(int nScreen)
{
    CMainFrame* pMain = StartQuietly({}, 1000, 700);
    if (!pMain)
        return;
    Settle();
    pMain->ShowStartScreen(nScreen);
    Shoot(pMain);
}

// The questions of the sample bank in the owner-drawn list, with small rows (one selected,
// two marked as duplicates of each other) and with large rows; between them its collections.
void ShowQuestionLists()
{
    static CFontMgrInit fonts;
    InstallRtfTextDrawer();
    CString bank = GetProgramHome() + "Biology.crr";
    fsys::CopyFile(CORRA_SOURCE_DIR "/samples/Biology.crr", bank, FALSE);
    // Left to the end of the process, as a document outlives its views.
    auto* doc = new CCorraDoc;
    if (!doc->OnOpenDocument(bank))
        return;
    CPtrListEx questions;
    GetDocQuestions(doc, questions);
    auto* wnd = new CWidgetWnd;
    wnd->setWindowTitle("Biology.crr");
    auto* small = new CODListCtrl(doc, wnd, RGB(255, 255, 255), nullptr, wnd);
    small->SetViewMode(ODLIST_SMALL_ROWS);
    small->InsertQuestions(questions, -1, FALSE);
    small->SelectItem(2, TRUE);
    small->SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
    auto* large = new CODListCtrl(doc, wnd, RGB(255, 255, 230), nullptr, wnd);
    large->SetViewMode(ODLIST_LARGE_ROWS);
    large->InsertQuestions(questions, -1, FALSE);
    large->SetColumnWidth(3, 320);
    // Marked after both lists are filled: inserting a question clears its mark.
    if (CCorraQuestion* q = small->GetItemQuestion(4)) {
        small->m_bUseMarkedColour = TRUE;
        small->MarkItems(q->m_nId, -1, FALSE, nullptr);
        small->m_nHighlightId = q->m_nId;
    }
    // The bank's collections, the first one open in a window of its own.
    auto* collections = new CCollListCtrl(doc, wnd, RGB(0xC0, 0xC0, 0xC0), nullptr, wnd);
    collections->SetViewMode(ODLIST_SMALL_ROWS);
    CPtrListEx colls;
    doc->GetCollections(colls);
    collections->InsertQuestions(colls, -1, FALSE);
    // Only its presence counts; never shown, left to the end of the process like the document.
    auto* openView = new CView;
    if (CCorraQuestion* first = collections->GetItemQuestion(0))
        first->m_pView = openView;
    collections->SelectItem(1, TRUE);
    auto* layout = new QVBoxLayout(wnd);
    layout->addWidget(small);
    layout->addWidget(collections);
    layout->addWidget(large);
    layout->setStretch(0, 3);
    layout->setStretch(1, 1);
    layout->setStretch(2, 3);
    wnd->resize(760, 640);
    small->setFocus();
    Shoot(wnd);
}

void WriteMasterList(const char* name, std::initializer_list<const char*> lines)
{
    CString folder = CFileTypes::GetDefDir(DT_DATA);
    fsys::CreateDirectories(folder);
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    fsys::WriteFile(fsys::Join(folder, name), text.data(), text.size());
}

void ShowQuestionEditor(BOOL bEssay = FALSE)
{
    static CCorraDoc doc;
    doc.SetTitle("Biology 101 Cells.crr");
    auto* q = new CCorraQuestion;
    q->m_nLevel = 2;
    q->m_nIndex = 14;
    if (bEssay) {
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->m_cszQuestionText = "Explain how a cell membrane controls what enters and leaves the cell.";
        q->m_cszAnswer = "Selective permeability; diffusion, osmosis and active transport.";
        q->m_dAnswerSize = 0.33;
    } else {
        q->m_nType = static_cast<int>(IDS_QTYPE_MC);
        q->m_cszQuestionText = "Which organelle carries out photosynthesis in the cells of green plants?";
        q->SetChoices("a. Mitochondrion\nb. Chloroplast\nc. Ribosome\nd. Golgi apparatus");
        q->m_cszAnswer = "b";
    }
    q->m_saSubjects.Add("Biology");
    q->m_saSubjects.Add("Cell Biology");
    q->AddTextbook("Campbell Biology, 12th ed.", "6");
    doc.InsertQuestion(q);
    auto* dlg = new CCorraQuestionDlg(&doc);
    dlg->CreateHidden();
    dlg->SetWindowText(doc.GetQuestionDlgTitle());
    dlg->SetQuestion(q);
    dlg->resize(600, 560);
    Shoot(dlg);
}

// A printed bank of three pages: title lines, questions and a page footer.
class CPrintedBankView : public CView {
public:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(3);
        return DoPreparePrinting(pInfo);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        pDC->SetMapMode(MM_TWIPS);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        CRect rc = pInfo->m_rectDraw;
        rc.DeflateRect(1080, -1080);
        CFont title;
        title.CreatePointFont(160, "Arial", pDC);
        CFont body;
        body.CreatePointFont(110, "Times New Roman", pDC);
        CFont* old = pDC->SelectObject(&title);
        pDC->TextOut(rc.left, rc.top, "Physics Unit 3");
        pDC->SelectObject(&body);
        pDC->TextOut(rc.left, rc.top - 400, "Thermal energy and heat transfer");
        pDC->MoveTo(rc.left, rc.top - 760);
        pDC->LineTo(rc.right, rc.top - 760);
        static const char* const questions[] = {
            "Which of the following best explains why the inside of a parked car gets much hotter "
            "than the outside air on a sunny day?",
            "A metal spoon left in a pot of boiling water becomes hot at the handle. Name the way "
            "heat moves along the spoon.",
            "Explain why a thermos keeps a hot drink hot and a cold drink cold.",
            "Water is heated from 20 to 80 degrees Celsius. How much energy does 2 kg of it take in?",
        };
        int y = rc.top - 1000;
        int n = static_cast<int>(pInfo->m_nCurPage - 1) * 4 + 1;
        for (const char* q : questions) {
            CString label;
            label.Format("%d.", n++);
            pDC->TextOut(rc.left, y, label);
            CRect text(rc.left + 500, y, rc.right, y - 1400);
            const int h = pDC->DrawText(q, -1, &text, DT_WORDBREAK | DT_NOPREFIX);
            y -= std::abs(h) + 300;
        }
        CString footer;
        footer.Format("Page %u", pInfo->m_nCurPage);
        CRect foot(rc.left, rc.bottom + 300, rc.right, rc.bottom);
        pDC->DrawText(footer, -1, &foot, DT_CENTER | DT_SINGLELINE | DT_BOTTOM);
        pDC->SelectObject(old);
    }
};

void ShowPrintPreview()
{
    auto* view = new CPrintedBankView;
    if (!view->DoPrintPreview(426, view, nullptr))
        return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* preview = dynamic_cast<CPreviewView*>(w)) {
            preview->SetCurrentPage(1);
            Shoot(preview);
        }
    }
}

// The sample bank's question pane in its print preview, as File > Print Preview opens it.
void ShowBankPrintPreview()
{
    static CFontMgrInit fonts;
    InstallRtfTextDrawer();
    // The bank's picture where its questions look for it.
    InstallSamples(CORRA_SOURCE_DIR "/samples");
    CString bank = GetProgramHome() + "Biology.crr";
    fsys::CopyFile(CORRA_SOURCE_DIR "/samples/Biology.crr", bank, FALSE);
    // The grouping notice was turned off long ago.
    CorraApp().WriteProfileInt(HVMSGBOX_DONTSHOW_SECTION, "DontShowGroupingWarning", 1);
    // Left to the end of the process, as a document outlives its views.
    auto* doc = new CCorraDoc;
    if (!doc->OnOpenDocument(bank))
        return;
    doc->SetPathName(bank, FALSE);
    auto* panes = new CCorraPanes(*doc);
    panes->upper->OnCorraPrintPreview();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* preview = dynamic_cast<CCorraPreviewView*>(w)) {
            preview->SetCurrentPage(1);
            Shoot(preview);
        }
    }
}

// A settings page as the sheets show them.
class CShotPage : public CPropertyPage {
public:
    CShotPage(UINT nID, const char* caption, bool bStyle) : CPropertyPage(nID, caption)
    {
        auto* grid = new QGridLayout(this);
        if (bStyle) {
            grid->addWidget(CreateStatic("Title:"), 0, 0);
            grid->addWidget(CreateEdit(1279, "Physics Unit 3"), 0, 1);
            grid->setColumnMinimumWidth(1, 260);
            grid->addWidget(CreateStatic("Description:"), 1, 0);
            grid->addWidget(CreateEdit(1280, "Thermal energy and heat transfer"), 1, 1);
            auto* group = new QGroupBox(QStringLiteral("Printing style"), this);
            auto* inner = new QVBoxLayout(group);
            int id = 1277;
            for (const char* style : {"Expanded", "Keys", "Compressed", "Contracted (large)", "Contracted (small)",
                                      "Answer Sheet"})
            {
                const int nID = id++;
                inner->addWidget(AddControl(nID, new QRadioButton(QString::fromLatin1(style), group), nID == 1277));
            }
            grid->addWidget(group, 2, 0, 1, 2);
            CheckRadioButton(1277, 1282, 1277);
        } else {
            int row = 0;
            for (const char* m : {"Left margin:", "Top margin:", "Right margin:", "Bottom margin:"}) {
                grid->addWidget(CreateStatic(m), row, 0);
                grid->addWidget(CreateEdit(1288 + row, "1.00"), row, 1);
                ++row;
            }
            grid->setRowStretch(row, 1);
        }
    }
};

void ShowTabbedSheet()
{
    CShotPage style(269, "Printing", true);
    CShotPage margins(432, "Margins", false);
    CPropertySheet sheet("Question Corra Printing Properties");
    sheet.AddPage(&style);
    sheet.AddPage(&margins);
    sheet.DoModal();
}

// A wizard on its second page: Back and Next.
void ShowWizardSheet()
{
    CShotPage style(269, "Choose the printing style", true);
    CShotPage margins(432, "Set the page margins", false);
    CPropertySheet sheet("Print Setup Wizard", nullptr, 1);
    sheet.AddPage(&style);
    sheet.AddPage(&margins);
    sheet.SetWizardMode();
    sheet.DoModal();
}

// An exam whose questions are linked to the banks of MakeBanks: some gone, some changed since.
void ShowExamLinkSheet(int page)
{
    CString root = MakeBanks();
    static CExamDoc exam;  // left to the end of the process, as the sheet's rows point into it
    exam.SetTitle("Midterm");
    const std::time_t linked = std::time(nullptr) - 86400;
    auto link = [&](const char* path, const char* id, int count) {
        for (int i = 0; i < count; ++i) {
            auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->SetLink(fsys::Join(root, path), id);
            q->m_tLinked = CTime(linked);
        }
    };
    link("QCorras/Physics Unit 3 - Thermal Energy.crr", "CID_1204_88", 4);
    link("QCorras/Biology 101 Cells.crr", "CID_2210_03", 2);
    link("QCorras/Old Units/Chemistry - Bonding.crr", "CID_0977_15", 3);
    link("QCorras/Old Units/Electricity and Magnetism Review Questions.crr", "CID_5555_09_2019_SPRING", 1);
    link("QCorras/Archive 2023/Quiz Bank B.crr", "", 2);
    fsys::SetModTime(fsys::Join(root, "QCorras/Physics Unit 3 - Thermal Energy.crr"), linked + 3600);
    fsys::SetModTime(fsys::Join(root, "QCorras/Biology 101 Cells.crr"), linked + 7200);
    CELSSheet sheet("Exam Link Status...");
    sheet.CheckLinks(&exam);
    CPreparedShot prepared([page](CDialog& d) {
        auto& shown = dynamic_cast<CELSSheet&>(d);
        if (page == IDD_ELS_OUT_OF_DATE) {
            shown.m_startPage.CheckDlgButton(IDC_ELS_FIX_MISSING, 0);
            shown.m_startPage.UpdateControls();
        }
        if (page != IDD_ELS_START)
            shown.PressButton(PSBTN_NEXT);
        Settle();
    });
    CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
    sheet.DoModal();
}

// A bank whose questions show images, two of them gone.
void ShowImageLinkSheet()
{
    CString root = MakeBanks();
    const CString images = fsys::Join(root, "Images");
    fsys::CreateDirectories(images);
    static CCorraDoc doc;
    auto add = [&](const char* file, int count) {
        for (int i = 0; i < count; ++i) {
            CCorraQuestion* q = doc.InsertQuestion(new CCorraQuestion);
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->AddImage(fsys::Join(images, file), IP_TOP, 0, 20.0, 0.0);
        }
    };
    add("Cell diagram.png", 2);
    add("Units/Mitosis stages.jpg", 1);
    add("Microscope parts.bmp", 1);
    CILSSheet sheet;
    sheet.CheckLinks(&doc);
    CPreparedShot prepared([](CDialog& d) {
        dynamic_cast<CILSSheet&>(d).PressButton(PSBTN_NEXT);
        Settle();
    });
    CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
    sheet.DoModal();
}

// The sample bank, read (left to the end of the process, as a document outlives its views).
CCorraDoc* OpenSampleBank()
{
    static CFontMgrInit fonts;
    InstallRtfTextDrawer();
    CString bank = GetProgramHome() + "Biology.crr";
    fsys::CopyFile(CORRA_SOURCE_DIR "/samples/Biology.crr", bank, FALSE);
    auto* doc = new CCorraDoc;
    return doc->OnOpenDocument(bank) ? doc : nullptr;
}

// An exam made of the sample bank's questions with three scrambled forms, its second form in
// the print preview, as Print Preview opens it after Select Forms.
void ShowExamPrintPreview(BOOL bKeys)
{
    CCorraDoc* bank = OpenSampleBank();
    if (!bank)
        return;
    InstallSamples(CORRA_SOURCE_DIR "/samples");
    CorraApp().WriteProfileInt(HVMSGBOX_DONTSHOW_SECTION, "DontShowGroupingWarning", 1);
    CExamDoc::LoadDefaults();
    auto* exam = new CExamDoc;  // left to the end of the process, as the bank
    exam->SetTitle("Midterm.exm");
    exam->m_csTitle1 = "Biology 101";
    exam->m_csTitle2 = "Midterm Exam";
    CPtrListEx questions;
    for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos && questions.GetCount() < 8;) {
        auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
        if (!q->IsCollection())
            questions.AddTail(q);
    }
    exam->AddQuestions(questions, nullptr, bank, bank->GetPathName());
    CPtrListEx members;
    for (POSITION pos = exam->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(exam->m_plQuestions.GetNext(pos));
        if (!q->IsCollection())
            members.AddTail(q);
    }
    for (const char* name : {"Form a", "Form b", "Form c"})
        exam->GetOrCreateCollection(name, &members);
    exam->ScrambleForms(TRUE);
    auto* panes = new CCorraPanes(*exam, 900, 600, CCreatable<CView>::Of<CExamView>());
    auto* view = dynamic_cast<CExamView*>(panes->upper);
    view->OnExamPrint(TRUE, bKeys);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* preview = dynamic_cast<CExamPreviewView*>(w)) {
            preview->OnStepForm(1);
            preview->SetCurrentPage(1);
            Shoot(preview);
        }
    }
}

// The sample bank's groups window, its first group's description shown or hidden.
void ShowGroupsWindow(BOOL bDescription)
{
    CCorraDoc* doc = OpenSampleBank();
    if (!doc)
        return;
    auto* dlg = new CGroupsDlg2(doc);
    dlg->setWindowTitle("Biology.crr - Groups");
    dlg->ShowGroups();
    if (dlg->IsDescriptionShown() != bDescription)
        dlg->OnToggleDescription();
    Shoot(dlg);
}

// A page of the Add Question Wizard: questions of the sample bank into an exam, six of them at
// random, with criteria by type and level.
void ShowWizardPage(UINT nPage)
{
    CCorraDoc* bank = OpenSampleBank();
    if (!bank)
        return;
    auto* exam = new CExamDoc;  // left to the end of the process, as the bank
    exam->SetTitle("Midterm Exam");
    CAddQuestFromSheet sheet("Add questions from...");
    if (nPage == IDD_AQF_TO_DOC) {
        sheet.m_ToTypePage.SetType(AQF_TO_CORRA);
        sheet.m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceSearch);
        sheet.m_ToDocPage.TypePath(bank->GetPathName());
    } else {
        sheet.m_ToDocPage.SetFixedDoc(exam);
        sheet.m_FromDocPage.SetTarget(CString(), exam);
    }
    const BOOL bAutoConvert = nPage == IDD_AQF_AC_LINE_FORMAT || nPage == IDD_AQF_AC_ATTR2 || nPage == IDD_AQF_AC_ATTR1 ||
                              nPage == IDD_AQF_AC_QUEST_ATTR || nPage == IDD_AQF_AC_RUN;
    if (bAutoConvert) {
        // A teacher's typed test.
        sheet.m_FromTypePage.SetType(AQF_FROM_AUTOCONVERT);
        sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        sheet.m_FromDocPage.TypePath(CORRA_SOURCE_DIR "/tests/data/autoconvert/teacher.txt");
        sheet.m_SourceBuf.Load(CORRA_SOURCE_DIR "/tests/data/autoconvert/teacher.txt");
    } else if (nPage == IDD_AQF_FROM_DOC) {
        sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        sheet.m_FromDocPage.TypePath(bank->GetPathName());
        sheet.m_History.push_front(static_cast<int>(IDD_AQF_FROM_TYPE));
    } else if (nPage != IDD_AQF_TO_DOC) {
        sheet.m_FromDocPage.SetFixedDoc(bank);
    }
    CCorraHeader header;
    bank->FillHeader(header);
    sheet.m_ToCollectionPage.SetHeader(header);
    sheet.m_FromCollectionPage.SetHeader(header);
    if (nPage == IDD_AQF_METHOD || nPage == IDD_AQF_FROM_COLLECTION)
        sheet.m_FromTypePage.SetType(nPage == IDD_AQF_FROM_COLLECTION ? AQF_FROM_COLLECTION : AQF_FROM_CORRA);
    sheet.m_MethodPage.SetMethod(AQF_METHOD_RANDOM);
    sheet.m_MethodPage.TypeCount("6");
    sheet.m_RandTypePage.SetMatching(TRUE);
    sheet.m_RandLevelPage.SetMatching(TRUE);
    if (nPage == IDD_AQF_RAND_RESULTS) {
        for (CAQFRandCriteriaPage* page : {static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandTypePage),
                                           static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandLevelPage),
                                           static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandSubjectPage),
                                           static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandTextbookPage)}) {
            page->Refresh();
            page->CollectCriteria(FALSE, nullptr, nullptr, nullptr, nullptr);
        }
    }
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        if (sheet.GetPage(i)->GetTemplateId() == nPage)
            sheet.SetActivePage(i);
    }
    sheet.DoModal();
}

std::vector<Scene> Scenes()
{
    return {
        {"richedit-terms",
         [] {
             auto* ctrl = new CHVRichEditCtrl;
             ctrl->setWindowTitle("Question");
             ctrl->resize(440, 160);
             ctrl->SetText(kTermsRtf, SF_RTF);
             Shoot(ctrl);
         }},
        {"statistics",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CPtrListEx selected;
             int n = 0;
             for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos && n < 6; ++n)
                 selected.AddTail(doc->m_plQuestions.GetNext(pos));
             CStatsDlg dlg;
             dlg.SetQuestions(doc->m_plQuestions, &selected, nullptr);
             CPreparedShot prepared([](CDialog&) {});
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"set-attributes",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CSetQuestionAttributesDlg dlg(doc, nullptr);
             int n = 0;
             for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos && n < 4; ++n)
                 dlg.m_lQuestions.AddTail(doc->m_plQuestions.GetNext(pos));
             CPreparedShot prepared([](CDialog& d) {
                 d.CheckDlgButton(IDC_SQA_LEVEL_CHECK, 1);
                 d.CheckDlgButton(IDC_SQA_SUBJECTS_CHECK, 1);
                 d.OnChildNotify(IDC_SQA_LEVEL_CHECK, BN_CLICKED);
                 d.GetDlgItemAs<CListBox>(IDC_SQA_LEVEL)->SetCurSel(4);
                 d.GetDlgItemAs<CMRUPathComboBox>(IDC_SQA_SUBJECTS)->SetWindowText("Cell Biology, Genetics");
                 d.CheckRadioButton(IDC_SQA_SUBJECTS_REPLACE, IDC_SQA_SUBJECTS_REMOVE, IDC_SQA_SUBJECTS_ADD);
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"question-search",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CQuestionSearchDlg dlg(doc, nullptr);
             CPreparedShot prepared([](CDialog& d) {
                 auto& search = dynamic_cast<CQuestionSearchDlg&>(d);
                 for (int id : {IDC_QA_LEVEL_CHECK, IDC_QA_SUBJECTS_CHECK, IDC_QA_QUESTION_CHECK}) {
                     d.CheckDlgButton(id, 1);
                     d.OnChildNotify(id, BN_CLICKED);
                 }
                 d.GetDlgItemAs<CListBox>(IDC_QD_LEVEL)->SetSel(2, TRUE);
                 search.SubjectsCombo()->SetWindowText("Cells, Energy");
                 search.QuestionCombo()->SetWindowText("chlorophyll light");
                 d.CheckRadioButton(IDC_QS_ALL_CATEGORIES, IDC_QS_ANY_CATEGORY, IDC_QS_ALL_CATEGORIES);
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"question-images",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CCorraQuestion* question = FirstMultipleChoice(*doc);
             if (!question)
                 return;
             const CString cell = CORRA_SOURCE_DIR "/samples/Images/cell.png";
             question->ClearImages();
             question->AddImage(cell, IP_TOP, 0, 18.0, 0.0);
             question->AddImage(cell, IP_RIGHT, 0, 25.0, 1.0);
             question->AddImage(CORRA_SOURCE_DIR "/samples/Images/lost.png", IP_BELOW_CHOICES, 0, 15.0, 0.0);
             CQuestionImagesDlg dlg(question, doc);
             CPreparedShot prepared([cell](CDialog& d) {
                 auto& images = static_cast<CQuestionImagesDlg&>(d);
                 POSITION pos = images.Images().GetHeadPosition();
                 images.Images().GetNext(pos);
                 images.Select(images.Images().GetNext(pos));
                 auto* files = images.GetDlgItemAs<CMRUPathComboBox>(IDC_QI_FILE);
                 files->Add(cell);
                 files->SetCurSel(0);
                 images.OnFileChosen();
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"question-identify",
         [] {
             CExamDoc exam;
             CQuestionIdentifyDlg dlg(&exam);
             dlg.m_bFixed = TRUE;
             dlg.m_nPosition = 12;
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"import-files",
         [] {
             CImportFilesDlg dlg;
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"choices-format",
         [] {
             CChoicesFormatDlg dlg;
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"instructions",
         [] {
             static CFontMgrInit fonts;
             InstallRtfTextDrawer();
             InstallFontDialogs();
             CInstructionsDlg dlg(nullptr,
                                  "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}\\f0\\fs24 "
                                  "Answer every question. Show your work for the \\b essay\\b0  questions.\\par "
                                  "You have 50 minutes.\\par}");
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"invalid-questions",
         [] {
             CInvalidQuestionsMsgBox box("Total 3 invalid questions found...\n\n"
                                         "Question (ID 12) missing answer.\n"
                                         "Question (ID 31) has fewer than two choices.\n"
                                         "Question (ID 47) answer names no choice.");
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             box.DoModal();
         }},
        {"font-manager",
         [] {
             static CFontMgrInit fonts;
             CFontMgrDlg dlg(FM_CHOICES);
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"document-fonts",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CSetDocumentFontsDlg dlg(doc);
             CPreparedShot prepared([](CDialog& d) {
                 auto& dlg = static_cast<CSetDocumentFontsDlg&>(d);
                 dlg.CheckDlgButton(IDC_SDF_CHANGE, 1);
                 dlg.ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
                 dlg.CheckDlgButton(IDC_SDF_FACE, 0);
                 dlg.OnChoice();
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"file-tree-list", [] { ShowTreeAndList(FALSE); }},
        {"file-chooser",
         [] {
             CString root = MakeBanks();
             CHVFileDlg dlg(DT_CORRA, 0xFF);
             dlg.m_csInfo = "Select a Question Corra to edit.";
             dlg.SetRootToServerDir();
             dlg.SetRootFolderFilter("QCorras");
             dlg.m_cszSearchDir = fsys::Join(root, "QCorras");
             CPreparedShot prepared([](CDialog& d) {
                 auto& chooser = dynamic_cast<CHVFileDlg&>(d);
                 chooser.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_LIST);
                 chooser.GetList()->SelectItem(chooser.GetList()->FindItemByName("Physics Unit 3 - Thermal Energy.crr"));
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"find-file",
         [] {
             MakeBanks();
             CFileFindExDlg dlg;
             dlg.m_csFileName = "Department Bank.crr";
             dlg.m_csInfo = "Select the Question Corra the exam's questions came from.";
             CPreparedShot prepared([](CDialog& d) {
                 auto& find = dynamic_cast<CFileFindExDlg&>(d);
                 find.GetList()->SelectItem(0);
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"question-list", [] { ShowQuestionLists(); }},
        {"file-list-found", [] { ShowFoundFiles(); }},
        {"file-properties",
         [] {
             CString root = MakeBanks();
             ShowFileProperties(fsys::Join(root, "QCorras/Physics Unit 3 - Thermal Energy.crr"), nullptr,
                                CFileTypes::Type2TypeDescr(DT_CORRA, FALSE));
         }},
        {"richedit-choices",
         [] {
             auto* ctrl = new CHVRichEditCtrl;
             ctrl->setWindowTitle("Question");
             ctrl->resize(440, 220);
             ctrl->SetText(kQuestionRtf, SF_RTF);
             Shoot(ctrl);
         }},
        {"float-toolbar",
         [] {
             InstallFloatEditToolbar();
             for (const char* bar : {"Edit", "Math 1", "Chem 1", "Chem 4"})
                 CorraApp().WriteProfileInt("FloatEditTB", bar, 1);
             LoadFloatBarFlags();
             auto* frame = new QWidget;
             frame->setWindowTitle("Question");
             frame->setGeometry(150, 420, 560, 200);
             auto* layout = new QVBoxLayout(frame);
             layout->setContentsMargins(8, 8, 8, 8);
             auto* ctrl = new CHVRichEditCtrl(frame);
             layout->addWidget(ctrl);
             ctrl->SetKeptText("Question");
             ctrl->SetText("Balance the equation for the burning of methane, and name the gas that forms "
                           "when the products cool:\n\n", SF_RTF);
             frame->show();
             Settle();
             ctrl->ShowFloatToolbar();
             auto* toolbar = dynamic_cast<CFloatEditTB*>(GetSharedFloatToolbar());
             ctrl->SetSel(ctrl->GetTextLength(), ctrl->GetTextLength());
             // CH4 + 2 O2 -> CO2 + 2 H2O, put in with the palettes' buttons.
             const std::vector<SymbolEntry>& chem3 = SymbolPalettes()[6].symbols;
             const std::vector<SymbolEntry>& chem4 = SymbolPalettes()[7].symbols;
             const UINT two = chem4[1].id, arrow = chem3[13].id;
             for (UINT id : {SymbolId("Carbon (6)"), SymbolId("Hydrogen (1)"), SymbolId("subscript 4"), 0u,
                             SymbolId("plus"), 0u, two, SymbolId("Oxygen (8)"), SymbolId("subscript 2"), 0u, arrow,
                             0u, SymbolId("Carbon (6)"), SymbolId("Oxygen (8)"), SymbolId("subscript 2"), 0u,
                             SymbolId("plus"), 0u, two, SymbolId("Hydrogen (1)"), SymbolId("subscript 2"),
                             SymbolId("Oxygen (8)")}) {
                 if (id)
                     toolbar->OnCommand(id);
                 else
                     ctrl->ReplaceSel(" ");
             }
             ctrl->SetSel(0, 7);  // "Balance"
             toolbar->Refresh();
             toolbar->SendIdleUpdate();
             ShootArea({frame, toolbar});
         }},
        {"prompt",
         [] {
             CPromptDlg dlg;
             dlg.m_csTitle = "New Collection";
             dlg.m_csMessage = "Enter a name for the new collection.\n"
                               "The name shows in the question list and on printed exams.\n"
                               "It may hold letters, digits and blanks.\n"
                               "Two collections of one bank cannot share a name.";
             dlg.m_csText = "Chapter 4 - Heat and Energy";
             dlg.DoModal();
         }},
        {"dup-collections",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             doc->SetTitle("Biology.crr");
             CPtrListEx mine;
             doc->GetCollections(mine);
             CDupCollectionsDlg dlg(doc, mine);
             dlg.Prepare();
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"groups", [] { ShowGroupsWindow(FALSE); }},
        {"groups-description", [] { ShowGroupsWindow(TRUE); }},
        {"numbering-sequence",
         [] {
             CNumberingSequenceDlg dlg(5, "Numbering Sequence - Headers", nullptr, TRUE);
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"group-questions",
         [] {
             CGroupQuestionsDlg dlg;
             CShootingHook hook;
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
             dlg.DoModal();
         }},
        {"bank-print-preview", [] { ShowBankPrintPreview(); }},
        {"exam-print-preview", [] { ShowExamPrintPreview(FALSE); }},
        {"exam-keys-preview", [] { ShowExamPrintPreview(TRUE); }},
        {"page-margins",
         [] {
             CPageMarginsDlg dlg("Corra Printing Margins");
             dlg.m_dLeft = 0.75;
             dlg.m_dRight = 0.75;
             dlg.m_dTop = 0.5;
             dlg.m_dBottom = 0.5;
             dlg.DoModal();
         }},
        {"export",
         [] {
             CCorraDoc* doc = OpenSampleBank();
             if (!doc)
                 return;
             CorraApp().WriteProfileString("Recent ViewPrevExpFiles List", "String1", GetProgramHome() + "Src/Biology.rtf");
             CorraApp().WriteProfileString("Recent ViewPrevExpFiles List", "String2", GetProgramHome() + "Html/Biology.htm");
             CExportContext ctx;
             CHtmlSettings html;
             ctx.pHtml = &html;
             CExportDialog dlg(FALSE, 0, nullptr, ctx, *doc);
             dlg.m_nLastSelected = 4;
             dlg.DoModal();
         }},
        {"print-properties",
         [] {
             CExamPrintPropPage page(nullptr, 1);
             page.m_csCourseName = "Biology 101";
             page.m_csExamTitle = "Midterm: cells and heredity";
             page.m_nStartNumber = 1;
             page.m_nBlankLines = 2;
             page.m_nChoiceLines = 1;
             page.m_nSepSpaces = 3;
             page.m_nIndent = 5;
             page.m_dLeft = page.m_dRight = page.m_dTop = page.m_dBottom = 1.0;
             page.DoModal();
         }},
        {"exam-header",
         [] {
             CExamHeaderPage page;
             page.m_csCourseName = "Biology 101";
             page.m_csExamTitle = "Midterm: cells and heredity";
             page.DoModal();
         }},
        {"exam-footer",
         [] {
             CExamFooterPage page;
             page.DoModal();
         }},
        {"exported-files",
         [] {
             CorraApp().WriteProfileString("Recent ViewPrevExpFiles List", "String1", GetProgramHome() + "Src/Biology.rtf");
             CExportedFileViewerDlg dlg;
             dlg.DoModal();
         }},
        {"html-settings",
         [] {
             CHtmlSettings settings(0);
             CHtmlSettingsDlg dlg(&settings);
             dlg.DoModal();
         }},
        {"html-settings-advanced",
         [] {
             CHtmlSettings settings(0);
             settings.m_nDivType = 2;
             CHtmlSettingsDlg dlg(&settings);
             CPreparedShot prepared([](CDialog& d) { dynamic_cast<CHtmlSettingsDlg&>(d).OnMore(); });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"progress",
         [] {
             auto* dlg = new COldProgressDlg("Please wait", "Reading questions from Physics Unit 3.crr...", 100, 0, 1);
             dlg->Create();
             dlg->SetPos(60);
             Shoot(dlg);
         }},
        {"main-window", [] { ShowMainWindow(); }},
        {"exam-view", [] { ShowExamView(); }},
        {"exam-view-large", [] { ShowExamView(TRUE); }},
        {"exam-form-window", [] { ShowExamView(FALSE, TRUE); }},
        {"collection-view", [] { ShowCollectionWindow(); }},
        {"source-view", [] { ShowSourceView(FALSE); }},
        {"source-properties", [] { ShowSourceView(TRUE); }},
        {"print-preview", [] { ShowPrintPreview(); }},
        {"images-test-print", [] { ShowImagesTestPrint(); }},
        {"property-sheet-tabs", [] { ShowTabbedSheet(); }},
        {"property-sheet-wizard", [] { ShowWizardSheet(); }},
        {"exam-link-start", [] { ShowExamLinkSheet(IDD_ELS_START); }},
        {"exam-link-missing", [] { ShowExamLinkSheet(IDD_ELS_NO_FIND); }},
        {"exam-link-out-of-date", [] { ShowExamLinkSheet(IDD_ELS_OUT_OF_DATE); }},
        {"image-link-missing", [] { ShowImageLinkSheet(); }},
        {"find-file-corra-id",
         [] {
             MakeBanks();
             CFileFindExDlg dlg;
             dlg.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
             dlg.m_csCorraId = "CID_5555_01";
             dlg.m_csInfo = "Select the missing Question Corra.";
             CPreparedShot prepared([](CDialog& d) { dynamic_cast<CFileFindExDlg&>(d).GetList()->SelectItem(0); });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"wizard-to-type", [] { ShowWizardPage(IDD_AQF_TO_TYPE); }},
        {"wizard-to-doc", [] { ShowWizardPage(IDD_AQF_TO_DOC); }},
        {"wizard-to-collection", [] { ShowWizardPage(IDD_AQF_TO_COLLECTION); }},
        {"wizard-from-type", [] { ShowWizardPage(IDD_AQF_FROM_TYPE); }},
        {"wizard-from-doc", [] { ShowWizardPage(IDD_AQF_FROM_DOC); }},
        {"wizard-from-collection", [] { ShowWizardPage(IDD_AQF_FROM_COLLECTION); }},
        {"wizard-method", [] { ShowWizardPage(IDD_AQF_METHOD); }},
        {"wizard-random-types", [] { ShowWizardPage(IDD_AQF_RAND_TYPE); }},
        {"wizard-random-levels", [] { ShowWizardPage(IDD_AQF_RAND_LEVEL); }},
        {"wizard-random-subjects", [] { ShowWizardPage(IDD_AQF_RAND_SUBJECT); }},
        {"wizard-random-textbooks", [] { ShowWizardPage(IDD_AQF_RAND_TEXTBOOK); }},
        {"wizard-random-results", [] { ShowWizardPage(IDD_AQF_RAND_RESULTS); }},
        {"wizard-autoconvert-lines", [] { ShowWizardPage(IDD_AQF_AC_LINE_FORMAT); }},
        {"wizard-autoconvert-choices", [] { ShowWizardPage(IDD_AQF_AC_ATTR2); }},
        {"wizard-autoconvert-numbers", [] { ShowWizardPage(IDD_AQF_AC_ATTR1); }},
        {"wizard-autoconvert-attributes", [] { ShowWizardPage(IDD_AQF_AC_QUEST_ATTR); }},
        {"wizard-autoconvert-run", [] { ShowWizardPage(IDD_AQF_AC_RUN); }},
        {"autoconvert-attributes-dialog",
         [] {
             CACAttrDlg dlg;
             dlg.m_Question.m_nLevel = 2;
             dlg.m_Question.AddSubject("Science");
             dlg.DoModal();
         }},
        {"first-start", [] { ShowFirstStart(); }},
        {"start-screen", [] { ShowStartScreen(0); }},
        {"start-screen-corra", [] { ShowStartScreen(1); }},
        {"start-screen-print", [] { ShowStartScreen(8); }},
        {"start-screen-add-corra", [] { ShowStartScreen(3); }},
        {"question-editor", [] { ShowQuestionEditor(); }},
        {"question-editor-essay", [] { ShowQuestionEditor(TRUE); }},
        {"main-window-editor", [] { ShowMainWindow(TRUE); }},
        {"subjects-chooser",
         [] {
             WriteMasterList("Subjects.txt", {"Anatomy", "Biology", "Botany", "Cell Biology", "Chemistry", "Ecology",
                                              "Genetics", "Mathematics", "Microbiology", "Physics", "Zoology"});
             CSubjectsDlg dlg;
             dlg.m_saSubjects.Add("Biology");
             dlg.m_saSubjects.Add("Cell Biology");
             dlg.DoModal();
         }},
        {"textbooks-chooser",
         [] {
             WriteMasterList("Textbooks.txt", {"Campbell Biology, 12th ed.", "Life: The Science of Biology",
                                               "Molecular Biology of the Cell"});
             CTextbooksDlg dlg;
             dlg.m_saBooks.Add("Campbell Biology, 12th ed.");
             dlg.m_saChapters.Add("6");
             dlg.m_saBooks.Add("Molecular Biology of the Cell");
             dlg.m_saChapters.Add("12");
             dlg.DoModal();
         }},
        {"edit-file-list",
         [] {
             CEditFileListDlg dlg;
             dlg.m_csCaption = "Edit Subject List";
             for (const char* s : {"Anatomy", "Biology", "Botany", "Cell Biology", "Ecology", "Genetics"})
                 dlg.m_saLines.Add(s);
             dlg.DoModal();
         }},
        {"splash",
         [] {
             CSplashWindow::SetEnabled(TRUE);
             CSplashWindow::ShowOver(60000, nullptr);
             Shoot(CSplashWindow::Current());
         }},
        {"tip-of-the-day",
         [] {
             fsys::WriteFile(GetProgramHome() + "tips.txt", kTips, std::strlen(kTips));
             CorraApp().WriteProfileInt("Tip", "StartUp", 1);
             CTipDlg dlg;
             dlg.DoModal();
         }},
        {"startup-settings",
         [] {
             CStartupSettingsDlg dlg;
             dlg.m_nEssay = 33;
             dlg.m_nShortAnswer = 16;
             dlg.m_nFillIn = 5;
             dlg.DoModal();
         }},
        {"manage-folders",
         [] {
             const CString home = GetProgramHome();
             for (const char* folder : {"QCorras/Biology", "QCorras/Chemistry", "Exams/Spring Term", "Images"})
                 fsys::CreateDirectories(home + folder);
             CorraApp().WriteProfileString("CrrDefDir MRU", "Dir1", "QCorras/Chemistry");
             CorraApp().WriteProfileString("CrrDefDir MRU", "Dir2", "QCorras");
             CorraApp().WriteProfileString("ExmDefDir MRU", "Dir1", "Exams");
             CFileTypes::SetDefDir(DT_CORRA, home + "QCorras/Biology/");
             CFileTypes::SetDefDir(DT_EXAM, home + "Exams/Spring Term/");
             CFolderSetupDlg dlg;
             dlg.DoModal();
         }},
        {"program-data",
         [] {
             const CString data = CFileTypes::GetDefDir(DT_DATA);
             fsys::CreateDirectories(data + "Science");
             fsys::WriteFile(data + "Science/Subjects.txt", "Biology\n", 8);
             fsys::WriteFile(data + "Textbooks.txt", "Campbell Biology\n", 17);
             CorraApp().WriteProfileString("Settings", "SubjectFile", "Science/Subjects.txt");
             CorraApp().WriteProfileString("Settings", "TextbookFile", "Textbooks.txt");
             CProgramDataDlg dlg;
             dlg.DoModal();
         }},
        {"about",
         [] {
             CAboutDlg dlg;
             dlg.DoModal();
         }},
        {"new-document-type",
         [] {
             CCorraApp app;
             app.CreateTemplates();
             std::vector<CDocTemplate*> templates;
             for (POSITION pos = app.GetFirstDocTemplatePosition(); pos;)
                 templates.push_back(app.GetNextDocTemplate(pos));
             CDocTypeDlg dlg(templates, "Open");
             dlg.DoModal();
         }},
        {"support",
         [] {
             CSupportDlg dlg;
             dlg.m_csName = "Ann Lee";
             dlg.m_csEmail = "ann.lee@school.example";
             dlg.DoModal();
         }},
        {"support-offer-key",
         [] {
             CSupportDlg dlg("DontShowSupportOffer");
             dlg.m_csName = "Ann Lee";
             dlg.DoModal();
         }},
        {"bitmap-picker",
         [] {
             RegisterStartScreenPictures(qGuiApp->devicePixelRatio());
             CorraApp().WriteProfileInt("Bitmaps", "LargeNavUpLoadFromFile", 1);
             CorraApp().WriteProfileString("Bitmaps", "LargeNavUp", "/home/teacher/Pictures/oval-up.png");
             CHVBitmapPickerDlg dlg;
             dlg.m_nTestChoice = 1;
             dlg.DoModal();
         }},
        {"bitmap-path",
         [] {
             RegisterStartScreenPictures(qGuiApp->devicePixelRatio());
             const CString picture = GetProgramHome() + "background.png";
             StartScreenPicture(231).save(QString::fromUtf8(static_cast<LPCSTR>(picture)));
             CBitmapPathDlg dlg("Boiler plate background", picture);
             dlg.DoModal();
         }},
        {"update-box",
         [] {
             RegisterStartScreenPictures(qGuiApp->devicePixelRatio());
             CRichMessage msg;
             msg.title = "Quorvale Update";
             msg.style = RMB_YESNO;
             msg.bitmapId = IDB_UPDATE;
             msg.paneId[0] = IDS_UPDATE_TEXT;
             msg.pane[1].Format(LoadStringId(IDS_UPDATE_PATCH), "1.2.2.7");
             msg.pane[2].Format(LoadStringId(IDS_UPDATE_RUNNING), "1.2.2.7");
             msg.yes = "Update";
             msg.no = "Cancel";
             CHVMsgBox box(msg);
             box.DoModal();
         }},
        {"add-forms",
         [] {
             CAddFormsDlg dlg;
             dlg.m_nNumForms = 4;
             dlg.m_csFormat = "Form %A";
             dlg.m_nMaxForms = 10;
             dlg.DoModal();
         }},
        {"file-properties-bank", [] { ShowDocumentProperties(FALSE); }},
        {"file-properties-exam", [] { ShowDocumentProperties(TRUE); }},
        {"save-collection-as",
         [] {
             CSaveCollectionAsDlg dlg;
             dlg.m_csCollectionName = "Chapter 4 - Heat and Energy";
             dlg.m_csFileName = "Chapter 4.crr";
             dlg.DoModal();
         }},
        {"save-forms",
         [] {
             // Form views that hold only their forms' names.
             struct CNamedForms : IExamDialogs {
                 std::vector<std::unique_ptr<CView>> views;
                 std::vector<std::unique_ptr<CCorraQuestion>> forms;
                 CCorraQuestion* GetViewForm(CView* view) override
                 {
                     for (size_t i = 0; i < views.size(); ++i)
                         if (views[i].get() == view)
                             return forms[i].get();
                     return nullptr;
                 }
             } named;
             CPtrListEx list;
             for (const char* name : {"Version A", "Version B", "Version C", "Makeup"}) {
                 named.views.push_back(std::make_unique<CView>());
                 named.forms.push_back(std::make_unique<CCorraQuestion>());
                 named.forms.back()->m_cszQuestionText = name;
                 list.AddTail(named.views.back().get());
             }
             CServiceScope<IExamDialogs> installed(ExamDialogsSlot(), named);
             CExamDoc exam;
             CSaveCollectionsDlg dlg(list, &exam, "Save Forms");
             CPreparedShot prepared([](CDialog& d) {
                 d.GetDlgItemAs<CListBox>(IDC_SF_LIST)->SetCurSel(1);
                 d.OnChildNotify(IDC_SF_LIST, LBN_SELCHANGE);
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"form-keys",
         [] {
             // An exam of the sample bank's first twelve questions in three scrambled forms;
             // the first two forms selected.
             CCorraDoc* bank = OpenSampleBank();
             if (!bank)
                 return;
             static CExamDoc exam;
             CPtrListEx all, picked;
             GetDocQuestions(bank, all);
             for (POSITION pos = all.GetHeadPosition(); pos && picked.GetCount() < 12;)
                 picked.AddTail(all.GetNext(pos));
             exam.AddQuestions(picked, nullptr, bank, bank->GetPathName());
             CPtrListEx questions;
             GetDocQuestions(&exam, questions);
             for (int f = 0; f < 3; ++f) {
                 CPtrListEx order;
                 for (int i = 0; i < questions.GetCount(); ++i)
                     order.AddTail(questions.GetAt((i + 4 * f) % questions.GetCount()));
                 exam.GetOrCreateCollection(CExamDoc::FormatFormName("Form %a", f), &order);
             }
             exam.ScrambleForms(TRUE);
             CKeysDlg dlg;
             dlg.SetForms(&exam);
             CPreparedShot prepared([](CDialog& d) {
                 auto& keys = static_cast<CKeysDlg&>(d);
                 keys.GetFormList()->SetSel(0, TRUE);
                 keys.GetFormList()->SetSel(1, TRUE);
                 keys.RefreshKeys();
             });
             CServiceScope<IModalRunHook> shooting(ModalRunSlot(), prepared);
             dlg.DoModal();
         }},
        {"select-forms",
         [] {
             std::vector<std::unique_ptr<CCorraQuestion>> forms;
             CPtrListEx candidates, chosen;
             for (const char* name : {"Form A", "Form B", "Form C", "Form D", "Makeup"}) {
                 forms.push_back(std::make_unique<CCorraQuestion>());
                 forms.back()->m_cszQuestionText = name;
                 candidates.AddTail(forms.back().get());
             }
             chosen.AddTail(forms[0].get());
             chosen.AddTail(forms[2].get());
             BOOL printForms = TRUE;
             RunSelectFormsDialog(candidates, printForms, chosen);
         }},
        {"msgbox-path",
         [] {
             CHVMsgBox box("Quorvale", 4);
             box.m_bWarning = TRUE;
             box.m_csPane1 = "The file could not be saved.";
             box.m_csPane2 = "The folder may be read-only, or the disk may be full.";
             box.m_csPane3 =
                 "/home/teacher/Documents/Corra/Question Banks/Science/Physics_Unit3_ThermalEnergy_Review.crr";
             box.m_csPane4 = "Do you want to save it under another name?";
             box.DoModal();
         }},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    CorraInstallStringTable();
    std::vector<Scene> scenes = Scenes();
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const Scene& s : scenes)
            std::printf("%s\n", s.name);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s --list | <scene> <file.png>\n", argv[0]);
        return 2;
    }
    g_out = argv[2];
    CShootingHook hook;
    CServiceScope<IModalRunHook> shooting(ModalRunSlot(), hook);
    for (const Scene& s : scenes) {
        if (std::strcmp(s.name, argv[1]) == 0) {
            s.show();
            return g_saved ? 0 : 1;
        }
    }
    std::fprintf(stderr, "no scene %s\n", argv[1]);
    return 2;
}
