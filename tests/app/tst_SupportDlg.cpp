#include "app/SupportDlg.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "res/ids/App.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QPlainTextEdit>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

namespace {

using SupportDlgTest = CorraTest;

// The body of a "mailto:" address, decoded.
CString MailBody(const CString& url)
{
    const int at = url.Find("&body=");
    if (at < 0)
        return CString();
    const std::string encoded = url.Mid(at + 6).ToUtf8();
    return CString::FromUtf8(QUrl::fromPercentEncoding(QByteArray(encoded.data(), static_cast<int>(encoded.size())))
                                 .toStdString());
}

TEST_F(SupportDlgTest, TheMailCarriesTheWholeMessageWhateverItsCharacters)
{
    CSupportDlg dlg;
    dlg.m_bSendErrorLog = 0;
    dlg.m_csName = "Ann Lee";
    dlg.m_csMessage = "Q&A #3: 100% of \xFC" "ber-tests fail\nsecond line";
    const CString body = dlg.ComposeBody();
    EXPECT_NE(body.Find("User:  Ann Lee\n"), -1);
    EXPECT_NE(body.Find("User's Message\n\nQ&A #3: 100% of \xFC" "ber-tests fail\nsecond line\n\n"), -1);
    ASSERT_TRUE(dlg.DoSend());
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, CString("mail"));
    EXPECT_EQ(opener.calls[0].target.Left(31), CString("mailto:support@vantrel.example?"));
    EXPECT_NE(opener.calls[0].target.Find("subject=QV%20User%20Message&body="), -1);
    EXPECT_EQ(MailBody(opener.calls[0].target), body);
}

TEST_F(SupportDlgTest, AnEmptyMessageAndALongLogAreSentAsFarAsTheAddressGoes)
{
    for (int i = 0; i < 200; ++i)
        LogOutput(CString::Formatted("line %d of a long log with & and %%", i), 1, LOG_HERE);
    CSupportDlg dlg;
    dlg.m_csMessage = "  \n ";
    EXPECT_NE(dlg.ComposeBody().Find("User's Message\n\n<empty message>\n\n"), -1);
    ASSERT_TRUE(dlg.DoSend());
    const CString& url = opener.calls.back().target;
    EXPECT_LE(url.GetLength(), 2000);
    // Cut between escapes, never inside one.
    const int percent = url.ReverseFind('%');
    EXPECT_TRUE(percent < 0 || percent + 2 < url.GetLength()) << url.Right(6).GetString();
}

TEST_F(SupportDlgTest, AFailedHandOverKeepsTheDialogOpen)
{
    opener.QueueResult(FALSE);
    CModalScript script;
    BOOL bStillOpen = FALSE;
    script.On<CSupportDlg>([&](CSupportDlg& dlg) {
        qobject_cast<QPlainTextEdit*>(dlg.GetDlgItem(IDC_SUPPORT_MESSAGE))->setPlainText("help");
        ClickDlgButton(dlg, IDOK);
        bStillOpen = !dlg.IsEnded();
        ClickDlgButton(dlg, IDOK);
    });
    CSupportDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(bStillOpen);
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.front().text, CString("Failed mailto cmd"));
    EXPECT_EQ(opener.calls.size(), 2u);
}

TEST_F(SupportDlgTest, TheDontShowChoiceEndsTheDialogAtOnceNextTime)
{
    {
        CModalScript script;
        script.On<CSupportDlg>([](CSupportDlg& dlg) {
            EXPECT_TRUE(dlg.GetDlgItem(IDC_SUPPORT_DONTSHOW)->isVisibleTo(&dlg));
            ClickDlgButton(dlg, IDC_SUPPORT_DONTSHOW);
            ClickDlgButton(dlg, IDCANCEL);
        });
        CSupportDlg dlg("OfferKey");
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(CorraApp().GetProfileInt("SupDlgDontShow", "OfferKey", 0), 1);
    {
        CSupportDlg again("OfferKey");
        EXPECT_EQ(again.DoModal(), IDCANCEL);
    }
    // Not shown, it leaves the choice as it was.
    EXPECT_EQ(CorraApp().GetProfileInt("SupDlgDontShow", "OfferKey", 0), 1);
    // Without a key there is no such row.
    CModalScript script;
    script.On<CSupportDlg>([](CSupportDlg& dlg) {
        EXPECT_FALSE(dlg.GetDlgItem(IDC_SUPPORT_DONTSHOW)->isVisibleTo(&dlg));
        ClickDlgButton(dlg, IDCANCEL);
    });
    CSupportDlg plain;
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
}

TEST_F(SupportDlgTest, TheUsersNameComesFromTheRegistryElseTheAccount)
{
    CSupportMailParams params;
    ASSERT_TRUE(GetSupportMailParams(params));
    EXPECT_EQ(params.userName, RegisteredOwner());
    EXPECT_EQ(params.supportName, CString("QV Support"));
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_NE(pw, nullptr);
    CString gecos(pw->pw_gecos ? pw->pw_gecos : "");
    EXPECT_EQ(RegisteredOwner(), gecos.SpanExcluding(",").Trim());
    WriteComponentRegString("User", "Name", "Pat Doe");
    ASSERT_TRUE(GetSupportMailParams(params));
    EXPECT_EQ(params.userName, CString("Pat Doe"));
}

TEST_F(SupportDlgTest, TheOffersMailTheirSubjectOnlyWhenAsked)
{
    richBox.QueueAnswer(IDNO);
    EXPECT_FALSE(OfferRecoverySupport("/home/t/bank.crr"));
    EXPECT_TRUE(opener.calls.empty());
    richBox.QueueAnswer(IDYES);
    EXPECT_TRUE(OfferConversionSupport("exam.doc"));
    ASSERT_EQ(richBox.calls.size(), 2u);
    EXPECT_EQ(richBox.calls[1].title, CString("We can help..."));
    EXPECT_EQ(richBox.calls[1].yes, CString("Send Now"));
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_NE(opener.calls[0].target.Find("subject=Convert%20my%20file%28s%29"), -1);
    EXPECT_EQ(MailBody(opener.calls[0].target), CString("Please add your files as attachments...\nexam.doc"));
}

} // namespace
