#pragma once
// What the tests of the application share: a Question Corra file written as the program writes
// it (plain text, as an older program or another tool leaves it), and the application object.

#include "app/ChildFrames.h"
#include "app/CorraApp.h"
#include "app/MainFrm.h"
#include "dialogs/SubjectsDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/EncryptedArchive.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "views/CorraView.h"

#include <QApplication>

#include <memory>
#include <string>

class AppTest : public CorraTest {
protected:
    // A plain Question Corra file at path (folders made).
    static void WritePlainBank(const CString& path, const char* title = "Physics Unit 3")
    {
        CCorraDoc doc;
        doc.m_csTitle1 = title;
        doc.m_csTitle2 = "Thermal energy";
        doc.m_csCorraId = "CID_10_20";
        CEncryptedArchive out("", TRUE);
        doc.WriteBody(out, nullptr);
        std::string text(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
        fsys::CreateDirectories(fsys::Folder(path));
        fsys::WriteFile(path, text.data(), text.size());
    }
    // Whether the file is the enciphered form the program writes.
    static bool IsEnciphered(const CString& path)
    {
        CEncryptedArchive in(path, FALSE, 4096);
        return in.GetReadKind() == CEncryptedArchive::readEnciphered;
    }
};

// The application started as the program starts it, with no welcome, splash or start screen
// (other lines of "Settings" may be given), and its main window.
class MainWindowTest : public AppTest {
protected:
    void StartApp(const char* settings = "BoilerPlateAtStartup=0\n")
    {
        WriteHomeFile("Corra.ini",
                      std::string("[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\n") + settings);
        m_app = std::make_unique<CCorraApp>();
        ASSERT_TRUE(m_app->InitInstance());
        m_pMain = m_app->GetMainFrame();
        m_pMain->resize(1000, 740);
    }
    void TearDown() override
    {
        if (m_app) {
            m_app->CloseAllDocuments(TRUE);
            m_app->ExitInstance();
        }
        m_app.reset();
        QApplication::processEvents();
        AppTest::TearDown();
    }

    // Where OpenSampleBank puts the sample bank: the bank folder.
    static CString SampleBankPath() { return fsys::Join(CFileTypes::GetPriDir(DT_CORRA), "Biology.crr"); }
    // The sample bank copied to SampleBankPath and opened by the program. Its subjects are not
    // in the master list: script leaves their chooser, on this opening and on as many later
    // readings (of an exam of it) as asked. The sample is a plain file, which the bank writes
    // again once read: that is done before this returns, so that links made after it are not
    // out of date. NULL when the bank did not open.
    CCorraDoc* OpenSampleBank(CModalScript& script, int laterReadings = 0)
    {
        const CString path = SampleBankPath();
        fsys::CreateDirectories(fsys::Folder(path));
        if (!fsys::CopyFile(SamplePath("Biology.crr"), path, FALSE))
            return nullptr;
        for (int i = 0; i <= laterReadings; ++i)
            script.On<CSubjectsDlg>([](CSubjectsDlg& d) { ClickDlgButton(d, IDCANCEL); });
        auto* bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
        if (bank) {
            EXPECT_TRUE(RunEventsUntil([&] { return IsEnciphered(path) && !bank->IsModified(); }));
        }
        return bank;
    }

    // The bank's window made the active one, and its question pane; NULL when it has none.
    CCorraView* ActivateQuestionPane(CCorraDoc& bank)
    {
        auto* frame = dynamic_cast<CCorraFrm*>(bank.GetFirstView()->GetParentFrame());
        if (!frame)
            return nullptr;
        m_pMain->MDIActivate(frame);
        return dynamic_cast<CCorraView*>(frame->GetUpperView());
    }

    std::unique_ptr<CCorraApp> m_app;
    CMainFrame* m_pMain = nullptr;
};
