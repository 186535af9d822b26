// A bank that was not read whole never replaces its file without the user's word, and a bank
// whose read failed does not stay open.

#include "foundation/FileTypes.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameworkIds.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <string>

namespace {

class DamagedBankTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The sample's subjects are known: opening it asks nothing.
        const CString data = CFileTypes::GetDefDir(DT_DATA);
        fsys::CreateDirectories(data);
        const std::string subjects = "Biology\r\nCells\r\nEnergy\r\n";
        fsys::WriteFile(fsys::Join(data, "Subjects.txt"), subjects.data(), subjects.size());
        ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), m_sample));
        StartApp();
    }

    // Writes the bank, opens it as File Open does and forgets the boxes of the read.
    CCorraDoc* Open(const std::string& content, CString& path)
    {
        path = WriteHomeFile("QCorras/Biology.crr", content);
        auto* doc = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
        messageBox.calls.clear();
        return doc;
    }
    static std::string Bytes(const CString& path)
    {
        std::string bytes;
        fsys::ReadFile(path, bytes);
        return bytes;
    }
    bool Said(const char* words) const
    {
        for (const auto& call : messageBox.calls) {
            if (call.text.Find(words) >= 0)
                return true;
        }
        return false;
    }

    std::string m_sample;
};

TEST_F(DamagedBankTest, SaveAsksForAnotherNameAndReplacingTheFileTakesAYes)
{
    std::string garbled = m_sample;
    garbled.replace(0, 40, std::string(40, '#'));
    std::string stray = m_sample;
    stray.insert(stray.find("BEGIN QUESTION\r\nID: 106"), "STRAY words\r\n");
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"header garbled", garbled},
        {"unknown text among the questions", stray},
        {"no header", m_sample.substr(m_sample.find("TITLE1: { "))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CString path;
        CCorraDoc* doc = Open(c.content, path);
        ASSERT_NE(doc, nullptr);
        QApplication::processEvents();
        ASSERT_EQ(Bytes(path), c.content);

        // Save says why and asks for another name; cancelled, the file stays.
        const size_t asked = fileDialog.requests.size();
        fileDialog.QueueCancel();
        m_pMain->OnCommand(ID_FILE_SAVE);
        EXPECT_EQ(fileDialog.requests.size(), asked + 1);
        EXPECT_TRUE(Said("Biology.crr was damaged when it was read; save what could be read under another name"));
        EXPECT_EQ(Bytes(path), c.content);

        // Its own name again: the warning names what goes, and No keeps the file.
        messageBox.calls.clear();
        messageBox.QueueAnswer(IDOK);
        messageBox.QueueAnswer(IDNO);
        fileDialog.QueuePath(path);
        m_pMain->OnCommand(ID_FILE_SAVE);
        ASSERT_EQ(messageBox.calls.size(), 2u);
        EXPECT_NE(messageBox.calls[1].text.Find(" read."), -1) << messageBox.calls[1].text.GetString();
        EXPECT_NE(messageBox.calls[1].text.Find("lost"), -1) << messageBox.calls[1].text.GetString();
        EXPECT_EQ(Bytes(path), c.content);

        // Yes replaces it.
        messageBox.QueueAnswer(IDOK);
        messageBox.QueueAnswer(IDYES);
        fileDialog.QueuePath(path);
        m_pMain->OnCommand(ID_FILE_SAVE);
        EXPECT_NE(Bytes(path), c.content);
        // From then on the document is what the file holds: Save asks nothing.
        messageBox.calls.clear();
        const size_t named = fileDialog.requests.size();
        m_pMain->OnCommand(ID_FILE_SAVE);
        EXPECT_EQ(fileDialog.requests.size(), named);
        EXPECT_TRUE(messageBox.calls.empty());
        ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_CLOSE));
        ASSERT_TRUE(RunEventsUntil([&] { return m_app->m_pCorraTemplate->GetDocumentCount() == 0; }));
        messageBox.calls.clear();
    }
}

TEST_F(DamagedBankTest, SavedUnderAnotherNameTheBankSavesAsUsual)
{
    std::string stray = m_sample;
    stray.insert(stray.find("BEGIN QUESTION\r\nID: 106"), "STRAY words\r\n");
    CString path;
    CCorraDoc* doc = Open(stray, path);
    ASSERT_NE(doc, nullptr);
    const CString other = HomePath("QCorras/Biology part.crr");
    fileDialog.QueuePath(other);
    m_pMain->OnCommand(ID_FILE_SAVE);
    EXPECT_TRUE(fsys::Exists(other));
    EXPECT_EQ(Bytes(path), stray);

    // Saved again: straight into the new file, with no question.
    messageBox.calls.clear();
    const size_t asked = fileDialog.requests.size();
    doc->SetModifiedFlag(TRUE);
    m_pMain->OnCommand(ID_FILE_SAVE);
    EXPECT_EQ(fileDialog.requests.size(), asked);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DamagedBankTest, ABankWhoseReadFailedClosesItsWindow)
{
    const std::string half = m_sample.substr(0, m_sample.size() / 2);
    CString path;
    CCorraDoc* doc = Open(half, path);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(RunEventsUntil([&] { return m_app->m_pCorraTemplate->GetDocumentCount() == 0; }));
    EXPECT_TRUE(m_pMain->GetMDIChildren().empty());
    EXPECT_EQ(Bytes(path), half);
}

} // namespace
