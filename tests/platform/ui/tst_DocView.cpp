#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include "foundation/Util.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include <string>
#include <memory>
#include <vector>

namespace {

constexpr UINT IDR_TESTDOC = 3;
constexpr UINT ID_CMD_ROUTE = 33100;
constexpr UINT ID_CMD_GREYED = 33101;
constexpr UINT WM_TEST_PING = WM_APP + 0x51;
const char* const kDocStrings = "\nCorra\nCorra\nCorra Files (*.crr)\n.crr\nCorra.Document\nCorra Document";

std::vector<std::string> g_route;  // which targets saw a command, in order

class CTextDoc : public CDocument {
public:
    CTextDoc()
    {
        BindCommand(ID_CMD_ROUTE, [] { g_route.push_back("doc"); });
    }
    void DeleteContents() override { text.clear(); }
    std::string text;
    BOOL failWrite = FALSE;
    BOOL takeRoute = FALSE;

    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override
    {
        if (nID == ID_CMD_ROUTE && nCode == CN_COMMAND && !takeRoute) {
            g_route.push_back("doc-passed");
            return FALSE;
        }
        return CDocument::OnCmdMsg(nID, nCode, pExtra);
    }

protected:
    BOOL ReadFromFile(LPCSTR path) override
    {
        std::string s;
        if (!fsys::ReadFile(path, s) || s.rfind("BAD", 0) == 0)
            return FALSE;
        text = s;
        return TRUE;
    }
    BOOL WriteToFile(LPCSTR path) override
    {
        return !failWrite && fsys::WriteFileAtomic(path, text.data(), text.size());
    }
};

const CDocViewKind s_textDocKind(typeid(CTextDoc), DVK_CORRADOC);

struct Update {
    CView* sender;
    LPARAM hint;
    CObject* object;
};

class CTestView : public CView {
public:
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override { updates.push_back({pSender, lHint, pHint}); }
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
    {
        activations.push_back(bActivate);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TEST_PING)
            pings.push_back(wParam);
        return 0;
    }
    BOOL takeRoute = FALSE;
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override
    {
        if (nID == ID_CMD_ROUTE && nCode == CN_COMMAND) {
            g_route.push_back("view");
            if (takeRoute)
                return TRUE;
        }
        return CView::OnCmdMsg(nID, nCode, pExtra);
    }

    int initialUpdates = 0;
    std::vector<Update> updates;
    std::vector<BOOL> activations;
    std::vector<WPARAM> pings;
};

class CTestFrame : public QWidget, public CFrameWnd {
public:
    CTestFrame() : CFrameWnd(this) { new QVBoxLayout(this); }
    BOOL takeRoute = FALSE;
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override { return CFrameWnd::OnCmdMsg(nID, nCode, pExtra); }
    BOOL RouteOutward(UINT nID, UINT nCode, void* pExtra) override
    {
        if (nID == ID_CMD_ROUTE && nCode == CN_COMMAND) {
            g_route.push_back("frame");
            if (takeRoute)
                return TRUE;
        }
        return CFrameWnd::RouteOutward(nID, nCode, pExtra);
    }

protected:
    void SetClientWidget(QWidget* pClient) override { layout()->addWidget(pClient); }
};

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("Corra")
    {
        BindCommand(ID_CMD_ROUTE, [] { g_route.push_back("app"); });
        BindUpdate(ID_CMD_GREYED, [](CCmdUI* ui) { ui->Enable(FALSE); });
        BindCommand(ID_CMD_GREYED, [] { g_route.push_back("greyed ran"); });
    }
};

CMultiDocTemplate* MakeTemplate(const char* docStrings = kDocStrings)
{
    auto* t = new CMultiDocTemplate(IDR_TESTDOC, CCreatable<CDocument>::Of<CTextDoc>(),
                                    CCreatable<CFrameWnd>::Of<CTestFrame>(), CCreatable<CView>::Of<CTestView>());
    t->SetDocStrings(docStrings);
    return t;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class DocViewTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        g_route.clear();
        app = std::make_unique<CTestApp>();
        tmpl = MakeTemplate();
        app->AddDocTemplate(tmpl);
    }
    void TearDown() override
    {
        app->CloseAllDocuments(TRUE);
        FlushDeletes();
        app.reset();
        CorraTest::TearDown();
    }
    CTextDoc* Open(const char* path)
    {
        return dynamic_cast<CTextDoc*>(tmpl->OpenDocumentFile(path, FALSE));
    }
    static CTestView* FirstView(CDocument* pDoc) { return dynamic_cast<CTestView*>(pDoc->GetFirstView()); }

    std::unique_ptr<CTestApp> app;
    CMultiDocTemplate* tmpl = nullptr;
};

TEST(DocTemplate, DocStringFields)
{
    std::unique_ptr<CMultiDocTemplate> t(MakeTemplate());
    const struct {
        CDocTemplate::DocStringIndex index;
        const char* expected;
        BOOL found;
    } cases[] = {
        {CDocTemplate::windowTitle, "", FALSE},
        {CDocTemplate::docName, "Corra", TRUE},
        {CDocTemplate::fileNewName, "Corra", TRUE},
        {CDocTemplate::filterName, "Corra Files (*.crr)", TRUE},
        {CDocTemplate::filterExt, ".crr", TRUE},
        {CDocTemplate::regFileTypeId, "Corra.Document", TRUE},
        {CDocTemplate::regFileTypeName, "Corra Document", TRUE},
    };
    for (const auto& c : cases) {
        CString out = "stale";
        EXPECT_EQ(t->GetDocString(out, c.index), c.found) << c.index;
        EXPECT_STREQ(out, c.expected) << c.index;
    }
    CString out;
    std::unique_ptr<CMultiDocTemplate> shortOne(MakeTemplate("\nSource"));
    EXPECT_FALSE(shortOne->GetDocString(out, CDocTemplate::filterExt));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(DocTemplate, MatchDocTypeByWholeExtension)
{
    const char* const sourceStrings = "\nSource\nSource Document\nSource Files (*.txt; *.doc;*.rtf;*.wpd)\n"
                                      ".txt;.doc;.rtf;.wpd\nSource.Document\nSource Document";
    const struct {
        const char* docStrings;
        const char* path;
        CDocTemplate::Confidence expected;
    } cases[] = {
        {kDocStrings, "/h/a.crr", CDocTemplate::yesAttemptNative},
        {kDocStrings, "/h/A.CRR", CDocTemplate::yesAttemptNative},
        {kDocStrings, "/h/a.cr", CDocTemplate::yesAttemptForeign},
        {kDocStrings, "/h/x.c", CDocTemplate::yesAttemptForeign},
        {kDocStrings, "/h/a.crrx", CDocTemplate::yesAttemptForeign},
        {kDocStrings, "/h.crr/bank", CDocTemplate::yesAttemptForeign},  // the folder's dot is not the file's
        {kDocStrings, "/h/crr", CDocTemplate::yesAttemptForeign},
        {sourceStrings, "/h/notes.RTF", CDocTemplate::yesAttemptNative},
        {sourceStrings, "/h/notes.wpd", CDocTemplate::yesAttemptNative},
        {sourceStrings, "/h/notes.tx", CDocTemplate::yesAttemptForeign},
        {sourceStrings, "/h/notes.txt.bak", CDocTemplate::yesAttemptForeign},
        {"\nSource\nSource\n\n\n", "/h/a.txt", CDocTemplate::yesAttemptForeign},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CMultiDocTemplate> t(MakeTemplate(c.docStrings));
        CDocument* pMatch = reinterpret_cast<CDocument*>(1);
        EXPECT_EQ(t->MatchDocType(c.path, pMatch), c.expected) << c.path;
        EXPECT_EQ(pMatch, nullptr) << c.path;
    }
}

TEST_F(DocViewTest, OpenDocumentIsFoundByItsFullPathOnly)
{
    CString a = WriteHomeFile("a/bank.crr", "one");
    CString b = WriteHomeFile("b/bank.crr", "two");
    CTextDoc* pA = Open(a);
    ASSERT_NE(pA, nullptr);
    EXPECT_EQ(pA->text, "one");
    EXPECT_STREQ(pA->GetTitle(), "bank.crr");
    EXPECT_FALSE(pA->IsModified());

    CDocument* pMatch = nullptr;
    EXPECT_EQ(tmpl->MatchDocType(b, pMatch), CDocTemplate::yesAttemptNative);
    EXPECT_EQ(pMatch, nullptr);
    EXPECT_EQ(tmpl->MatchDocType(Home() + "a/../a/./bank.crr", pMatch), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(pMatch, pA);

    // Through the application: the open one is returned, the other file opens beside it.
    EXPECT_EQ(app->OpenDocumentFile(a), pA);
    auto* pB = dynamic_cast<CTextDoc*>(app->OpenDocumentFile(b));
    ASSERT_NE(pB, nullptr);
    EXPECT_NE(pB, pA);
    EXPECT_EQ(pB->text, "two");
    EXPECT_EQ(tmpl->GetDocumentCount(), 2);
}

TEST_F(DocViewTest, NewAndOpenBuildFrameAndViewAndFailureLeavesNothing)
{
    CTextDoc* pNew = Open(nullptr);
    ASSERT_NE(pNew, nullptr);
    EXPECT_STREQ(pNew->GetTitle(), "Corra1");
    CTestView* pView = FirstView(pNew);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), pNew);
    EXPECT_EQ(pView->initialUpdates, 1);
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->GetActiveView(), pView);
    EXPECT_STREQ(pFrame->GetWindowText(), "Corra1");
    EXPECT_STREQ(Open(nullptr)->GetTitle(), "Corra2");

    CString bad = WriteHomeFile("bad.crr", "BAD");
    EXPECT_EQ(Open(bad), nullptr);
    EXPECT_EQ(Open(HomePath("missing.crr")), nullptr);
    EXPECT_EQ(tmpl->GetDocumentCount(), 2);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_NE(messageBox.calls[0].text.Find(bad), -1);
}

TEST_F(DocViewTest, UpdateAllViewsReachesEveryViewButTheSender)
{
    CTextDoc* pDoc = Open(nullptr);
    ASSERT_NE(pDoc, nullptr);
    // A second frame on the same document.
    CFrameWnd* pFrame2 = tmpl->CreateNewFrame(pDoc, nullptr);
    ASSERT_NE(pFrame2, nullptr);
    tmpl->InitialUpdateFrame(pFrame2, pDoc, FALSE);
    ASSERT_EQ(pDoc->GetViewCount(), 2);
    POSITION pos = pDoc->GetFirstViewPosition();
    auto* v1 = dynamic_cast<CTestView*>(pDoc->GetNextView(pos));
    auto* v2 = dynamic_cast<CTestView*>(pDoc->GetNextView(pos));
    v1->updates.clear();
    v2->updates.clear();
    CObject hint;
    pDoc->UpdateAllViews(v1, 0x808, &hint);
    EXPECT_TRUE(v1->updates.empty());
    ASSERT_EQ(v2->updates.size(), 1u);
    EXPECT_EQ(v2->updates[0].sender, v1);
    EXPECT_EQ(v2->updates[0].hint, 0x808);
    EXPECT_EQ(v2->updates[0].object, &hint);
    pDoc->UpdateAllViews(nullptr, 4);
    EXPECT_EQ(v1->updates.size(), 1u);
    EXPECT_EQ(v2->updates.size(), 2u);
    // Two frames: numbered in their titles.
    EXPECT_STREQ(v1->GetParentFrame()->GetWindowText(), "Corra1:1");
    EXPECT_STREQ(pFrame2->GetWindowText(), "Corra1:2");
}

// Save flows: what the user answers, what the file dialog gives, and what follows.
TEST_F(DocViewTest, SaveModifiedFlows)
{
    CString existing = WriteHomeFile("old.crr", "old");
    const struct {
        const char* name;
        bool hasPath;
        int answer;              // to "Save changes to ...?"
        const char* dialogPath;  // nullptr: the file dialog is cancelled
        bool failWrite;
        BOOL expectResult;
        bool expectModified;
        const char* expectFile;  // content of the file afterwards (nullptr: not there)
    } cases[] = {
        {"cancel keeps all", true, IDCANCEL, nullptr, false, FALSE, true, "old"},
        {"no drops changes", true, IDNO, nullptr, false, TRUE, true, "old"},
        {"yes saves to path", true, IDYES, nullptr, false, TRUE, false, "edited"},
        {"yes, save fails", true, IDYES, nullptr, true, FALSE, true, "old"},
        {"untitled, dialog cancelled", false, IDYES, nullptr, false, FALSE, true, nullptr},
        {"untitled, saved as", false, IDYES, "new.crr", false, TRUE, false, "edited"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fsys::WriteFile(existing, "old", 3);
        fsys::DeleteFile(HomePath("new.crr"));
        messageBox.calls.clear();
        fileDialog.requests.clear();
        CTextDoc* pDoc = Open(c.hasPath ? static_cast<const char*>(existing) : nullptr);
        ASSERT_NE(pDoc, nullptr);
        CString untitled = pDoc->GetTitle();
        pDoc->text = "edited";
        pDoc->failWrite = c.failWrite;
        pDoc->SetModifiedFlag();
        messageBox.QueueAnswer(c.answer);
        if (c.dialogPath)
            fileDialog.QueuePath(HomePath(c.dialogPath));
        EXPECT_EQ(pDoc->SaveModified(), c.expectResult);
        EXPECT_EQ(pDoc->IsModified() != FALSE, c.expectModified);
        ASSERT_GE(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        if (c.failWrite) {
            EXPECT_EQ(messageBox.calls.size(), 2u);  // the failure is reported
        }
        CString target = c.hasPath ? existing : HomePath(c.dialogPath ? c.dialogPath : "new.crr");
        std::string content;
        if (c.expectFile) {
            ASSERT_TRUE(fsys::ReadFile(target, content));
            EXPECT_EQ(content, c.expectFile);
        } else {
            EXPECT_FALSE(fsys::Exists(target));
        }
        if (!c.hasPath && c.answer == IDYES) {
            ASSERT_EQ(fileDialog.requests.size(), 1u);
            EXPECT_EQ(fileDialog.requests[0].kind, CFileDialogRequest::kindSave);
            EXPECT_STREQ(fileDialog.requests[0].fileName, untitled + ".crr");
            EXPECT_STREQ(fileDialog.requests[0].filter, "Corra Files (*.crr)");
            EXPECT_STREQ(fileDialog.requests[0].defaultExt, "crr");
        }
        if (c.dialogPath) {
            EXPECT_STREQ(pDoc->GetPathName(), target);
            EXPECT_STREQ(pDoc->GetTitle(), "new.crr");
        }
        pDoc->SetModifiedFlag(FALSE);
        pDoc->OnCloseDocument();
        FlushDeletes();
    }
}

TEST_F(DocViewTest, OnlyTheLastFrameAsksBeforeClosing)
{
    CString path = WriteHomeFile("a.crr", "x");
    CTextDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pFrame1 = FirstView(pDoc)->GetParentFrame();
    CFrameWnd* pFrame2 = tmpl->CreateNewFrame(pDoc, nullptr);
    tmpl->InitialUpdateFrame(pFrame2, pDoc, FALSE);
    pDoc->SetModifiedFlag();

    EXPECT_TRUE(pFrame2->CloseFrame());
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(pDoc->GetViewCount(), 1);

    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(pFrame1->CloseFrame());
    EXPECT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(tmpl->GetDocumentCount(), 1);

    messageBox.QueueAnswer(IDNO);
    EXPECT_TRUE(pFrame1->CloseFrame());
    EXPECT_EQ(tmpl->GetDocumentCount(), 0);  // the document went with its last view
    FlushDeletes();
}

TEST_F(DocViewTest, CommandsRouteViewDocumentFrameApplication)
{
    CTextDoc* pDoc = Open(nullptr);
    CTestView* pView = FirstView(pDoc);
    auto* pFrame = dynamic_cast<CTestFrame*>(pView->GetParentFrame());
    ASSERT_NE(pFrame, nullptr);

    const struct {
        const char* takes;
        std::vector<std::string> expected;
    } cases[] = {
        {"view", {"view"}},
        {"doc", {"view", "doc"}},
        {"frame", {"view", "doc-passed", "frame"}},
        {"app", {"view", "doc-passed", "frame", "app"}},
    };
    for (const auto& c : cases) {
        std::string takes = c.takes;
        pView->takeRoute = takes == "view";
        pDoc->takeRoute = takes == "doc";
        pFrame->takeRoute = takes == "frame";
        // From the frame (menus, toolbars) and from the view (a posted command) alike.
        for (int from = 0; from < 2; ++from) {
            g_route.clear();
            if (from == 0)
                EXPECT_TRUE(pFrame->OnCommand(ID_CMD_ROUTE)) << c.takes;
            else
                EXPECT_TRUE(pView->OnCommand(ID_CMD_ROUTE)) << c.takes;
            EXPECT_EQ(g_route, c.expected) << c.takes << " from " << from;
        }
    }

    // An update handler anywhere on the route decides; a disabled command does not run.
    CTestCmdUI ui;
    ui.m_nID = ID_CMD_GREYED;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_FALSE(ui.m_bEnabled);
    g_route.clear();
    EXPECT_TRUE(pView->OnCommand(ID_CMD_GREYED));
    EXPECT_TRUE(g_route.empty());
    CTestCmdUI none;
    none.m_nID = 33199;
    none.DoUpdate(pFrame, TRUE);
    EXPECT_FALSE(none.m_bEnabled);
    CTestCmdUI save;
    save.m_nID = ID_FILE_SAVE;
    save.DoUpdate(pFrame, TRUE);
    EXPECT_TRUE(save.m_bEnabled);  // the document's handler
}

TEST_F(DocViewTest, CloseCommandPostedToFirstViewClosesTheDocument)
{
    CTextDoc* pDoc = Open(nullptr);
    CTestView* pView = FirstView(pDoc);
    EXPECT_TRUE(pDoc->PostToFirstView(WM_TEST_PING, 7));
    EXPECT_TRUE(pDoc->PostCommandToFirstView(ID_FILE_CLOSE));
    EXPECT_TRUE(pView->pings.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(pView->pings, std::vector<WPARAM>{7});
    EXPECT_EQ(tmpl->GetDocumentCount(), 0);
    FlushDeletes();
}

TEST_F(DocViewTest, ActivatingAViewTellsBothViews)
{
    CTextDoc* pDoc = Open(nullptr);
    CFrameWnd* pFrame = FirstView(pDoc)->GetParentFrame();
    CCreateContext ctx;
    ctx.m_pCurrentDoc = pDoc;
    ctx.m_pNewViewClass = CCreatable<CView>::Of<CTestView>();
    auto* pSecond = dynamic_cast<CTestView*>(pFrame->CreateView(&ctx, AFX_IDW_PANE_FIRST + 1));
    ASSERT_NE(pSecond, nullptr);
    CTestView* pFirst = FirstView(pDoc);
    pFirst->activations.clear();
    pFrame->SetActiveView(pSecond);
    EXPECT_EQ(pFirst->activations, std::vector<BOOL>{FALSE});
    EXPECT_EQ(pSecond->activations, std::vector<BOOL>{TRUE});
    EXPECT_EQ(pFrame->GetActiveDocument(), pDoc);
}

TEST_F(DocViewTest, DocumentKindAnswersThroughTheBase)
{
    CTextDoc* pDoc = Open(nullptr);
    CDocument* pBase = pDoc;
    EXPECT_EQ(GetDocViewKind(pBase), DVK_CORRADOC);
    EXPECT_EQ(GetDocViewKind(pDoc->GetFirstView()), DVK_OTHER);
}

} // namespace

TEST(DocumentRef, NeverGivesADocumentThatIsGoneNorOneMadeLaterInItsPlace)
{
    auto* first = new CDocument;
    CDocumentRef ref(first);
    EXPECT_EQ(ref.Get(), first);
    EXPECT_TRUE(ref.Is(first));
    delete first;
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_TRUE(ref.IsSet());
    // Another document may well be made at the freed address: it is not the one referred to.
    std::vector<std::unique_ptr<CDocument>> later;
    for (int i = 0; i < 16; ++i)
        later.push_back(std::make_unique<CDocument>());
    EXPECT_EQ(ref.Get(), nullptr);
    CDocumentRef none;
    EXPECT_EQ(none.Get(), nullptr);
    EXPECT_FALSE(none.IsSet());
}
