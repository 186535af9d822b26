// The question search over banks made like the sample at 1,000, 10,000 and 50,000 questions:
// two words of the question text (every word must be there) and a subject (any of those
// given), each searched first in a bank just made (the plain texts are made then) and again
// (best of five). Milliseconds and the cost per question.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "dialogs/QuestionSearchDlg.h"

#include <QApplication>

#include <chrono>
#include <cstdio>

namespace {

double Milliseconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void SearchWords(CQuestionSearchDlg& dlg)
{
    dlg.m_bQuestion = TRUE;
    dlg.m_nIntraMode = SEARCH_ALL_ITEMS;
    CQuestionSearchDlg::SplitWords("photosynthesis dioxide", dlg.m_saQuestionWords);
}

void SearchSubject(CQuestionSearchDlg& dlg)
{
    dlg.m_bSubjects = TRUE;
    dlg.m_nIntraMode = SEARCH_ANY_ITEM;
    dlg.m_saSubjects.Add("genetics");
    dlg.m_saSubjects.Add("Plants");
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    InstallPrimaryScreenMetrics();
    if (!home.IsMade())
        return 1;
    CFontMgrInit fonts;

    double wordsFirst[kBenchBankSizeCount] = {};
    double wordsAgain[kBenchBankSizeCount] = {};
    double subjectFirst[kBenchBankSizeCount] = {};
    double subjectAgain[kBenchBankSizeCount] = {};
    for (int k = 0; k < kBenchBankSizeCount; ++k) {
        int foundWords = 0, foundSubject = 0;
        {
            CBenchDoc bank;
            FillBenchBank(bank, kBenchBankSizes[k]);
            CQuestionSearchDlg words(&bank, nullptr);
            SearchWords(words);
            wordsFirst[k] = Milliseconds([&] { foundWords = words.RunSearch(); });
            wordsAgain[k] = 1000 * BestSeconds([&] { words.RunSearch(); }, 5);
        }
        {
            CBenchDoc bank;
            FillBenchBank(bank, kBenchBankSizes[k]);
            CQuestionSearchDlg subject(&bank, nullptr);
            SearchSubject(subject);
            subjectFirst[k] = Milliseconds([&] { foundSubject = subject.RunSearch(); });
            subjectAgain[k] = 1000 * BestSeconds([&] { subject.RunSearch(); }, 5);
        }
        std::printf("  %6d questions: two words %7.1f ms first, %7.1f ms again (%d found); "
                    "a subject %6.1f ms first, %6.1f ms again (%d found)\n",
                    kBenchBankSizes[k], wordsFirst[k], wordsAgain[k], foundWords, subjectFirst[k], subjectAgain[k],
                    foundSubject);
    }
    PrintBenchGrowthHeading();
    PrintBenchGrowth("Two words, first search", wordsFirst);
    PrintBenchGrowth("Two words, again", wordsAgain);
    PrintBenchGrowth("A subject, first search", subjectFirst);
    PrintBenchGrowth("A subject, again", subjectAgain);
    return 0;
}
