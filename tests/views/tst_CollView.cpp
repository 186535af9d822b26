// A collection's own window: what each hint does to the rows and to the document's collection,
// saving under new, existing and other-cased names or as a new bank, its own undo and redo with
// the menu's texts, its export, and the collection deleted while its window is open.

#include "views/CollView.h"

#include "controls/PromptDlg.h"
#include "dialogs/SaveCollectionAsDlg.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/QuestionList.h"
#include "model/Update.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/OleData.h"
#include "platform/ui/FrameworkIds.h"
#include "print/ExportContext.h"
#include "print/ExportDialog.h"
#include "render/RtfDraw3.h"
#include "res/ids/CorraView.h"
#include "res/ids/ManageDialogs.h"
#include "res/ids/Menus.h"
#include "res/ids/ProgressDlg.h"
#include "res/ids/QuestionTypes.h"
#include "shell/ShellDocs.h"
#include "tests/support/Collections.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "views/CorraViewServices.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

namespace {

// Five questions; "Algebra" holds 1, 2 and 3, "Geometry" holds 4.
class CCollDoc : public CCorraDoc {
public:
    CCollDoc()
    {
        m_bAutoDelete = FALSE;
        SetTitle("Maths.crr");
        for (int id = 1; id <= 5; ++id) {
            auto* q = new CCorraQuestion;
            q->m_nId = id;
            q->m_nIndex = 10 - id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Question %d", id);
            InsertQuestion(q);
        }
        const CPtrListEx first = Members({1, 2, 3});
        const CPtrListEx second = Members({4});
        algebra = GetOrCreateCollection("Algebra", &first);
        geometry = GetOrCreateCollection("Geometry", &second);
        SetModifiedFlag(FALSE);
    }
    CPtrListEx Members(std::vector<int> ids)
    {
        CPtrListEx out;
        for (int id : ids)
            out.AddTail(FindQuestionById(id));
        return out;
    }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
    CCorraQuestion* algebra = nullptr;
    CCorraQuestion* geometry = nullptr;
};

// A collection window on its own: the view in a plain parent, with the views' services.
class CCollHost {
public:
    CCollHost(CCorraDoc& doc, CCorraQuestion* collection) : m_scope(CorraViewServicesSlot(), m_services)
    {
        m_parent.resize(700, 400);
        view = new CCollView;
        CCreateContext context;
        context.m_pCurrentDoc = &doc;
        view->Create(&m_parent, AFX_IDW_PANE_FIRST, &context);
        view->resize(700, 400);
        m_parent.show();
        view->OnInitialUpdate();
        view->SetCollectionQuestion(collection);
        QApplication::processEvents();
    }
    ~CCollHost()
    {
        delete view;
        QApplication::processEvents();
    }
    std::vector<int> Rows() const
    {
        std::vector<int> ids;
        CODListCtrl* list = view->GetListCtrl();
        for (int i = 0; i < list->GetItemCount(); ++i)
            ids.push_back(list->GetItemQuestion(i)->m_nId);
        return ids;
    }
    void Select(std::vector<int> rows)
    {
        CODListCtrl* list = view->GetListCtrl();
        list->SelectItem(-1, FALSE);
        for (int row : rows)
            list->SelectItem(row, TRUE);
    }
    CCollView* view = nullptr;

private:
    QWidget m_parent;
    CCorraViewServices m_services;
    CServiceScope<ICorraViewServices> m_scope;
};

class CollViewTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        doc = std::make_unique<CCollDoc>();
    }
    void TearDown() override
    {
        host.reset();
        doc.reset();
        CorraTest::TearDown();
    }
    void Open(CCorraQuestion* collection) { host = std::make_unique<CCollHost>(*doc, collection); }
    // The Save Collection As dialog answered: as a collection of that name, or as a bank.
    static void AnswerSaveAs(CModalScript& script, const char* name, BOOL asBank = FALSE)
    {
        script.OnTemplate(IDD_SAVE_COLLECTION_AS, [=](CDialog& d) {
            auto& dlg = static_cast<CSaveCollectionAsDlg&>(d);
            dlg.m_nChoice = asBank ? CSaveCollectionAsDlg::SAVE_AS_CORRA : CSaveCollectionAsDlg::SAVE_AS_COLLECTION;
            if (asBank)
                dlg.m_csFileName = name;
            else
                dlg.m_csCollectionName = name;
            dlg.UpdateData(FALSE);
            ClickDlgButton(d, IDOK);
        });
    }

    std::unique_ptr<CCollDoc> doc;
    std::unique_ptr<CCollHost> host;
};

TEST_F(CollViewTest, OpensOnItsCollectionWithTheNameAndTheYellowBackground)
{
    Open(doc->algebra);
    EXPECT_EQ(host->Rows(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(host->view->GetName(), CString("Algebra"));
    EXPECT_EQ(host->view->GetCollection(), doc->algebra);
    EXPECT_EQ(doc->algebra->m_pView, host->view);
    EXPECT_EQ(host->view->GetListCtrl()->m_crBack, RGB(255, 255, 204));
    EXPECT_FALSE(host->view->IsModified());
    EXPECT_TRUE(CorraViewServices().IsCollectionView(host->view));
    EXPECT_EQ(CorraViewServices().GetPaneIndex(host->view), -1);
    EXPECT_TRUE(doc->IsCollectionWindowOpen(" algebra ", nullptr));
    EXPECT_FALSE(doc->IsCollectionWindowOpen("Algebra", doc->algebra));
    EXPECT_FALSE(doc->IsCollectionWindowOpen("Algebra", nullptr, host->view));
    // Gone with its window: the collection no longer names it.
    host.reset();
    EXPECT_EQ(doc->algebra->m_pView, nullptr);
}

TEST_F(CollViewTest, EachHintChangesTheRowsAndTheCollectionAsItSays)
{
    struct Case {
        const char* what;
        std::function<void(CCollDoc&)> send;
        std::vector<int> rows;
        std::vector<int> algebra;
        const char* name;
    };
    auto hint = [](LPARAM code, std::function<void(CCollDoc&, CUpdate&)> fill) {
        return [=](CCollDoc& d) {
            CUpdate u;
            fill(d, u);
            d.UpdateAllViews(nullptr, code, &u);
        };
    };
    auto questions = [](std::vector<int> ids) {
        return [=](CCollDoc& d, CUpdate& u) {
            CPtrListEx list = d.Members(ids);
            u.SetQuestions(&list);
        };
    };
    // The view's collection or the other one renamed, and the views told.
    auto renamed = [](BOOL mine) {
        return [=](CCollDoc& d) {
            CCorraQuestion* collection = mine ? d.algebra : d.geometry;
            collection->m_cszQuestionText = mine ? "Algebra II" : "Shapes";
            CUpdate u;
            u.SetView(collection);
            d.UpdateAllViews(nullptr, HINT_COLLECTION_RENAMED, &u);
        };
    };
    const Case cases[] = {
        {"64, nothing to re-apply", hint(HINT_REREAD, [](CCollDoc&, CUpdate&) {}), {1, 2, 3}, {1, 2, 3}, "Algebra"},
        {"1, a member deleted", hint(HINT_QUESTIONS_DELETED, questions({2})), {1, 3}, {1, 3}, "Algebra"},
        {"1, another question", hint(HINT_QUESTIONS_DELETED, questions({5})), {1, 2, 3}, {1, 2, 3}, "Algebra"},
        {"512, rows redrawn", hint(HINT_REMOVE_QUESTIONS, questions({1})), {1, 2, 3}, {1, 2, 3}, "Algebra"},
        {"1024, this collection", renamed(TRUE), {1, 2, 3}, {1, 2, 3}, "Algebra II"},
        {"1024, another collection", renamed(FALSE), {1, 2, 3}, {1, 2, 3}, "Algebra"},
        {"128, this collection read again",
         [](CCollDoc& d) {
             d.algebra->SetQuestions(d.Members({3, 5}));
             CUpdate u;
             u.SetView(d.algebra);
             d.UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &u);
         },
         {3, 5},
         {3, 5},
         "Algebra"},
        {"128, another collection",
         [](CCollDoc& d) {
             d.algebra->SetQuestions(d.Members({3, 5}));
             CUpdate u;
             u.SetView(d.geometry);
             d.UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &u);
         },
         {1, 2, 3},
         {3, 5},
         "Algebra"},
        {"2048, every collection read again",
         [](CCollDoc& d) {
             d.algebra->SetQuestions(d.Members({5, 1}));
             d.UpdateAllViews(nullptr, HINT_COLLECTIONS_REREAD, nullptr);
         },
         {5, 1},
         {5, 1},
         "Algebra"},
        {"0, the rows from the working copy", [](CCollDoc& d) { d.UpdateAllViews(nullptr, HINT_REFRESH, nullptr); },
         {1, 2, 3},
         {1, 2, 3},
         "Algebra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.reset();
        doc = std::make_unique<CCollDoc>();
        Open(doc->algebra);
        c.send(*doc);
        EXPECT_EQ(host->Rows(), c.rows);
        EXPECT_EQ(MemberIds(*doc->algebra), c.algebra);
        EXPECT_EQ(host->view->GetName(), CString(c.name));
    }
}

TEST_F(CollViewTest, SavingFindsNamesWithoutCaseAndAsksBeforeReplacing)
{
    struct Case {
        const char* what;
        const char* name;
        std::vector<int> answers;  // to "... already exists - replace?"
        const char* prompted;      // the name typed after No, or nullptr
        int result;
        const char* savedAs;       // the collection holding the view's members afterwards
    };
    const Case cases[] = {
        {"a new name", "Review", {}, nullptr, 1, "Review"},
        {"the same name in the same case", "Geometry", {IDYES}, nullptr, 1, "Geometry"},
        {"the same name in another case", " geometry ", {IDYES}, nullptr, 1, "Geometry"},
        {"No, then a new name", "Geometry", {IDNO}, "Trig", 1, "Trig"},
        {"Cancel", "Geometry", {IDCANCEL}, nullptr, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.reset();
        doc = std::make_unique<CCollDoc>();
        Open(nullptr);
        CPtrListEx members = doc->Members({5, 2});
        host->view->SetCollection(members);
        host->view->Refresh();
        host->view->SetModified(TRUE);
        const int collections = doc->GetCollectionCount();
        for (int answer : c.answers)
            messageBox.QueueAnswer(answer);
        CModalScript script;
        if (c.prompted) {
            script.On<CPromptDlg>([&](CPromptDlg& d) {
                auto* edit = d.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
                edit->selectAll();
                edit->insert(QString::fromLatin1(c.prompted));
                ClickDlgButton(d, IDOK);
            });
        }
        const size_t boxes = messageBox.calls.size();
        EXPECT_EQ(host->view->SaveAsCollection(c.name), c.result);
        if (!c.answers.empty()) {
            ASSERT_GT(messageBox.calls.size(), boxes);
            EXPECT_EQ(messageBox.calls[boxes].text, CString("Geometry already exists - replace?"));
        }
        if (!c.savedAs) {
            EXPECT_TRUE(host->view->IsModified());
            EXPECT_EQ(host->view->GetCollection(), nullptr);
            EXPECT_EQ(doc->GetCollectionCount(), collections);
            continue;
        }
        CCorraQuestion* saved = doc->FindCollection(c.savedAs);
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->m_cszQuestionText, CString(c.savedAs));
        EXPECT_EQ(MemberIds(*saved), (std::vector<int>{5, 2}));
        EXPECT_EQ(host->view->GetCollection(), saved);
        EXPECT_EQ(saved->m_pView, host->view);
        EXPECT_FALSE(host->view->IsModified());
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(host->view->GetName(), CString(c.savedAs));
    }
}

// A new bank for "Save as a Question Corra": the scripted save fails as a cancelled file
// dialog does.
class CNewBanks : public IShellDocuments {
public:
    CDocTemplate* GetDocsOfType(LPCSTR, std::vector<CDocument*>& docs, int, CDocument*) override
    {
        docs.clear();
        return nullptr;
    }
    CDocument* FindOpenDocument(LPCSTR) override { return nullptr; }
    CDocument* OpenDocumentOfType(LPCSTR, BOOL) override { return nullptr; }
    void GetRecentFiles(std::vector<CString>&) override {}
    CDocument* NewDocument(int nKind, BOOL) override
    {
        if (nKind != 3)
            return nullptr;
        bank = std::make_unique<CCollDoc>();
        bank->DeleteContents();
        return bank.get();
    }
    int GetOpenLineCount(CDocument*) override { return -1; }
    std::unique_ptr<CCollDoc> bank;
};

TEST_F(CollViewTest, SaveAsABankWhoseSaveIsCancelledKeepsBothWithTheirWork)
{
    Open(doc->algebra);
    host->view->SetModified(TRUE);
    CNewBanks banks;
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), banks);
    CModalScript script;
    CString offered;
    script.OnTemplate(IDD_SAVE_COLLECTION_AS, [&](CDialog& d) {
        auto& dlg = static_cast<CSaveCollectionAsDlg&>(d);
        offered = dlg.m_csFileName;
        dlg.m_nChoice = CSaveCollectionAsDlg::SAVE_AS_CORRA;
        dlg.UpdateData(FALSE);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(host->view->SaveAs(), 2);
    EXPECT_EQ(offered, CString("Maths_Algebra"));
    ASSERT_NE(banks.bank, nullptr);
    EXPECT_EQ(banks.bank->GetQuestionCount(), 3);
    EXPECT_TRUE(banks.bank->IsModified());
    EXPECT_TRUE(host->view->IsModified());
    EXPECT_EQ(host->view->GetCollection(), doc->algebra);
}

TEST_F(CollViewTest, TheOfferedFileNameDropsOnlyAnExtension)
{
    doc->SetTitle("Corra1");
    Open(doc->geometry);
    CModalScript script;
    CString offered;
    script.OnTemplate(IDD_SAVE_COLLECTION_AS, [&](CDialog& d) {
        offered = static_cast<CSaveCollectionAsDlg&>(d).m_csFileName;
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(host->view->SaveAs(), 2);
    EXPECT_EQ(offered, CString("Corra1_Geometry"));
}

TEST_F(CollViewTest, DeletingEveryMemberAndSavingLeavesAnEmptyCollection)
{
    Open(doc->algebra);
    host->Select({0, 1, 2});
    host->view->OnDelete();
    EXPECT_TRUE(host->Rows().empty());
    EXPECT_TRUE(host->view->IsModified());
    EXPECT_EQ(MemberIds(*doc->algebra), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(host->view->Save(), 1);
    EXPECT_TRUE(MemberIds(*doc->algebra).empty());
    EXPECT_TRUE(doc->algebra->IsCollection());
    EXPECT_EQ(doc->GetQuestionCount(), 7);
}

TEST_F(CollViewTest, UndoAndRedoOfASortAMoveAndADelete)
{
    Open(doc->algebra);
    CCollView& view = *host->view;
    // The list sorted itself by ID, downwards.
    view.GetListCtrl()->SortItems(
        [](LPARAM a, LPARAM b, LPARAM) {
            const int x = reinterpret_cast<CCorraQuestion*>(a)->m_nId, y = reinterpret_cast<CCorraQuestion*>(b)->m_nId;
            return (x < y) - (x > y);
        },
        0);
    NMLISTVIEW header{};
    header.iItem = -1;
    header.iSubItem = 7;
    view.OnChildNotify(IDC_QUESTION_LIST, LVN_COLUMNCLICK, &header);
    EXPECT_EQ(host->Rows(), (std::vector<int>{3, 2, 1}));
    ASSERT_EQ(view.GetUndoStack().GetCount(), 1);
    EXPECT_EQ(view.GetUndoStack().Top()->GetDescription(), CString("Sort: ID"));
    EXPECT_EQ(MemberIds(view.GetWorkingCopy()), (std::vector<int>{3, 2, 1}));

    // A move: the last row before the first.
    host->Select({2});
    EXPECT_EQ(view.DropReorder(2, 0), CCorraView::DROP_DONE);
    EXPECT_EQ(host->Rows(), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(view.GetUndoStack().Top()->GetDescription(), CString("move 1 question"));

    // A delete.
    host->Select({1});
    view.OnDelete();
    EXPECT_EQ(host->Rows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(view.GetUndoStack().Top()->GetDescription(), CString("Delete 1 questions"));

    struct Step {
        BOOL undo;
        std::vector<int> rows;
    };
    const Step steps[] = {{TRUE, {1, 3, 2}}, {TRUE, {3, 2, 1}}, {TRUE, {1, 2, 3}},
                          {FALSE, {3, 2, 1}}, {FALSE, {1, 3, 2}}, {FALSE, {1, 2}}, {TRUE, {1, 3, 2}}};
    for (const Step& s : steps) {
        EXPECT_TRUE(s.undo ? view.Undo() : view.Redo());
        EXPECT_EQ(host->Rows(), s.rows) << (s.undo ? "undo" : "redo");
        EXPECT_EQ(MemberIds(view.GetWorkingCopy()), s.rows);
    }
    // A new action after an undo clears the redo history.
    EXPECT_EQ(view.GetRedoStack().GetCount(), 1);
    host->Select({0});
    view.OnDelete();
    EXPECT_TRUE(view.GetRedoStack().IsEmpty());
    EXPECT_FALSE(view.Redo());
    // The document's own history is not touched.
    EXPECT_TRUE(doc->GetUndoStack().IsEmpty());
}

TEST_F(CollViewTest, TheMenuFollowsTheWindowAndExportTakesItsMembersUnderItsName)
{
    Open(doc->algebra);
    CCollView& view = *host->view;
    auto state = [&](UINT id) {
        CTestCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(&view, TRUE);
        return ui;
    };
    auto run = [&](UINT id) { return view.OnCmdMsg(id, CN_COMMAND, nullptr); };
    EXPECT_FALSE(state(ID_FILE_SAVE).m_bEnabled);
    EXPECT_TRUE(state(ID_RENAME_COLLECTION).m_bEnabled);
    EXPECT_FALSE(state(ID_EDIT_UNDO).m_bEnabled);
    host->Select({1});
    ASSERT_TRUE(run(menus::kEditDelete));
    EXPECT_TRUE(state(ID_FILE_SAVE).m_bEnabled);
    EXPECT_EQ(state(ID_EDIT_UNDO).m_strText, CString("Undo Delete 1 questions"));
    ASSERT_TRUE(run(ID_EDIT_UNDO));
    EXPECT_EQ(host->Rows(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(state(ID_EDIT_UNDO).m_bEnabled);
    EXPECT_EQ(state(ID_EDIT_UNDO).m_strText, CString("&Undo\tCtrl+Z"));
    EXPECT_EQ(state(ID_EDIT_REDO).m_strText, CString("Redo Delete 1 questions"));

    // Export Files offers the window's name and writes its members only.
    CModalScript script;
    CString offered;
    script.On<CExportDialog>([&](CExportDialog& d) {
        offered = d.GetOutputPath();
        d.EndDialog(IDCANCEL);
    });
    run(ID_EXPORT_FILES);
    EXPECT_NE(offered.Find("Algebra."), -1) << offered.GetString();
    InstallRtfTextDrawer();
    CExportContext ctx;
    ctx.nFileType = FT_TEXT;
    ctx.csOutputPath = HomePath("algebra.txt");
    ASSERT_TRUE(view.RunExport(ctx));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(ctx.csOutputPath, text));
    for (int id = 1; id <= 5; ++id)
        EXPECT_EQ(text.find(CString::Formatted("Question %d", id).GetString()) != std::string::npos, id <= 3) << id;
}

TEST_F(CollViewTest, TwoUnsavedWindowsGetTheirOwnNames)
{
    Open(nullptr);
    const CString first = host->view->GetName();
    CCollHost second(*doc, nullptr);
    const CString next = second.view->GetName();
    ASSERT_EQ(first.Left(10), CString("Collection"));
    ASSERT_EQ(next.Left(10), CString("Collection"));
    EXPECT_EQ(atoi(next.Mid(10)), atoi(first.Mid(10)) + 1);
}

TEST_F(CollViewTest, ACollectionDeletedWhileOpenLeavesAnUnsavedWindowThatMakesItAgain)
{
    Open(doc->algebra);
    CPtrListEx gone;
    gone.AddTail(doc->algebra);
    ASSERT_TRUE(doc->DeleteQuestionsUndoable(nullptr, gone, "Delete 1 questions"));
    EXPECT_EQ(doc->FindCollection("Algebra"), nullptr);
    EXPECT_EQ(host->view->GetCollection(), nullptr);
    EXPECT_TRUE(host->view->IsModified());
    EXPECT_EQ(host->Rows(), (std::vector<int>{1, 2, 3}));

    CModalScript script;
    AnswerSaveAs(script, "Algebra");
    EXPECT_EQ(host->view->Save(), 1);
    CCorraQuestion* again = doc->FindCollection("Algebra");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(MemberIds(*again), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(host->view->GetCollection(), again);
}

TEST_F(CollViewTest, AModifiedWindowAsksToSaveByKindAndName)
{
    Open(doc->geometry);
    host->Select({0});
    host->view->OnDelete();
    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(host->view->SaveModified());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("Save Collection 'Geometry'?"));
    EXPECT_EQ(MemberIds(*doc->geometry), (std::vector<int>{4}));
    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(host->view->SaveModified());
    EXPECT_TRUE(MemberIds(*doc->geometry).empty());
    EXPECT_TRUE(host->view->SaveModified());
    EXPECT_EQ(messageBox.calls.size(), 2u);
}

TEST_F(CollViewTest, PastedQuestionsGoIntoTheDocumentAndTheWindowAtTheSelectedRow)
{
    struct Case {
        const char* name;
        const char* source;  // the clipboard's document: another bank, or this one by its title
        std::vector<int> ids;
        std::vector<int> rows;
        std::vector<int> docIds;
    };
    const Case cases[] = {
        {"from another bank", "Other.crr", {20, 21}, {1, 20, 21, 2, 3}, {1, 2, 3, 4, 5, 20, 21}},
        {"from the same bank, by ID", "Maths.crr", {5}, {1, 5, 2, 3}, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Open(doc->algebra);
        CQuestionList list;
        list.m_bOwnsQuestions = TRUE;
        for (int id : c.ids) {
            auto* q = new CCorraQuestion;
            q->m_nId = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Pasted %d", id);
            list.AddTail(q);
        }
        CArchive ar;
        ar << CString(c.source) << CString("CID_X");
        list.Serialize(ar);
        COleDataSource source;
        source.CacheGlobalData(CCorraDoc::QuestionListFormat(), ar.GetData());
        COleDataObject data;
        data.Attach(&source);
        host->Select({1});
        EXPECT_EQ(host->view->PasteFrom(data), CCorraView::DROP_DONE);
        EXPECT_EQ(host->Rows(), c.rows);
        EXPECT_TRUE(host->view->IsModified());
        std::vector<int> ids;
        for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos));
            if (!q->IsCollection())
                ids.push_back(q->m_nId);
        }
        EXPECT_EQ(ids, c.docIds);
    }
}

} // namespace
