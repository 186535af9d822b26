// Reading and writing a Question Corra bank of 10,000 questions, plain and enciphered: prints
// questions per second for each, best of several runs. The raw cipher over the same text is
// printed beside them for scale.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "foundation/Encrypt.h"
#include "foundation/EncryptedArchive.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "res/ids/QuestionTypes.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 10000;

class CBenchDoc : public CCorraDoc {
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

void FillBank(CCorraDoc& doc)
{
    doc.m_csTitle1 = "Generated bank";
    doc.m_csTitle2 = "Ten thousand questions";
    doc.m_csInstructions = "{\\rtf1\\ansi Answer {\\b every} question.\\par\r\n}";
    doc.m_csCorraId = "CID_1_1";
    const UINT types[] = {IDS_QTYPE_MC, IDS_QTYPE_TF, IDS_QTYPE_ES, IDS_QTYPE_SA, IDS_QTYPE_FI};
    for (int i = 1; i <= kQuestions; ++i) {
        auto* q = new CCorraQuestion;
        q->m_nId = i;
        q->m_nIndex = i;
        q->m_nLevel = i % 5;
        q->m_nType = static_cast<int>(types[i % 5]);
        q->m_cszQuestionText = CString::Formatted(
            "{\\rtf1\\ansi Question %d: which of the following statements about cell number %d is {\\b true}?\\par\r\n}",
            i, i);
        SetBenchAnswer(*q);
        q->AddSubject(i % 2 ? "Cells" : "Energy");
        q->AddTextbook("Life Science", "3");
        doc.InsertQuestion(q);
    }
    CPtrListEx members;
    for (int i = 1; i <= 50; ++i)
        members.AddTail(doc.FindQuestionById(i * 7));
    doc.GetOrCreateCollection("Midterm", &members);
}

void Report(const char* name, double secs, size_t bytes)
{
    std::printf("%-28s %8.1f ms %10.0f questions/s %8.1f MB/s\n", name, secs * 1000, kQuestions / secs,
                bytes / (1024.0 * 1024.0) / secs);
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    if (!home.IsMade())
        return 1;

    CBenchDoc bank;
    FillBank(bank);
    CString plainPath = fsys::CreateUniqueTempFile("", "bench", ".crr");
    CString cipherPath = fsys::CreateUniqueTempFile("", "bench", ".crr");

    std::string text;
    double writePlain = BestSeconds([&] {
        CEncryptedArchive out("", TRUE, 4096);
        bank.WriteBody(out, nullptr);
        text.assign(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
        fsys::WriteFileAtomic(plainPath, text.c_str(), text.size() + 1);
    });
    double writeCipher = BestSeconds([&] { bank.WriteCorraDoc(cipherPath); });
    double readPlain = BestSeconds([&] {
        CBenchDoc doc;
        if (doc.ReadCorraDoc(plainPath) != CCorraDoc::readComplete || doc.GetQuestionCount() != kQuestions + 1)
            std::fprintf(stderr, "plain read failed\n");
    });
    double readCipher = BestSeconds([&] {
        CBenchDoc doc;
        if (doc.ReadCorraDoc(cipherPath) != CCorraDoc::readComplete || doc.GetQuestionCount() != kQuestions + 1)
            std::fprintf(stderr, "enciphered read failed\n");
    });
    // The archive alone, without the records: the stream's own cost beside the raw cipher's.
    CString archivePath = fsys::CreateUniqueTempFile("", "bench", ".crr");
    double archiveSave = BestSeconds([&] {
        CEncryptedArchive out(archivePath, TRUE, 4096);
        out.GrowBuffer(text.c_str(), static_cast<long>(text.size()));
        if (!out.Commit())
            std::fprintf(stderr, "archive save failed\n");
    });
    double archiveLoad = BestSeconds([&] {
        CEncryptedArchive in(archivePath, FALSE, 4096);
        if (!in.GetText(TRUE, TRUE, 5) || in.GetReadKind() != CEncryptedArchive::readEnciphered)
            std::fprintf(stderr, "archive load failed\n");
    });
    std::vector<BYTE> data(text.begin(), text.end());
    double cipher = BestSeconds([&] { EncryptBuffer(data.data(), static_cast<long>(data.size()), -1); });

    std::printf("bank of %d questions, %.1f MB of text\n", kQuestions, text.size() / (1024.0 * 1024.0));
    Report("write plain", writePlain, text.size());
    Report("write enciphered", writeCipher, text.size());
    Report("read plain", readPlain, text.size());
    Report("read enciphered", readCipher, text.size());
    Report("archive save", archiveSave, text.size());
    Report("archive load", archiveLoad, text.size());
    Report("raw cipher (same text)", cipher, text.size());
    std::printf("archive save %.2fx, load %.2fx the raw cipher's time\n", archiveSave / cipher, archiveLoad / cipher);
    fsys::DeleteFile(archivePath);
    fsys::DeleteFile(plainPath);
    fsys::DeleteFile(cipherPath);
    return 0;
}
