// The exam's forms: drawing new forms, how much they repeat each other, scrambling their
// choices, and the numbering of new form views.

#include "model/ExamDoc.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDialogs.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/core/Random.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "res/ids/ExamForms.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

// The number the next new form view is named with, for the whole program like the format.
std::atomic<int> g_nextFormNumber{0};

// The most forms New Form(s) offers once the questions have more orders than that.
constexpr int MAX_FORMS = 10;
// The form names the numbering looks at.
constexpr int FORM_NAMES_SEEN = 25;

void Say(const CString& text, LPCSTR caption = CORRA_PRODUCT_NAME)
{
    MessageBoxService().Show(text, caption, MB_OK | MB_ICONEXCLAMATION);
}

const CExamQuestion* AsExam(const CCorraQuestion* question)
{
    return dynamic_cast<const CExamQuestion*>(question);
}

BOOL IsFixedQuestion(const CCorraQuestion* question)
{
    const CExamQuestion* exam = AsExam(question);
    return exam && exam->IsFixed();
}

// The forms of a list of form views, NULL for a view without one.
std::vector<CCorraQuestion*> FormsOf(const CPtrListEx& views)
{
    std::vector<CCorraQuestion*> forms;
    for (POSITION pos = views.GetHeadPosition(); pos;) {
        auto* view = static_cast<CView*>(views.GetNext(pos));
        forms.push_back(view ? ExamDialogs().GetViewForm(view) : nullptr);
    }
    return forms;
}

// The form's members the exam holds, scrambled (or put back).
int ScrambleForm(const CExamDoc& exam, CCorraQuestion& form, BOOL scramble)
{
    CDWordArray ids;
    form.GetQuestIds(ids);
    CPtrList members;
    for (int i = 0; i < ids.GetSize(); ++i)
        if (CCorraQuestion* member = exam.FindQuestionById(static_cast<int>(ids[i])))
            members.AddTail(member);
    return form.m_Scramble.Scramble(members, scramble);
}

const char* const kScrambleFailed = "Choice scrambling failed.  Forms will not have scrambled choices.";

} // namespace

void CExamDoc::BindFormCommands()
{
    BindCommand(ID_EXAM_NEW_FORMS, [this] { OnNewForms(); });
    BindUpdate(ID_EXAM_NEW_FORMS, [this](CCmdUI* ui) { ui->Enable(GetQuestionCount() > GetCollectionCount()); });
    BindCommand(ID_EXAM_FORM_KEYS, [this] { ExamDialogs().FormKeys(*this); });
    BindUpdate(ID_EXAM_FORM_KEYS, [this](CCmdUI* ui) { ui->Enable(GetCollectionCount() > 0); });
}

// ---- numbering

int CExamDoc::GetNextFormNumber()
{
    return g_nextFormNumber;
}

void CExamDoc::ResetNextFormNumber()
{
    const CString format = PrintSettings().formNameFmt;
    int next = 0;
    for (int n = 0; n < FORM_NAMES_SEEN; ++n)
        if (FindCollection(FormatFormName(format, n)))
            next = n + 1;
    g_nextFormNumber = next;
}

CString CExamDoc::TakeNewFormName()
{
    const CString format = PrintSettings().formNameFmt;
    CString name;
    // A format without a placeholder that a form already has would never give a free name.
    for (int tries = 0; tries <= GetQuestionCount() + FORM_NAMES_SEEN; ++tries) {
        name = FormatFormName(format, g_nextFormNumber++);
        if (!FindCollection(name))
            break;
    }
    return name;
}

// ---- making forms

int CExamDoc::GetMaxForms() const
{
    CPtrListEx questions;
    const int n = GetDocQuestions(this, questions);
    if (n <= 0)
        return 0;
    return n >= 5 ? MAX_FORMS : static_cast<int>(Factorial(static_cast<unsigned>(n)));
}

BOOL CExamDoc::CheckChoicesForScrambling()
{
    CPtrListEx invalid;
    CString summary;
    if (FindInvalidQuestions(invalid, summary))
        return TRUE;
    Say("Failed to scramble forms for the following reasons:\n\n" +
        (summary.IsEmpty() ? CString("Some choices are invalid or missing.") : summary));
    return FALSE;
}

void CExamDoc::OnNewForms()
{
    const int maxForms = GetMaxForms();
    if (maxForms == 0) {
        Say("This exam has no questions to make forms of.");
        return;
    }
    CCorraAppBase& app = CorraApp();
    CAddFormsValues values;
    values.format = app.GetProfileString("ExamForm", "FormNameFmt", PrintSettings().formNameFmt);
    values.maxForms = maxForms;
    values.numForms = std::min(app.GetProfileInt("ExamForm", "NumForms", 4), maxForms);
    if (!ExamDialogs().AddForms(*this, values))
        return;
    if (values.scramble && !CheckChoicesForScrambling())
        return;
    const int numForms = std::min(values.numForms, maxForms);
    if (numForms < 1)
        return;
    app.WriteProfileString("ExamForm", "FormNameFmt", values.format);
    app.WriteProfileInt("ExamForm", "NumForms", numForms);
    for (int attempt = 1; GenerateForms(numForms, values.format, values.scramble) == SAVE_FORMS_AGAIN; ++attempt) {
        if (attempt % 5 == 0) {
            CString text;
            text.LoadString(IDS_TOO_MANY_FORM_ATTEMPTS);
            Say(text, "Too many attempts");
        }
    }
}

int CExamDoc::GenerateForms(int numForms, LPCSTR format, BOOL scramble)
{
    PrintSettings().formNameFmt = format ? format : "";
    CPtrListEx pool;
    const int n = GetDocQuestions(this, pool);
    if (n == 0 || numForms < 1) {
        LogOutput("CExamDoc::GenerateForms() - no questions or no forms to make", LOG_ERROR, LOG_HERE);
        return 0;
    }
    ResetNextFormNumber();
    // The generator is seeded once per process: seeding it here with the time would give the
    // same forms again when the user tries again within the second.

    // A fixed question has its place in every form. The others are drawn into the places left,
    // and the record notes the place each is printed at: noting where it was drawn instead
    // would let the fixed ones shift it onto a place it already had.
    std::vector<CCorraQuestion*> fixedAt(static_cast<size_t>(n), nullptr);
    std::vector<CCorraQuestion*> drawnPool;
    for (POSITION pos = pool.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(pool.GetNext(pos));
        if (const CExamQuestion* exam = AsExam(question); exam && exam->IsFixed()) {
            const int at = std::clamp(exam->m_nFixedPosition - 1, 0, n - 1);
            // Two fixed at one place: the second is drawn like the others.
            if (!fixedAt[static_cast<size_t>(at)]) {
                fixedAt[static_cast<size_t>(at)] = question;
                continue;
            }
        }
        drawnPool.push_back(question);
    }
    std::vector<int> freePlaces;
    for (int at = 0; at < n; ++at)
        if (!fixedAt[static_cast<size_t>(at)])
            freePlaces.push_back(at);
    const int m = static_cast<int>(drawnPool.size());

    std::set<std::pair<int, int>> placed;  // (place, question ID) of every form of the run
    CPtrListEx views;
    BOOL scrambleFailed = FALSE;
    for (int f = 0; f < numForms; ++f) {
        std::deque<CCorraQuestion*> left(drawnPool.begin(), drawnPool.end());
        std::vector<CCorraQuestion*> places = fixedAt;
        int next = 0;
        int draws = 0;
        int rejects = 0;
        while (!left.empty()) {
            const size_t at = static_cast<size_t>(CorraRand()) % left.size();
            CCorraQuestion* question = left[at];
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(at));
            ++draws;
            // Past this a question may repeat a place: with more forms than orders of the
            // questions it has to.
            const BOOL relax = draws > m || rejects > m;
            const int place = freePlaces[static_cast<size_t>(next)];
            const std::pair<int, int> key(place, question->m_nId);
            if (relax || IsFixedQuestion(question) || !placed.count(key)) {
                places[static_cast<size_t>(place)] = question;
                ++next;
                placed.insert(key);
                rejects = 0;
            } else {
                left.push_back(question);
                ++rejects;
            }
        }
        CPtrListEx order;
        for (CCorraQuestion* question : places)
            order.AddTail(question);
        CView* view = ExamDialogs().NewFormView(*this);
        CCorraQuestion* form = view ? ExamDialogs().GetViewForm(view) : nullptr;
        if (!form) {
            LogOutput("CExamDoc::GenerateForms() - no form view", LOG_ERROR, LOG_HERE);
            if (view)
                views.AddTail(view);
            for (POSITION pos = views.GetHeadPosition(); pos;)
                CorraViewServices().CloseCollectionView(static_cast<CView*>(views.GetNext(pos)), TRUE);
            return 0;
        }
        form->SetQuestions(order);
        CorraViewServices().SetCollection(view, order);
        if (scramble && !scrambleFailed && !ScrambleForm(*this, *form, TRUE))
            scrambleFailed = TRUE;
        CorraViewServices().RefreshCollection(view);
        ExamDialogs().SetFormViewModified(view);
        views.AddTail(view);
        // The forms pane and the other views hear of the new window, as of any form shown.
        CUpdate shown;
        UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &shown);
    }
    if (scrambleFailed) {
        Say(kScrambleFailed);
        for (CCorraQuestion* form : FormsOf(views))
            if (form)
                ScrambleForm(*this, *form, FALSE);
    }
    CSaveFormsValues values;
    CountFormRepeats(n, views, values.repeatCount, values.duplicateScore);
    const int result = ExamDialogs().SaveForms(*this, views, values);
    for (POSITION pos = views.GetHeadPosition(); pos;) {
        auto* view = static_cast<CView*>(views.GetNext(pos));
        if (result == IDOK) {
            CorraViewServices().ApplyToCollection(view);
            if (values.closeViews)
                CorraViewServices().CloseCollectionView(view, FALSE);
        } else {
            CorraViewServices().CloseCollectionView(view, TRUE);
        }
    }
    return result == IDOK ? 1 : result;
}

BOOL CExamDoc::CountFormRepeats(int questionsPerForm, const CPtrListEx& views, int& repeats, int& score)
{
    repeats = 0;
    score = 0;
    const std::vector<CCorraQuestion*> forms = FormsOf(views);
    if (forms.empty() || questionsPerForm <= 0)
        return FALSE;
    std::vector<CDWordArray> members(forms.size());
    for (size_t f = 0; f < forms.size(); ++f) {
        if (!forms[f])
            return FALSE;
        forms[f]->GetQuestIds(members[f]);
    }
    const int weight = static_cast<int>(100.0 / static_cast<double>(forms.size()));
    std::set<int> fixed;
    int repeated = 0;
    long long total = 0;
    for (int p = 0; p < questionsPerForm; ++p) {
        std::map<int, int> counts;  // question ID -> forms that have it at p
        for (const CDWordArray& ids : members) {
            if (p >= ids.GetSize())
                return FALSE;
            const int id = static_cast<int>(ids[p]);
            const CCorraQuestion* question = FindQuestionById(id);
            if (!question)
                return FALSE;
            if (IsFixedQuestion(question))
                fixed.insert(id);
            else
                ++counts[id];
        }
        for (const auto& [id, k] : counts) {
            repeated += k - 1;
            if (k > 1)
                total += static_cast<long long>(k) * weight;
        }
    }
    const int freePositions = questionsPerForm - static_cast<int>(fixed.size());
    repeats = repeated;
    score = freePositions > 0 ? static_cast<int>(total / freePositions) : 0;
    return TRUE;
}

// ---- scrambling

BOOL CExamDoc::HasScrambledForms() const
{
    CPtrListEx forms;
    GetCollections(forms);
    for (POSITION pos = forms.GetHeadPosition(); pos;)
        if (!static_cast<CCorraQuestion*>(forms.GetNext(pos))->m_Scramble.IsEmpty())
            return TRUE;
    return FALSE;
}

int CExamDoc::ScrambleForms(BOOL scramble)
{
    if (!CheckChoicesForScrambling())
        return 0;
    CPtrListEx forms;
    GetCollections(forms);
    int done = 0;
    for (POSITION pos = forms.GetHeadPosition(); pos;) {
        auto* form = static_cast<CCorraQuestion*>(forms.GetNext(pos));
        if (ScrambleForm(*this, *form, scramble)) {
            ++done;
            continue;
        }
        // Some forms scrambled and some not would print keys that match no form.
        for (POSITION at = forms.GetHeadPosition(); at;) {
            auto* other = static_cast<CCorraQuestion*>(forms.GetNext(at));
            ScrambleForm(*this, *other, FALSE);
        }
        SetModifiedFlag(TRUE);
        Say(kScrambleFailed);
        return 0;
    }
    if (done > 0) {
        SetModifiedFlag(TRUE);
        if (DocumentDialogs().IsQuestionDialogVisible(*this))
            ExamDialogs().ShowDialogQuestionInForm(*this);
    }
    return done;
}
