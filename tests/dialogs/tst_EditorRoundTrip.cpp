#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "tests/support/CorraTest.h"
#include "tests/support/EditorScript.h"

namespace {

// A teacher's round: every editable type typed into the editor of a new bank and added; the
// bank saved and read again gives the same questions, and the editor shows the same fields.
class EditorRoundTripTest : public CorraTest {};

TEST_F(EditorRoundTripTest, QuestionsTypedInTheEditorComeBackFromTheSavedBank)
{
    WriteRoundTripMasterLists();
    int count = 0;
    const CTypedQuestion* typed = TypedQuestions(&count);
    const CString path = HomePath("Round Trip.crr");
    {
        CCorraDoc doc;
        CQuestionDialogs dialogs;
        CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
        ASSERT_TRUE(EditQuestionInDialog(doc, nullptr));
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(TypeAndAdd(dialogs.Editor(doc), typed[i]));
        ASSERT_EQ(doc.GetQuestionCount(), count);
        ASSERT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
    }
    CCorraDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(path), CCorraDoc::readComplete);
    ASSERT_EQ(doc.GetQuestionCount(), count);
    CCorraQuestionDlg dlg(&doc);
    ASSERT_TRUE(dlg.CreateHidden());
    int i = 0;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos; ++i)
        ExpectTyped(dlg, *static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos)), typed[i]);
}

} // namespace
