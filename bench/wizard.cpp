// The Add Question Wizard on a large text and a large bank: a 1,000-question typed test taken
// through the wizard's pages into a new bank (the sheet loading it into its buffer, the settings
// pages, the run page's check, the record Finish hands over, the main window's conversion), beside the same conversion called directly;
// then a random exam of 100 drawn from that bank with all four criteria pages on "Only questions
// matching...": each page's refresh and the draw, milliseconds, best of several.

#include "app/CorraApp.h"
#include "app/MainFrm.h"
#include "app/TaskServices.h"
#include "bench/BenchApp.h"
#include "controls/HVRichEditCtrl.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "import/SourceMgr.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/Dialog.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// Runs the wizard's sheet through act; any other dialog is cancelled at once.
class CSheetHook : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override
    {
        auto* sheet = dynamic_cast<CAddQuestFromSheet*>(&dlg);
        if (sheet && act)
            act(*sheet);
        if (!dlg.IsEnded())
            dlg.EndDialog(IDCANCEL);
    }
    std::function<void(CAddQuestFromSheet&)> act;
};

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// n numbered questions of three lettered choices, of four types of subject.
std::string TypedTest(int n)
{
    static const char* kTopics[] = {"osmosis", "photosynthesis", "mitosis", "respiration"};
    std::string text;
    for (int i = 1; i <= n; ++i) {
        text += std::to_string(i) + ". What is true of " + kTopics[i % 4] + " in case " + std::to_string(i) + "?\r\n";
        for (char c = 'a'; c <= 'c'; ++c)
            text += std::string(1, c) + ". answer " + std::to_string(i * 3 + (c - 'a')) + "\r\n";
        text += "\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    if (!home.IsMade())
        return 1;
    const std::string ini = std::string(std::getenv("CORRA_HOME")) + "/Corra.ini";
    const std::string settings = "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\nBoilerPlateAtStartup=0\n";
    fsys::WriteFile(ini.c_str(), settings.data(), settings.size());
    QApplication qapp(argc, argv);
    CorraInstallStringTable();
    InstallSourceMgr();
    CSheetHook hook;
    CServiceScope<IModalRunHook> hooked(ModalRunSlot(), hook);
    CCorraApp app;
    if (!app.InitInstance())
        return 1;
    CMainFrame* pMain = app.GetMainFrame();
    const std::string typed = TypedTest(1000);
    const CString source = CString(std::getenv("CORRA_HOME")) + "/typed-1000.txt";
    fsys::WriteFile(source, typed.data(), typed.size());

    // Through the pages: a new bank, the text by path, the AutoConvert pages, Finish.
    double loadSeconds = 0;
    double checkSeconds = 0;
    double pagesSeconds = 0;
    CDocument* bank = nullptr;
    hook.act = [&](CAddQuestFromSheet& s) {
        const double pages = Seconds([&] {
            s.PressButton(PSBTN_NEXT);
            s.m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceNew);
            s.m_ToDocPage.CreateNewDoc(AQF_TO_CORRA);
            bank = s.m_ToDocPage.GetNewDoc();
            s.SetActivePage(&s.m_ToDocPage);
            s.PressButton(PSBTN_NEXT);
            s.PressButton(PSBTN_NEXT);
            s.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
            s.m_FromDocPage.TypePath(source);
            // Into the first AutoConvert page, which loads the source into the sheet's buffer.
            loadSeconds = Seconds([&] { s.PressButton(PSBTN_NEXT); });
            while (s.PressButton(PSBTN_NEXT)) {
            }
            checkSeconds = Seconds([&] { s.m_ACRunPage.Check(); });
        });
        pagesSeconds = pages;
        s.PressButton(PSBTN_FINISH);
    };
    double finishSeconds = 0;
    CWizardResult result;
    const double total = Seconds([&] {
        CWizardRequest request;
        request.title = "AutoConvert...";
        request.nStartCommand = WIZARD_START_AUTOCONVERT;
        const auto start = std::chrono::steady_clock::now();
        pMain->RunWizard(request, result);
        finishSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    auto* pBank = dynamic_cast<CCorraDoc*>(bank);
    const int converted = pBank ? pBank->GetQuestionCount() : 0;
    // The same conversion called directly on a control holding the handed-over text, for
    // comparison (the run page hands its text over as RTF).
    const double direct = BestSeconds(
        [&] {
            CCorraDoc doc;
            doc.m_bAutoDelete = FALSE;
            CAQFConvertSettings plain;
            CHVRichEditCtrl ctrl;
            ctrl.LimitText(result.sourceText.GetLength() + 1);
            ctrl.SetText(result.sourceText, SF_RTF);
            AutoConvertText(doc, result.sourceText, &ctrl, plain);
        },
        3);
    std::printf("1000 typed questions through the wizard (%d converted)\n", converted);
    std::printf("  pages up to Finish             %9.2f ms\n", pagesSeconds * 1000);
    std::printf("  of which loading the buffer    %9.2f ms\n", loadSeconds * 1000);
    std::printf("  and the run page's check       %9.2f ms\n", checkSeconds * 1000);
    std::printf("  Finish and the conversion      %9.2f ms\n", (finishSeconds - pagesSeconds) * 1000);
    std::printf("  the whole run                  %9.2f ms\n", total * 1000);
    std::printf("  the conversion called directly %9.2f ms\n", direct * 1000);
    if (!pBank || converted == 0)
        return 1;
    // Every question its own level, subject and book, so that every page has items to count.
    int i = 0;
    for (POSITION pos = pBank->m_plQuestions.GetHeadPosition(); pos; ++i) {
        auto* q = static_cast<CCorraQuestion*>(pBank->m_plQuestions.GetNext(pos));
        q->m_nLevel = i % 7;
        q->m_nIndex = i + 1;
        q->m_saSubjects.RemoveAll();
        q->m_saSubjects.Add(CString::Formatted("Subject %d", i % 12));
        q->AddTextbook(CString::Formatted("Book %d", i % 5), "1");
    }
    const CString bankPath = CString(std::getenv("CORRA_HOME")) + "/Large.crr";
    pBank->DoSave(bankPath);

    // A random exam of 100 from it, every page on "Only questions matching...".
    double refresh[4] = {1e9, 1e9, 1e9, 1e9};
    double draw = 1e9;
    int drawn = 0;
    hook.act = [&](CAddQuestFromSheet& s) {
        s.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        s.m_FromDocPage.TypePath(bankPath);
        s.PressButton(PSBTN_NEXT);
        s.m_MethodPage.TypeCount("100");
        s.PressButton(PSBTN_NEXT);
        CAQFRandCriteriaPage* pages[] = {&s.m_RandTypePage, &s.m_RandLevelPage, &s.m_RandSubjectPage,
                                         &s.m_RandTextbookPage};
        for (int p = 0; p < 4; ++p) {
            pages[p]->SetMatching(TRUE);
            for (int k = 0; k < 3; ++k) {
                // A changed count makes the page build its candidates again.
                s.m_MethodPage.TypeCount(k % 2 ? "100" : "99");
                refresh[p] = std::min(refresh[p], Seconds([&] { pages[p]->Refresh(); }));
            }
            s.m_MethodPage.TypeCount("100");
            pages[p]->Refresh();
            s.PressButton(PSBTN_NEXT);
        }
        for (int k = 0; k < 3; ++k)
            draw = std::min(draw, Seconds([&] { s.m_RandResultsPage.ApplyAgain(); }));
        drawn = s.m_RandResultsPage.GetSelection().m_plResult.GetCount();
        s.PressButton(PSBTN_CANCEL);
    };
    CWizardRequest random;
    random.title = "Create new random Exam...";
    random.nStartCommand = WIZARD_START_RANDOM_EXAM;
    random.dwSheetFlags = WIZARD_SHEET_RANDOM_EXAM;
    CWizardResult randomResult;
    pMain->RunWizard(random, randomResult);
    std::printf("a random exam of 100 from the %d questions (%d drawn)\n", converted, drawn);
    const char* names[] = {"types", "levels", "subjects", "textbooks"};
    for (int p = 0; p < 4; ++p)
        std::printf("  %-9s page refresh          %9.2f ms\n", names[p], refresh[p] * 1000);
    std::printf("  the draw, table and report     %9.2f ms\n", draw * 1000);
    app.CloseAllDocuments(TRUE);
    app.ExitInstance();
    return 0;
}
