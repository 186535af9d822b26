// Copy, cut and paste between the panes of two banks through the system clipboard, the clash
// dialog that settles IDs the target already holds, reorders within a list, and clipboard bytes
// of any program refused as a whole.

#include "views/CorraView.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/QuestionList.h"
#include "model/Update.h"
#include "platform/core/Archive.h"
#include "platform/ui/OleData.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TransferBanks.h"
#include "dialogs/DupCollectionsDlg.h"
#include "views/CollListCtrl.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ODListCtrl.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

namespace {

using CBankDoc = CTransferBank;

std::vector<int> Ids(const CPtrListEx& list)
{
    return TransferIds(list);
}

std::vector<int> Ids(const CDWordArray& a)
{
    return TransferIds(a);
}

class TransferTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        a = std::make_unique<CBankDoc>("Alpha", std::vector<int>{1, 2, 3, 4});
        b = std::make_unique<CBankDoc>("Beta", std::vector<int>{3, 10, 11});
        CPtrListEx members;
        members.AddTail(b->FindQuestionById(10));
        b->GetOrCreateCollection("Unit", &members);
        b->SetModifiedFlag(FALSE);
        pa = std::make_unique<CCorraPanes>(*a);
        pb = std::make_unique<CCorraPanes>(*b);
    }
    void TearDown() override
    {
        pa.reset();
        pb.reset();
        a.reset();
        b.reset();
        m_dialogs.reset();
        QGuiApplication::clipboard()->clear();
        CorraTest::TearDown();
    }

    CFakeDocumentDialogs dialogs;
    std::unique_ptr<CBankDoc> a, b;
    std::unique_ptr<CCorraPanes> pa, pb;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(TransferTest, ListsTravelUnderTheirMimeTypesAndOversizedBytesAreNotRead)
{
    const UINT format = CCorraDoc::QuestionListFormat();
    EXPECT_EQ(ClipboardFormatMime(format).toStdString(), "application/x-corra-question-list");
    EXPECT_EQ(ClipboardFormatMime(CCorraDoc::CollectionListFormat()).toStdString(),
              "application/x-corra-collection-list");
    SetClipboardBytes(format, {1, 2, 3});
    COleDataObject data;
    data.AttachClipboard();
    std::vector<BYTE> got;
    ASSERT_TRUE(data.GetData(format, got));
    EXPECT_EQ(got, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_FALSE(data.IsDataAvailable(CCorraDoc::CollectionListFormat()));

    auto* mime = new QMimeData;
    mime->setData(ClipboardFormatMime(format), QByteArray(static_cast<int>(MAX_TRANSFER_BYTES + 1), 'x'));
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_FALSE(data.GetData(format, got));
}

TEST_F(TransferTest, CopyAndPasteCarryQuestionsByTarget)
{
    struct Case {
        const char* name;
        bool otherBank;
        bool intoCollectionPane;
        bool cut;
        bool busy;
        std::vector<int> targetAfter;
    };
    // Alpha 1..4; Beta 3, 10, 11 and the collection "Unit" holding 10.
    const Case cases[] = {
        {"another bank, no clash", true, false, false, false, {3, 10, 11, 1, 2}},
        {"same bank adds nothing", false, false, false, false, {1, 2, 3, 4}},
        {"cut then paste gives the questions back", false, false, true, false, {3, 4, 1, 2}},
        {"a busy view takes nothing", true, false, false, true, {3, 10, 11}},
        {"into the collection pane", true, true, false, false, {3, 10, 11, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        SelectQuestionIds(*pa->upper, {1, 2});
        if (c.cut)
            pa->upper->OnEditCut();
        else
            pa->upper->OnEditCopy();
        if (c.cut) {
            EXPECT_EQ(DocIds(*a), (std::vector<int>{3, 4}));
        }
        CCorraView& target = c.otherBank ? (c.intoCollectionPane ? *pb->lower : *pb->upper) : *pa->upper;
        EXPECT_TRUE(target.CanPaste());
        if (c.intoCollectionPane)
            target.GetListCtrl()->SelectItem(0, TRUE);
        target.m_bBusy = c.busy;
        COleDataObject data;
        data.AttachClipboard();
        const int result = target.PasteFrom(data);
        EXPECT_EQ(result, c.busy ? CCorraView::DROP_REFUSED : CCorraView::DROP_DONE);
        CCorraDoc& doc = c.otherBank ? static_cast<CCorraDoc&>(*b) : *a;
        EXPECT_EQ(DocIds(doc), c.targetAfter);
        CODListCtrl& upper = *(c.otherBank ? pb : pa)->upper->GetListCtrl();
        EXPECT_EQ(RowQuestionIds(upper), c.targetAfter);
        if (c.intoCollectionPane) {
            CCorraQuestion* unit = b->FindCollection("Unit");
            CDWordArray members;
            unit->GetQuestIds(members);
            EXPECT_EQ(Ids(members), (std::vector<int>{10, 1, 2}));
        }
        if (c.otherBank && !c.busy) {
            EXPECT_EQ(b->FindQuestionById(1)->m_cszQuestionText, CString("Alpha question 1"));
        }
    }
}

TEST_F(TransferTest, ClashesAreSettledByTheDialogAndTheIdMapCoversEveryCopy)
{
    struct Case {
        const char* name;
        int button;
        std::vector<int> targetAfter;
        const char* textOf3;
        int mapOf3;  // 0: a new ID
    };
    const Case cases[] = {
        {"skip", IDC_DUPQ_SKIP, {3, 10, 11, 2}, "Beta question 3", 3},
        {"duplicate (all)", IDC_DUPQ_DUPLICATE_ALL, {3, 10, 11, 2, 0}, "Beta question 3", 0},
        {"overwrite", IDC_DUPQ_OVERWRITE, {3, 10, 11, 2}, "Alpha question 3", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBankDoc target("Beta", {3, 10, 11});
        CQuestionList owned;
        owned.m_bOwnsQuestions = TRUE;
        owned.AddTail(CBankDoc::Question(2, "Alpha question 2"));
        owned.AddTail(CBankDoc::Question(3, "Alpha question 3"));
        CDuplicateQuestionsDlg dlg(&target, owned, nullptr);
        ASSERT_EQ(dlg.Check(), 1);
        EXPECT_FALSE(dlg.IsSettled());
        EXPECT_EQ(Ids(dlg.ExistingList()), (std::vector<int>{3}));
        ClickDlgButton(dlg, c.button);
        ASSERT_TRUE(dlg.IsSettled());
        ASSERT_TRUE(dlg.Apply());
        std::vector<int> after = DocIds(target);
        std::vector<int> expected = c.targetAfter;
        if (expected.back() == 0) {
            EXPECT_GT(after.back(), 11);
            expected.back() = after.back();
        }
        EXPECT_EQ(after, expected);
        EXPECT_EQ(target.FindQuestionById(3)->m_cszQuestionText, CString(c.textOf3));
        int mapped = 0;
        ASSERT_TRUE(dlg.m_idMap.Lookup(3, mapped));
        EXPECT_EQ(mapped, c.mapOf3 ? c.mapOf3 : after.back());
        ASSERT_TRUE(dlg.m_idMap.Lookup(2, mapped));
        EXPECT_EQ(mapped, 2);
    }
}

TEST_F(TransferTest, CopiedQuestionsSharingAnIdAreHandledOneAtATime)
{
    CBankDoc target("Beta", {10});
    CQuestionList owned;
    owned.m_bOwnsQuestions = TRUE;
    owned.AddTail(CBankDoc::Question(5, "first five"));
    owned.AddTail(CBankDoc::Question(5, "second five"));
    CDuplicateQuestionsDlg dlg(&target, owned, nullptr);
    EXPECT_EQ(dlg.Check(), 2);
    EXPECT_FALSE(dlg.DuplicateAll());
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_NE(messageBox.calls.back().text.Find("duplicate IDs or Indicies within its own list"), -1);
    EXPECT_FALSE(dlg.OverwriteAll());
    EXPECT_TRUE(dlg.Duplicate(static_cast<CCorraQuestion*>(owned.GetTail())));
    EXPECT_TRUE(dlg.IsSettled());
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(DocIds(target).size(), 3u);
}

TEST_F(TransferTest, PasteFromAnotherBankAnswersTheClashDialog)
{
    SelectQuestionIds(*pa->upper, {2, 3});
    pa->upper->OnEditCopy();
    CModalScript script;
    script.On<CDuplicateQuestionsDlg>([](CDuplicateQuestionsDlg& dlg) {
        ClickDlgButton(dlg, IDC_DUPQ_DUPLICATE_ALL);
        ClickDlgButton(dlg, IDOK);
    });
    pb->upper->OnEditPaste();
    EXPECT_EQ(script.Answered(), 1);
    std::vector<int> ids = DocIds(*b);
    ASSERT_EQ(ids.size(), 5u);
    EXPECT_EQ(b->FindQuestionById(3)->m_cszQuestionText, CString("Beta question 3"));
    EXPECT_EQ(b->FindQuestionById(ids.back())->m_cszQuestionText, CString("Alpha question 3"));
    EXPECT_EQ(RowQuestionIds(*pb->upper->GetListCtrl()), ids);

    // Cancelled, nothing changes.
    CModalScript cancel;
    cancel.On<CDuplicateQuestionsDlg>([](CDuplicateQuestionsDlg& dlg) { ClickDlgButton(dlg, IDCANCEL); });
    pb->upper->OnEditPaste();
    EXPECT_EQ(DocIds(*b), ids);
}

TEST_F(TransferTest, ReordersWithinTheOwnList)
{
    struct Case {
        const char* name;
        std::vector<int> moved;
        int onto;  // ID of the target row, 0 below the last row
        int result;
        std::vector<int> after;
        const char* undo;
    };
    const Case cases[] = {
        {"onto itself", {2}, 2, CCorraView::DROP_REFUSED, {1, 2, 3, 4}, ""},
        {"onto a selected row", {1, 2}, 2, CCorraView::DROP_REFUSED, {1, 2, 3, 4}, ""},
        {"one before another", {4}, 2, CCorraView::DROP_DONE, {1, 4, 2, 3}, "move 1 question"},
        {"two below the last", {1, 2}, 0, CCorraView::DROP_DONE, {3, 4, 1, 2}, "move 2 questions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        SelectQuestionIds(*pa->upper, c.moved);
        CODListCtrl& list = *pa->upper->GetListCtrl();
        const int dragged = list.FindItem(list.FindQuestionById(c.moved.front()));
        const int target = c.onto ? list.FindItem(list.FindQuestionById(c.onto)) : -1;
        EXPECT_EQ(pa->upper->DropReorder(dragged, target), c.result);
        EXPECT_EQ(RowQuestionIds(list), c.after);
        EXPECT_EQ(DocIds(*a), c.after);
        EXPECT_EQ(a->GetUndoText(), CString(c.undo));
        if (c.result == CCorraView::DROP_DONE) {
            a->Undo();
            EXPECT_EQ(DocIds(*a), (std::vector<int>{1, 2, 3, 4}));
        }
    }
}

TEST_F(TransferTest, ForeignBytesRefuseTheWholePaste)
{
    auto bytesOf = [](const CString& path, const CString& id, const char* subject) {
        CArchive ar;
        ar << path << id;
        CQuestionList list;
        list.m_bOwnsQuestions = TRUE;
        CCorraQuestion* q = CBankDoc::Question(7, "pasted");
        if (subject)
            q->m_saSubjects.Add(subject);
        list.AddTail(q);
        list.Serialize(ar);
        return ar.GetData();
    };
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        bool said;
    };
    std::vector<BYTE> cut = bytesOf("x.crr", "CID_X", nullptr);
    cut.resize(cut.size() - 3);
    const Case cases[] = {
        {"a subject with braces", bytesOf("x.crr", "CID_X", "Alg{ebra"), true},
        {"a path with a control character", bytesOf("x\n.crr", "CID_X", nullptr), true},
        {"a CORRAID too long", bytesOf("x.crr", CString('i', 65), nullptr), true},
        {"cut short", cut, true},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        SetClipboardBytes(CCorraDoc::QuestionListFormat(), c.bytes);
        COleDataObject data;
        data.AttachClipboard();
        EXPECT_EQ(pb->upper->PasteFrom(data), CCorraView::DROP_REFUSED);
        EXPECT_EQ(DocIds(*b), (std::vector<int>{3, 10, 11}));
        ASSERT_EQ(messageBox.calls.size(), c.said ? 1u : 0u);
        if (c.said) {
            EXPECT_EQ(messageBox.calls[0].text, CString("The clipboard data cannot be pasted."));
        }
    }
}

TEST_F(TransferTest, CollectionsIntoAnotherPaneFollowTheAnswerOfTheNameClash)
{
    struct Case {
        const char* name;
        const char* copiedName;  // Alpha's collection, holding 1 and 2
        int answer;              // -1: no dialog expected, IDCANCEL, or a choice
        std::vector<int> unitAfter;
        std::vector<int> betaAfter;
        std::vector<int> copyAfter;  // members of the collection named copiedName in Beta
    };
    const Case cases[] = {
        {"a new name asks nothing", "Other", -1, {10}, {3, 10, 11, 1, 2}, {1, 2}},
        {"add to the existing", "Unit", DUPC_ADD_TO_EXISTING, {10, 1, 2}, {3, 10, 11, 1, 2}, {10, 1, 2}},
        {"overwrite the existing", "Unit", DUPC_OVERWRITE, {1, 2}, {3, 10, 11, 1, 2}, {1, 2}},
        {"leave the clashing out", "Unit", DUPC_LEAVE_OUT, {10}, {3, 10, 11}, {10}},
        {"cancelled", "Unit", IDCANCEL, {10}, {3, 10, 11}, {10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        CPtrListEx members;
        members.AddTail(a->FindQuestionById(1));
        members.AddTail(a->FindQuestionById(2));
        a->GetOrCreateCollection(c.copiedName, &members);
        a->UpdateAllViews(nullptr, HINT_REFRESH, nullptr);
        pa->lower->GetListCtrl()->SelectItem(0, TRUE);
        pa->lower->OnEditCopy();
        CModalScript script;
        CString message;
        if (c.answer != -1) {
            script.On<CDupCollectionsDlg>([&](CDupCollectionsDlg& dlg) {
                message = CString(qobject_cast<QLabel*>(dlg.GetDlgItem(IDC_DUPC_MESSAGE))->text().toLocal8Bit().constData());
                if (c.answer == IDCANCEL) {
                    ClickDlgButton(dlg, IDCANCEL);
                    return;
                }
                qobject_cast<QRadioButton*>(dlg.GetDlgItem(IDC_DUPC_ADD + c.answer))->setChecked(true);
                ClickDlgButton(dlg, IDOK);
            });
        }
        pb->lower->OnEditPaste();
        EXPECT_EQ(script.Answered(), c.answer == -1 ? 0 : 1);
        if (c.answer != -1) {
            EXPECT_EQ(message, CString("1 collection(s) being copied already exist in Beta.  Please take the "
                                       "appropriate action below."));
        }
        EXPECT_EQ(DocIds(*b), c.betaAfter);
        EXPECT_EQ(MemberIds(b->FindCollection("Unit")), c.unitAfter);
        EXPECT_EQ(MemberIds(b->FindCollection(c.copiedName)), c.copyAfter);
        EXPECT_EQ(pb->lower->GetListCtrl()->GetItemCount(), b->GetCollectionCount());
    }
}

TEST_F(TransferTest, ACopiedCollectionNamesItsMembersByTheirIdsInTheTarget)
{
    struct Case {
        const char* name;
        int button;
        bool newId;  // the member clashing with Beta's 3 became a new question
    };
    const Case cases[] = {
        {"skipped: the target's question stands for it", IDC_DUPQ_SKIP, false},
        {"duplicated: its new ID", IDC_DUPQ_DUPLICATE_ALL, true},
        {"overwritten: the replaced question's ID", IDC_DUPQ_OVERWRITE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        CPtrListEx members;
        members.AddTail(a->FindQuestionById(3));
        members.AddTail(a->FindQuestionById(4));
        a->GetOrCreateCollection("Fresh", &members);
        a->GetOrCreateCollection("Fresh 2", &members);
        a->UpdateAllViews(nullptr, HINT_REFRESH, nullptr);
        pa->lower->GetListCtrl()->SelectItem(-1, TRUE);
        pa->lower->OnEditCopy();
        CModalScript script;
        script.On<CDuplicateQuestionsDlg>([&](CDuplicateQuestionsDlg& dlg) {
            ClickDlgButton(dlg, c.button);
            ClickDlgButton(dlg, IDOK);
        });
        pb->lower->OnEditPaste();
        EXPECT_EQ(script.Answered(), 1);
        for (const char* name : {"Fresh", "Fresh 2"}) {
            std::vector<int> got = MemberIds(b->FindCollection(name));
            ASSERT_EQ(got.size(), 2u) << name;
            if (c.newId) {
                EXPECT_GT(got[0], 11);
            } else {
                EXPECT_EQ(got[0], 3);
            }
            EXPECT_EQ(got[1], 4);
            for (int id : got)
                EXPECT_NE(b->FindQuestionById(id), nullptr);
        }
        EXPECT_EQ(b->FindQuestionById(3)->m_cszQuestionText,
                  CString(c.button == IDC_DUPQ_OVERWRITE ? "Alpha question 3" : "Beta question 3"));
    }
}

// An exam of questions whose INDEX is ten times their ID.
class CTransferExam : public CExamDoc {
public:
    explicit CTransferExam(std::vector<int> ids)
    {
        m_bAutoDelete = FALSE;
        SetTitle("Exam");
        for (int id : ids) {
            auto* q = new CExamQuestion;
            q->m_nId = id;
            q->m_nIndex = id * 10;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Exam question %d", id);
            InsertQuestion(q);
        }
        SetModifiedFlag(FALSE);
    }
    BOOL DoFileSave() override { return TRUE; }
};

CCorraQuestion* Copied(CQuestionList& list, int id, int index)
{
    CCorraQuestion* q = CBankDoc::Question(id, CString::Formatted("copied %d", id));
    q->m_nIndex = index;
    list.AddTail(q);
    return q;
}

QLabel* FindLabelText(QWidget& parent, const char* text)
{
    for (QLabel* label : parent.findChildren<QLabel*>())
        if (label->text() == QString::fromLatin1(text))
            return label;
    return nullptr;
}

std::vector<CString> Texts(const CCorraDoc& doc)
{
    std::vector<CString> texts;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;)
        texts.push_back(static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos))->m_cszQuestionText);
    return texts;
}

TEST_F(TransferTest, AnExamTargetClashesByIndexToo)
{
    // The exam holds 5, 6 and 7 with INDEX 50, 60 and 70.
    const CString index325 = "This question cannot be duplicated because it has the same index as one of the existing "
                             "questions.";
    const CString index326 = "One or more questions could not be duplicated because it had the same index as one of "
                             "the existing questions.";
    const CString internal95 = "The list of new questions contains duplicate IDs or Indicies within its own list.  "
                               "You must select and process these questions one at a time.";
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> copied;  // ID, INDEX
        std::vector<int> existing;
        int button;
        CString said;
        bool settled;
        std::vector<CString> after;  // the exam's texts after OK
    };
    const std::vector<CString> untouched = {"Exam question 5", "Exam question 6", "Exam question 7"};
    const Case cases[] = {
        {"INDEX only: overwrite keeps the target's ID", {{100, 60}}, {6}, IDC_DUPQ_OVERWRITE, "", true,
         {"Exam question 5", "copied 100", "Exam question 7"}},
        {"INDEX only: Duplicate refused", {{100, 60}}, {6}, IDC_DUPQ_DUPLICATE, index325, false, untouched},
        {"INDEX only: Duplicate (all) leaves it listed", {{100, 60}}, {6}, IDC_DUPQ_DUPLICATE_ALL, index326, false,
         untouched},
        {"ID and INDEX: overwrite by ID, the INDEX's holder goes", {{5, 60}}, {5, 6}, IDC_DUPQ_OVERWRITE, "", true,
         {"copied 5", "Exam question 7"}},
        {"one INDEX twice among the copied", {{100, 80}, {101, 80}}, {}, IDC_DUPQ_DUPLICATE_ALL, internal95, false,
         untouched},
        {"skipped", {{100, 60}}, {6}, IDC_DUPQ_SKIP, "", true, untouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        CTransferExam exam({5, 6, 7});
        CQuestionList copied;
        copied.m_bOwnsQuestions = TRUE;
        for (auto [id, index] : c.copied)
            Copied(copied, id, index);
        CDuplicateQuestionsDlg dlg(&exam, copied, nullptr);
        EXPECT_EQ(dlg.Check(), static_cast<int>(c.copied.size()));
        EXPECT_NE(FindLabelText(dlg, "Question ID and/or Index conflict."), nullptr);
        EXPECT_EQ(Ids(dlg.ExistingList()), c.existing);
        ClickDlgButton(dlg, c.button);
        if (c.said.IsEmpty()) {
            EXPECT_TRUE(messageBox.calls.empty());
        } else {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, c.said);
        }
        EXPECT_EQ(dlg.IsSettled() != FALSE, c.settled);
        EXPECT_EQ(dlg.GetDlgItem(IDOK)->isEnabled(), c.settled);
        if (!c.settled)
            continue;
        ASSERT_TRUE(dlg.Apply());
        EXPECT_EQ(Texts(exam), c.after);
        // Replaced, a question keeps its ID (forms name it): every copy maps to one the exam holds.
        for (auto [id, index] : c.copied) {
            int mapped = 0;
            ASSERT_TRUE(dlg.m_idMap.Lookup(id, mapped));
            EXPECT_NE(exam.FindQuestionById(mapped), nullptr);
        }
        if (c.button == IDC_DUPQ_OVERWRITE) {
            EXPECT_EQ(exam.GetUndoText(), CString("Add 1 questions"));
            ASSERT_TRUE(exam.Undo());
            EXPECT_EQ(Texts(exam), untouched);
            EXPECT_EQ(DocIds(exam), (std::vector<int>{5, 6, 7}));
            EXPECT_EQ(exam.FindQuestionById(6)->m_nIndex, 60);
            ASSERT_TRUE(exam.Redo());
            EXPECT_EQ(Texts(exam), c.after);
        }
    }
}

TEST_F(TransferTest, OneUndoTakesBackWhatTheClashDialogAddedAndOverwrote)
{
    CBankDoc target("Beta", {3, 10, 11});
    CQuestionList copied;
    copied.m_bOwnsQuestions = TRUE;
    copied.AddTail(CBankDoc::Question(2, "Alpha question 2"));
    copied.AddTail(CBankDoc::Question(3, "Alpha question 3"));
    CDuplicateQuestionsDlg dlg(&target, copied, nullptr);
    ASSERT_EQ(dlg.Check(), 1);
    ClickDlgButton(dlg, IDC_DUPQ_OVERWRITE);
    ASSERT_TRUE(dlg.Apply());
    const std::vector<CString> after = Texts(target);
    EXPECT_EQ(after, (std::vector<CString>{"Alpha question 3", "Beta question 10", "Beta question 11", "Alpha question 2"}));
    EXPECT_EQ(target.GetUndoText(), CString("Add 2 questions"));
    ASSERT_TRUE(target.Undo());
    EXPECT_EQ(Texts(target), (std::vector<CString>{"Beta question 3", "Beta question 10", "Beta question 11"}));
    ASSERT_TRUE(target.Redo());
    EXPECT_EQ(Texts(target), after);
    EXPECT_EQ(DocIds(target), (std::vector<int>{3, 10, 11, 2}));
}

TEST_F(TransferTest, TheClashDialogMarksByTheExistingListAndLeavesNoFlagsBehind)
{
    CBankDoc target("Beta", {3, 10, 11});
    CQuestionList copied;
    copied.m_bOwnsQuestions = TRUE;
    copied.AddTail(CBankDoc::Question(3, "Alpha question 3"));
    copied.AddTail(CBankDoc::Question(10, "Alpha question 10"));
    {
        CDuplicateQuestionsDlg dlg(&target, copied, nullptr);
        dlg.OnInitDialog();
        // Simple at first: the lists and the "(all)" buttons show only in the advanced mode,
        // which grows the dialog on every side.
        EXPECT_FALSE(dlg.GetNewListCtrl()->isVisibleTo(&dlg));
        const QRect simple = dlg.geometry();
        ClickDlgButton(dlg, IDC_DUPQ_ADVANCED);
        EXPECT_TRUE(dlg.IsAdvanced());
        EXPECT_TRUE(dlg.GetNewListCtrl()->isVisibleTo(&dlg));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DUPQ_OVERWRITE_ALL)->isVisibleTo(&dlg));
        EXPECT_EQ(qobject_cast<QPushButton*>(dlg.GetDlgItem(IDC_DUPQ_ADVANCED))->text(), QString("Simple"));
        EXPECT_EQ(dlg.geometry(), simple.adjusted(-130, -70, 130, 70));
        ClickDlgButton(dlg, IDC_DUPQ_ADVANCED);
        EXPECT_EQ(dlg.geometry(), simple);

        // An existing question picked: the new one clashing with it is marked and can be
        // duplicated or overwritten.
        CODListCtrl& existing = *dlg.GetExistingListCtrl();
        existing.SelectItem(existing.FindItem(target.FindQuestionById(10)), TRUE);
        EXPECT_EQ(dlg.GetNewListCtrl()->GetSelectedCount(), 0u);
        EXPECT_EQ(dlg.GetNewListCtrl()->CountMarkedItems(), 1);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DUPQ_DUPLICATE)->isEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_DUPQ_OVERWRITE)->isEnabled());
        EXPECT_EQ(dlg.ActiveNew(), copied.GetTail());
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->isEnabled());
        ClickDlgButton(dlg, IDC_DUPQ_SKIP);
        EXPECT_EQ(Ids(dlg.NewList()), (std::vector<int>{3}));
        ClickDlgButton(dlg, IDCANCEL);
    }
    for (POSITION pos = target.m_plQuestions.GetHeadPosition(); pos;)
        EXPECT_EQ(static_cast<CCorraQuestion*>(target.m_plQuestions.GetNext(pos))->m_nFlags & 7, 0);
    for (POSITION pos = copied.GetHeadPosition(); pos;)
        EXPECT_EQ(static_cast<CCorraQuestion*>(copied.GetNext(pos))->m_nFlags & 7, 0);
    EXPECT_EQ(DocIds(target), (std::vector<int>{3, 10, 11}));
}

TEST_F(TransferTest, DragsOfOtherProgramsGetNoDropEffect)
{
    QWidget* viewport = pb->upper->GetListCtrl()->viewport();
    EXPECT_TRUE(viewport->acceptDrops());
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/some.crr")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::IgnoreAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(DocIds(*b), (std::vector<int>{3, 10, 11}));
}

} // namespace
