// The program's fonts changed the way a teacher changes them, in the real main window over a copy
// of the sample bank: the question font made Liberation Serif bold 14 in the Font Manager, then
// two selected questions given 18 points in Set Document Fonts. Each time the bank is printed to
// PDF and read back with poppler's tools: the face is in the file, every question is there, and
// only what was changed grew.
#include "controls/HVRichEditCtrl.h"
#include "controls/FloatEditTB.h"
#include "model/CorraQuestion.h"
#include "model/DocumentFonts.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Print.h"
#include "platform/ui/QtString.h"
#include "print/ExamPrintPages.h"
#include "print/FontMgrDlg.h"
#include "print/SetDocumentFontsDlg.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "render/RtfText.h"
#include "res/ids/CorraView.h"
#include "res/ids/FontDialogs.h"
#include "res/ids/Framework.h"
#include "tests/app/AppFixture.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScriptedPrintDialogs.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The chooser as a person uses it: Liberation Serif, bold, at the size asked for.
class CLiberationChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR) override
    {
        SetLogFontFaceName(lf, "Liberation Serif");
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = CFontMgr::PointsToHeight(points);
        return TRUE;
    }
    int points = 14;
};

struct CWord {
    double yMin, yMax;
    QString text;
};

class FontsEndToEndTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ResetFontManager();
        m_pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
        m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        ResetFontManager();
    }

    // The bank's question pane printed to a PDF file of that name, its printing properties as
    // they are.
    CString Print(CCorraView& view, CScriptedPrintDialogs& dialogs, CModalScript& script, const char* name)
    {
        const CString pdf = HomePath(name);
        dialogs.QueuePdf(pdf);
        script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) { ClickDlgButton(d, IDOK); });
        view.OnCommand(ID_FILE_PRINT);
        EXPECT_TRUE(fsys::Exists(pdf)) << name;
        return pdf;
    }
    // The fonts the file uses, without the subset prefix.
    std::set<QString> Fonts(const CString& pdf)
    {
        std::set<QString> fonts;
        const QStringList lines = QString::fromStdString(RunTool(m_pdffonts, {ToQString(pdf)})).split('\n');
        for (qsizetype i = 2; i < lines.size(); ++i) {
            QString name = lines[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
            if (!name.isEmpty())
                fonts.insert(name.mid(name.indexOf('+') + 1));
        }
        return fonts;
    }
    // The words of the file, page after page.
    std::vector<CWord> Words(const CString& pdf)
    {
        const QString html = QString::fromStdString(
            RunTool(m_pdftotext, {QStringLiteral("-bbox"), ToQString(pdf), QStringLiteral("-")}));
        static const QRegularExpression word(QStringLiteral(
            "<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        std::vector<CWord> words;
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
        }
        return words;
    }
    // The height of a question's first words where they print in sequence; 0 when they do not.
    static double Height(const std::vector<CWord>& words, const QStringList& start)
    {
        for (size_t i = 0; i + static_cast<size_t>(start.size()) <= words.size(); ++i) {
            double height = 0;
            qsizetype k = 0;
            for (; k < start.size() && words[i + static_cast<size_t>(k)].text == start[k]; ++k)
                height = std::max(height, words[i + static_cast<size_t>(k)].yMax - words[i + static_cast<size_t>(k)].yMin);
            if (k == start.size())
                return height;
        }
        return 0;
    }
    // The heights of every question's first three words.
    static std::map<int, double> Heights(const std::vector<CWord>& words, const std::map<int, QStringList>& starts)
    {
        std::map<int, double> heights;
        for (const auto& [id, start] : starts)
            heights[id] = Height(words, start);
        return heights;
    }

    QString m_pdffonts;
    QString m_pdftotext;
};

TEST_F(FontsEndToEndTest, TheQuestionFontAndTwoQuestionsSizesReachThePrintedPages)
{
    if (m_pdffonts.isEmpty() || m_pdftotext.isEmpty())
        GTEST_SKIP() << "pdffonts and pdftotext (poppler-utils) are not installed";
    StartApp();
    // Question texts drawn as the program draws them: their RTF, not their plain words.
    InstallRtfTextDrawer();
    CLiberationChooser chooser;
    CServiceScope<IFontChooser> choosing(FontChooserSlot(), chooser);
    CFontManagerDialogService fontManager;
    CServiceScope<IFontManagerDialog> managing(FontManagerDialogSlot(), fontManager);
    CDocumentFontsDialogService documentFonts;
    CServiceScope<IDocumentFontsDialog> setting(DocumentFontsDialogSlot(), documentFonts);
    CScriptedPrintDialogs printing;
    CServiceScope<IPrintDialogService> printScope(PrintDialogSlot(), printing);

    CModalScript script;
    CCorraDoc* bank = OpenSampleBank(script);
    ASSERT_NE(bank, nullptr);
    CCorraView* view = ActivateQuestionPane(*bank);
    ASSERT_NE(view, nullptr);
    CODListCtrl& list = *view->GetListCtrl();

    // Each question by its first three words, as pdftotext parts them. Those kept as plain text
    // are in the program's question font; those with RTF of their own keep their own.
    std::map<int, QStringList> starts;
    std::set<int> plain;
    std::vector<int> plainRows;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        CCorraQuestion* q = list.GetItemQuestion(i);
        if (q->IsCollection())
            continue;
        const QStringList words =
            ToQString(RtfToPlainText(q->m_cszQuestionText)).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 3)
            continue;
        starts[q->m_nId] = words.mid(0, 3);
        if (q->m_cszQuestionText.Find("\\rtf") < 0) {
            plain.insert(q->m_nId);
            plainRows.push_back(i);
        }
    }
    ASSERT_GE(plainRows.size(), 3u);
    ASSERT_GT(starts.size(), plain.size());
    const std::map<int, double> before = Heights(Words(Print(*view, printing, script, "before.pdf")), starts);

    // The question font, through the main window's request for the Font Manager on its slot.
    script.On<CFontMgrDlg>([](CFontMgrDlg& d) {
        EXPECT_EQ(d.GetSelectedSlot(), FM_QUESTION);
        ClickDlgButton(d, IDC_FM_CHANGE);
        ClickDlgButton(d, IDOK);
    });
    const int answered = script.Answered();
    m_pMain->SendMessage(0x8059, FM_QUESTION, 0);
    ASSERT_EQ(script.Answered(), answered + 1);
    LOGFONT slot{};
    CFontMgr::GetSlotLogFont(slot, FM_QUESTION);
    ASSERT_STREQ(slot.lfFaceName, "Liberation Serif");
    ASSERT_EQ(slot.lfWeight, FW_BOLD);

    const CString first = Print(*view, printing, script, "serif.pdf");
    const std::set<QString> fonts = Fonts(first);
    EXPECT_EQ(fonts.count(QStringLiteral("LiberationSerif-Bold")), 1u);
    const QString text =
        QString::fromStdString(RunTool(m_pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                     ToQString(first), QStringLiteral("-")}))
            .simplified();
    for (const auto& [id, start] : starts)
        EXPECT_TRUE(text.contains(start.join(QLatin1Char(' ')))) << id;
    const std::map<int, double> serif = Heights(Words(first), starts);
    for (const auto& [id, height] : serif) {
        ASSERT_GT(before.at(id), 0) << id;
        if (plain.count(id)) {
            // 10 points grew to 14.
            EXPECT_GT(height, before.at(id) * 1.2) << id;
        } else {
            EXPECT_NEAR(height, before.at(id), 0.5) << id;
        }
    }

    // 18 points on two selected questions, nothing else of their font.
    const int a = list.GetItemQuestion(plainRows[0])->m_nId;
    const int b = list.GetItemQuestion(plainRows[2])->m_nId;
    list.SelectItem(-1, FALSE);
    list.SelectItem(plainRows[0], TRUE);
    list.SelectItem(plainRows[2], TRUE);
    chooser.points = 18;
    script.On<CSetDocumentFontsDlg>([](CSetDocumentFontsDlg& d) {
        d.GetDlgItemAs<CListBox>(IDC_SDF_ITEMS)->SetCurSel(FM_QUESTION);
        d.OnSelChange();
        d.ChooseRadio(IDC_SDF_SELECTED, IDC_SDF_ENTIRE);
        d.CheckDlgButton(IDC_SDF_CHANGE, TRUE);
        d.ChooseRadio(IDC_SDF_FONT, IDC_SDF_DEFAULT);
        d.ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
        d.CheckDlgButton(IDC_SDF_FACE, FALSE);
        d.CheckDlgButton(IDC_SDF_SIZE, TRUE);
        d.CheckDlgButton(IDC_SDF_STYLES, FALSE);
        d.OnChoice();
        d.OnFont();
        EXPECT_EQ(d.GetDlgItemText(IDC_SDF_DESCRIPTION), CString("Liberation Serif/18pt/b"));
        ClickDlgButton(d, IDOK);
    });
    const int answeredBefore = script.Answered();
    view->OnCommand(ID_SET_ALL_FONTS);
    ASSERT_EQ(script.Answered(), answeredBefore + 1);
    EXPECT_TRUE(bank->IsModified());

    const CString second = Print(*view, printing, script, "larger.pdf");
    EXPECT_EQ(Fonts(second), fonts);
    const std::map<int, double> larger = Heights(Words(second), starts);
    for (const auto& [id, height] : larger) {
        SCOPED_TRACE(id);
        if (id == a || id == b) {
            // 14 points grew to 18.
            EXPECT_GT(height, serif.at(id) * 1.15);
        } else {
            EXPECT_NEAR(height, serif.at(id), 0.5);
        }
    }
    bank->SetModifiedFlag(FALSE);
}

} // namespace
