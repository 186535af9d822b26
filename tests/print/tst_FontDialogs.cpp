#include "print/FontDlg.h"
#include "print/FontMgrDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "model/Update.h"
#include "platform/core/Profile.h"
#include "platform/ui/View.h"
#include "render/FontMgr.h"
#include "res/ids/FontDialogs.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/ModalScript.h"

#include <QListWidget>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Offers the faces it is given, one per opening, and records the captions; cancels when out.
class CScriptedChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR pszCaption) override
    {
        captions.push_back(pszCaption ? pszCaption : "");
        if (faces.empty())
            return FALSE;
        SetLogFontFaceName(lf, faces.front());
        lf.lfWeight = weight;
        faces.erase(faces.begin());
        return TRUE;
    }
    std::vector<CString> faces;
    std::vector<CString> captions;
    LONG weight = FW_NORMAL;
};

std::string Face(const LOGFONT& lf) { return std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)); }

class FontDialogsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
        CFontMgr::LoadSlot();
        FontChooserSlot().Set(&chooser);
    }
    void TearDown() override
    {
        ResetFontManager();
        CorraTest::TearDown();
    }
    CScriptedChooser chooser;
};

TEST_F(FontDialogsTest, TheChooserShowsTheCaptionAndRefusesSymbolFaces)
{
    chooser.faces = {"QVMath", "Arial"};
    LOGFONT start{};
    SetLogFontFaceName(start, "Times New Roman");
    CFontDlg dlg("Select Default Font", &start);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Face(dlg.m_lf), "Arial");
    EXPECT_EQ(chooser.captions, (std::vector<CString>{"Select Default Font", "Select Default Font"}));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("This font is not allowed as a selection.\n\nPlease select another."));

    CFontDlg cancelled(nullptr, &start);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(Face(cancelled.m_lf), "Times New Roman");
}

TEST_F(FontDialogsTest, BoldFollowsTheWeightRule)
{
    struct Case {
        LONG weight;
        BOOL check;
        LONG expected;
    };
    const Case cases[] = {{500, TRUE, 700}, {700, TRUE, 700}, {800, TRUE, 800}, {700, FALSE, 400}, {500, FALSE, 400}};
    for (const auto& c : cases) {
        LOGFONT lf{};
        CFontMgr::GetSlotLogFont(lf, FM_ANSWER);
        lf.lfWeight = c.weight;
        CFontMgr::SetSlotLogFont(lf, FM_ANSWER);
        LONG result = -1;
        CModalScript script;
        script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
            auto& dlg = static_cast<CFontMgrDlg&>(d);
            EXPECT_EQ(dlg.GetSelectedSlot(), FM_ANSWER);
            dlg.CheckDlgButton(IDC_FM_BOLD, c.check);
            dlg.OnBold();
            result = dlg.ShownFont(FM_ANSWER).lfWeight;
            ClickDlgButton(d, IDCANCEL);
        });
        CFontMgrDlg dlg(FM_ANSWER);
        dlg.DoModal();
        EXPECT_EQ(result, c.expected) << c.weight << (c.check ? " checked" : " unchecked");
    }
}

TEST_F(FontDialogsTest, CancelLeavesTheSlotsAndOkStoresAndTellsEveryDocument)
{
    LOGFONT before{};
    CFontMgr::GetSlotLogFont(before, FM_QUESTION);
    const std::string profileBefore = AppProfile().GetString("FontMgr", "Question", "").str();
    chooser.faces = {"Liberation Serif"};
    CModalScript script;
    script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
        auto& dlg = static_cast<CFontMgrDlg&>(d);
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->isEnabled());
        dlg.OnChange();
        EXPECT_TRUE(dlg.IsModified());
        EXPECT_EQ(Face(dlg.ShownFont(FM_QUESTION)), "Liberation Serif");
        ClickDlgButton(d, IDCANCEL);
    });
    CFontMgrDlg cancelled(FM_QUESTION);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    LOGFONT after{};
    CFontMgr::GetSlotLogFont(after, FM_QUESTION);
    EXPECT_EQ(Face(after), Face(before));
    EXPECT_EQ(AppProfile().GetString("FontMgr", "Question", "").str(), profileBefore);

    const DWORD changed = CFontMgr::GetLastFontChange();
    chooser.faces = {"Liberation Serif"};
    chooser.weight = FW_BOLD;
    script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
        static_cast<CFontMgrDlg&>(d).OnChange();
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        ClickDlgButton(d, IDOK);
    });
    CFontManagerDialogService service;
    EXPECT_TRUE(service.Run(FM_QUESTION, nullptr));
    CFontMgr::GetSlotLogFont(after, FM_QUESTION);
    EXPECT_EQ(Face(after), "Liberation Serif");
    EXPECT_EQ(after.lfWeight, FW_BOLD);
    EXPECT_EQ(after.lfPitchAndFamily & 0x03, 0x03);
    EXPECT_GE(CFontMgr::GetLastFontChange(), changed);
}

TEST_F(FontDialogsTest, ALogFontKeptAsKeysReadsBackAndStrayValuesFallBack)
{
    LOGFONT lf{};
    ReadProfileLogFont("Header", lf);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfOutPrecision, 3);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 1);
    EXPECT_EQ(lf.lfPitchAndFamily, 49);
    EXPECT_EQ(Face(lf), "Arial");

    LOGFONT written{};
    written.lfHeight = -27;
    written.lfWeight = 700;
    written.lfItalic = 1;
    written.lfCharSet = 161;
    SetLogFontFaceName(written, "Liberation Serif");
    WriteProfileLogFont("Footer", written);
    LOGFONT read{};
    ReadProfileLogFont("Footer", read);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

    WriteHomeFile("Corra.ini", "[Odd]\nHeight=x\nWeight=5000\nFaceName=" + std::string(80, 'F') + "\n");
    ReadProfileLogFont("Odd", read);
    EXPECT_EQ(read.lfHeight, -13);
    EXPECT_EQ(read.lfWeight, 400);
    EXPECT_EQ(Face(read), "Arial");
}

} // namespace
