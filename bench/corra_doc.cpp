// Reading and writing Question Corra banks made like the sample at 1,000, 10,000 and 50,000
// questions, plain and enciphered: milliseconds (best of several runs) and the growth per
// question. For the bank of 10,000 the archive alone and the raw cipher over the same text
// are printed beside them for scale.
// Usage: bench_corra_doc                   all of it
//        bench_corra_doc write N PATH      writes a bank of N questions to PATH, enciphered
//        bench_corra_doc read PATH [TIMES] reads it TIMES times (1), for timing or profiling

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "foundation/Encrypt.h"
#include "foundation/EncryptedArchive.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Report(const char* name, double secs, int nQuestions, size_t bytes)
{
    std::printf("  %-26s %8.1f ms %10.0f questions/s %8.1f MB/s\n", name, secs * 1000, nQuestions / secs,
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
    if (argc > 3 && std::strcmp(argv[1], "write") == 0)
        return WriteBenchBank(argv[3], std::atoi(argv[2])) > 0 ? 0 : 1;
    if (argc > 2 && std::strcmp(argv[1], "read") == 0) {
        const int times = argc > 3 ? std::atoi(argv[3]) : 1;
        for (int i = 0; i < times; ++i) {
            CBenchDoc doc;
            if (doc.ReadCorraDoc(argv[2]) != CCorraDoc::readComplete)
                return 1;
        }
        return 0;
    }

    double writePlain[kBenchBankSizeCount], writeCipher[kBenchBankSizeCount];
    double readPlain[kBenchBankSizeCount], readCipher[kBenchBankSizeCount];
    for (int k = 0; k < kBenchBankSizeCount; ++k) {
        const int nQuestions = kBenchBankSizes[k];
        const int repeats = nQuestions > 10000 ? 3 : 5;
        CBenchDoc bank;
        FillBenchBank(bank, nQuestions);
        const int nRead = bank.GetQuestionCount();
        const CString plainPath = fsys::CreateUniqueTempFile("", "bench", ".crr");
        const CString cipherPath = fsys::CreateUniqueTempFile("", "bench", ".crr");

        std::string text;
        writePlain[k] = BestSeconds(
            [&] {
                CEncryptedArchive out("", TRUE, 4096);
                bank.WriteBody(out, nullptr);
                text.assign(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
                fsys::WriteFileAtomic(plainPath, text.c_str(), text.size() + 1);
            },
            repeats);
        writeCipher[k] = BestSeconds([&] { bank.WriteCorraDoc(cipherPath); }, repeats);
        readPlain[k] = BestSeconds(
            [&] {
                CBenchDoc doc;
                if (doc.ReadCorraDoc(plainPath) != CCorraDoc::readComplete || doc.GetQuestionCount() != nRead)
                    std::fprintf(stderr, "plain read failed\n");
            },
            repeats);
        readCipher[k] = BestSeconds(
            [&] {
                CBenchDoc doc;
                if (doc.ReadCorraDoc(cipherPath) != CCorraDoc::readComplete || doc.GetQuestionCount() != nRead)
                    std::fprintf(stderr, "enciphered read failed\n");
            },
            repeats);

        std::printf("bank of %d questions, %.1f MB of text, %.0f bytes a question\n", nQuestions,
                    text.size() / (1024.0 * 1024.0), static_cast<double>(text.size()) / nQuestions);
        Report("write plain", writePlain[k], nQuestions, text.size());
        Report("write enciphered", writeCipher[k], nQuestions, text.size());
        Report("read plain", readPlain[k], nQuestions, text.size());
        Report("read enciphered", readCipher[k], nQuestions, text.size());

        if (nQuestions == 10000) {
            // The archive alone, without the records: the stream's own cost beside the raw cipher's.
            const CString archivePath = fsys::CreateUniqueTempFile("", "bench", ".crr");
            const double archiveSave = BestSeconds([&] {
                CEncryptedArchive out(archivePath, TRUE, 4096);
                out.GrowBuffer(text.c_str(), static_cast<long>(text.size()));
                if (!out.Commit())
                    std::fprintf(stderr, "archive save failed\n");
            });
            const double archiveLoad = BestSeconds([&] {
                CEncryptedArchive in(archivePath, FALSE, 4096);
                if (!in.GetText(TRUE, TRUE, 5) || in.GetReadKind() != CEncryptedArchive::readEnciphered)
                    std::fprintf(stderr, "archive load failed\n");
            });
            std::vector<BYTE> data(text.begin(), text.end());
            const double cipher = BestSeconds([&] { EncryptBuffer(data.data(), static_cast<long>(data.size()), -1); });
            Report("archive save", archiveSave, nQuestions, text.size());
            Report("archive load", archiveLoad, nQuestions, text.size());
            Report("raw cipher (same text)", cipher, nQuestions, text.size());
            std::printf("  archive save %.2fx, load %.2fx the raw cipher's time\n", archiveSave / cipher,
                        archiveLoad / cipher);
            fsys::DeleteFile(archivePath);
        }
        fsys::DeleteFile(plainPath);
        fsys::DeleteFile(cipherPath);
    }

    std::printf("growth with the bank's size:\n");
    PrintBenchGrowthHeading();
    auto ms = [](const double secs[kBenchBankSizeCount], double out[kBenchBankSizeCount]) {
        for (int k = 0; k < kBenchBankSizeCount; ++k)
            out[k] = secs[k] * 1000;
    };
    double row[kBenchBankSizeCount];
    ms(writePlain, row);
    PrintBenchGrowth("write plain", row);
    ms(writeCipher, row);
    PrintBenchGrowth("write enciphered", row);
    ms(readPlain, row);
    PrintBenchGrowth("read plain", row);
    ms(readCipher, row);
    PrintBenchGrowth("read enciphered", row);
    return 0;
}
