// The question images dialog in the real main window over a copy of the sample bank: a picture
// from outside the images folder is imported, placed above a question, saved, and drawn there
// after the bank is opened again.
#include "controls/MRUPathComboBox.h"
#include "dialogs/QuestionImagesDlg.h"
#include "foundation/FileTypes.h"
#include "model/CorraQuestion.h"
#include "model/DrawContext.h"
#include "model/ImageView.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionDlg.h"
#include "tests/app/AppFixture.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/ModalScript.h"
#include "platform/ui/PrintPreview.h"
#include "tests/support/TopLevel.h"
#include "views/CorraPreviewView.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"

#include <QImage>
#include <QPrintPreviewWidget>


namespace {

using ImagesEndToEndTest = MainWindowTest;

TEST_F(ImagesEndToEndTest, APictureFromElsewhereIsImportedPlacedSavedAndDrawn)
{
    StartApp();
    const CString map = HomePath("Downloads/map.png");
    fsys::CreateDirectories(fsys::Folder(map));
    QImage red(120, 60, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(red.save(QString::fromUtf8(map.GetString()), "PNG"));
    CModalScript script;
    // Opened twice: now and after the save.
    CCorraDoc* bank = OpenSampleBank(script, 1);
    ASSERT_NE(bank, nullptr);
    const CString path = SampleBankPath();
    CCorraView* view = ActivateQuestionPane(*bank);
    ASSERT_NE(view, nullptr);
    CODListCtrl& list = *view->GetListCtrl();
    int row = -1;
    for (int i = 0; i < list.GetItemCount() && row < 0; ++i) {
        CPtrList images;
        if (!list.GetItemQuestion(i)->IsCollection() && list.GetItemQuestion(i)->GetImages(images) == 0)
            row = i;
    }
    ASSERT_GE(row, 0);
    list.SelectItem(-1, FALSE);
    list.SelectItem(row, TRUE);
    const int id = list.GetItemQuestion(row)->m_nId;

    // Import: Yes.
    messageBox.calls.clear();
    messageBox.QueueAnswer(IDYES);
    BOOL added = FALSE;
    script.On<CQuestionImagesDlg>([&](CQuestionImagesDlg& d) {
        ClickDlgButton(d, IDC_QI_TOP);
        d.GetDlgItemAs<CMRUPathComboBox>(IDC_QI_FILE)->SetWindowText(map);
        ClickDlgButton(d, IDC_QI_ADD);
        added = d.Images().GetCount() == 1;
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    m_pMain->OnCommand(ID_QUESTION_IMAGES);
    ASSERT_TRUE(added);
    int asked = 0;
    for (const auto& call : messageBox.calls) {
        if (call.text.Find("is not located in the Quorvale IMAGES directory area") >= 0) {
            ++asked;
            EXPECT_EQ(call.answer, IDYES);
        }
    }
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(bank->IsModified());
    const CString imported = CFileTypes::GetPriDir(DT_IMAGE) + "map.png";
    ASSERT_TRUE(fsys::IsFile(imported));

    ASSERT_TRUE(bank->DoSave(path));
    bank->OnCloseDocument();
    auto* reopened = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(reopened, nullptr);
    CCorraQuestion* question = reopened->FindQuestionById(id);
    ASSERT_NE(question, nullptr);
    CPtrList images;
    ASSERT_EQ(question->GetImages(images), 1);
    const auto* image = static_cast<const CImageData*>(images.GetHead());
    EXPECT_EQ(image->m_csFile, imported);
    EXPECT_EQ(image->m_nPos, IP_TOP);

    // Drawn: red above the question's text.
    CFixedMetricsDC dc(400, 1000);
    CDrawContext ctx = CDrawContext::Screen(&dc, QDRAW_FULL);
    CQuestionLayout layout;
    question->CalcDrawHeight(ctx, CRect(10, 20, 395, 20), "1", FALSE, &layout);
    ASSERT_TRUE(layout.images);
    POSITION pos = layout.images->GetHeadPosition();
    const CRect place = layout.images->GetNext(pos)->m_rcPlace;
    ASSERT_FALSE(place.IsRectEmpty());
    EXPECT_LE(place.bottom, layout.text.top);
    int y = 20;
    question->DrawFull(ctx, nullptr, 400, y, "1");
    EXPECT_EQ(dc.Image().pixel(place.left + place.Width() / 2, place.top + place.Height() / 2), qRgb(255, 0, 0));
}

// Test Print from the modal dialog: the question with a picture added there and not stored, on
// one page of a preview that belongs to the dialog; the hidden document goes with the dialog.
TEST_F(ImagesEndToEndTest, TestPrintPreviewsTheUnsavedPictureOverTheDialog)
{
    StartApp();
    const CString picture = fsys::Join(CFileTypes::GetPriDir(DT_IMAGE), "flag.png");
    fsys::CreateDirectories(fsys::Folder(picture));
    QImage red(160, 80, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(red.save(QString::fromUtf8(picture.GetString()), "PNG"));
    auto* bank = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
    ASSERT_NE(bank, nullptr);
    auto* q = new CCorraQuestion;
    q->m_cszQuestionText = "Which flag is shown?";
    CCorraQuestion* question = bank->InsertQuestion(q);
    bank->SetModifiedFlag(FALSE);
    const int docsBefore = m_app->m_pCorraTemplate->GetDocumentCount();

    CDocumentRef tested;
    CModalScript script;
    script.On<CQuestionImagesDlg>([&](CQuestionImagesDlg& d) {
        ASSERT_TRUE(d.GetDlgItem(IDC_QI_TEST_PRINT)->isEnabled());
        ClickDlgButton(d, IDC_QI_TOP);
        d.GetDlgItemAs<CMRUPathComboBox>(IDC_QI_FILE)->SetWindowText(picture);
        ClickDlgButton(d, IDC_QI_ADD);
        ClickDlgButton(d, IDC_QI_TEST_PRINT);
        QApplication::processEvents();
        CCorraDoc* test = d.GetTestDocument();
        ASSERT_NE(test, nullptr);
        tested.Reset(test);
        EXPECT_NE(test, bank);
        EXPECT_FALSE(test->IsModified());
        EXPECT_FALSE(test->GetFirstView()->GetParentFrame()->IsWindowVisible());
        auto* preview = FindTopLevel<CCorraPreviewView>();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->GetPrintView()->GetDocument(), test);
        EXPECT_EQ(preview->parentWidget(), &d) << "a preview of another owner takes no input";
        EXPECT_EQ(preview->GetPageCount(), 1);
        int greys = 0;
        RunEventsUntil(
            [&] {
                const QImage shown = preview->GetPreviewWidget()->grab().toImage();
                greys = 0;
                for (int y = 0; y < shown.height(); ++y) {
                    for (int x = 0; x < shown.width(); ++x) {
                        const QRgb c = shown.pixel(x, y);
                        // Printed in grey: the page is white and black, the desk a bluish grey.
                        greys += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 100 && qRed(c) < 200;
                    }
                }
                return greys > 5000;
            },
            2000);
        EXPECT_GT(greys, 5000) << "the picture is not on the page";
        d.EndDialog(IDCANCEL);
    });
    CQuestionImagesDlg dlg(question, bank);
    dlg.DoModal();
    // The event loop deletes the closed document's frame, and its view takes the preview along.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_TRUE(tested.IsSet());
    EXPECT_EQ(tested.Get(), nullptr);
    const auto* preview = FindTopLevel<CCorraPreviewView>();
    EXPECT_TRUE(!preview || !preview->isVisible()) << "the preview outlives its document";
    EXPECT_EQ(m_app->m_pCorraTemplate->GetDocumentCount(), docsBefore);
    CPtrList images;
    EXPECT_EQ(question->GetImages(images), 0);
    EXPECT_FALSE(bank->IsModified());
}

} // namespace
