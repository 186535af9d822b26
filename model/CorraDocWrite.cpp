// The writer of CCorraDoc: the document into a Question Corra file.

#include "model/CorraDoc.h"
#include "model/CorraDocParts.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/LogException.h"
#include "foundation/StringArrayEx.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/DocText.h"
#include "model/Group.h"

#include <exception>

using namespace corra_doc;

void CCorraDoc::FillHeader(CCorraHeader& header)
{
    header.Clear();
    header.m_asImageFiles.clear();
    header.m_csFileName = m_strPathName;
    header.m_csTitle1 = m_csTitle1;
    header.m_csTitle2 = m_csTitle2;
    header.m_nCount = GetQuestionCount();
    header.m_csCorraId = m_csCorraId;
    header.m_pOwner = this;
    FillHeaderFromQuestions(header);
    header.m_nNumCollections = static_cast<int>(header.m_asCollections.size());
    header.m_bValid = TRUE;
}

void CCorraDoc::WriteBody(CEncryptedArchive& out, COldProgressDlg* progress)
{
    CCorraHeader header;
    FillHeader(header);
    header.Write(out);
    Put(out, "TITLE1: { \r\n" + WrapTitle(BlockSafeText(m_csTitle1, "CCorraDoc::WriteBody() - TITLE1")) + "}\r\n");
    Put(out, "TITLE2: { \r\n" + WrapTitle(BlockSafeText(m_csTitle2, "CCorraDoc::WriteBody() - TITLE2")) + "}\r\n");
    Put(out, "INSTRUCTIONS: { \r\n" + EncodeBraces(m_csInstructions) + "}\r\n");
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;)
        static_cast<CGroup*>(m_plGroups.GetNext(pos))->Write(out);
    CProgressPacer pacer(progress, GetQuestionCount());
    long written = 0;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        WriteQuestionRecord(out, m_plQuestions.GetNext(pos));
        pacer.Update(++written);
        if (pacer.IsCancelled())
            break;
    }
}

CCorraDoc::WriteOutcome CCorraDoc::WriteCorraDoc(LPCSTR path)
{
    CBusyScope busy(m_bBusy);
    const CString kindName = GetKindName();
    OnBeforeWrite();
    auto progress = MakeProgress("Writing " + kindName, "Please wait...", 100);
    if (progress) {
        progress->Create();
        progress->SetText("Saving " + kindName);
        progress->SetRange(GetQuestionCount());
        progress->SetStep(1);
    }
    WriteOutcome outcome = writeDone;
    try {
        CEncryptedArchive out(path, TRUE, 4096);
        WriteBody(out, GetQuestionCount() > 5 ? progress.get() : nullptr);
        // A cancelled save is abandoned whole: the old file stays as it was.
        if (progress && progress->IsCancelled())
            outcome = writeCancelled;
        else if (!out.Commit())
            outcome = writeFailed;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        LogError("CCorraDoc::WriteCorraDoc() - c-tor failed for CEncryptedArchive");
        outcome = writeFailed;
    }
    if (progress)
        progress->DestroyWindow();
    if (outcome == writeFailed)
        Say("Failed to save file " + CString(path) + "\n\nThe file is left as it was.", CORRA_PRODUCT_NAME,
            MB_OK | MB_ICONEXCLAMATION);
    return outcome;
}

void CCorraDoc::FillHeaderFromQuestions(CCorraHeader& header)
{
    CStringArrayEx images;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question)) {
            header.m_asCollections.push_back(question->m_cszQuestionText);
            header.m_adwCollectionCounts.push_back(static_cast<DWORD>(question->GetChoicesCount()));
        }
        question->GetImageFiles(images);
    }
    for (int i = 0; i < images.GetSize(); ++i)
        header.m_asImageFiles.push_back(images[i]);
}

void CCorraDoc::WriteQuestionRecord(CEncryptedArchive& out, void* question)
{
    AsQuestion(question)->WriteRecord(out);
}
