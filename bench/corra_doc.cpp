// Reading and writing Question Corra banks made like the sample at 1,000, 10,000 and 50,000
// questions, plain and enciphered: milliseconds (best of several runs) and the growth per
// question. For the bank of 10,000 the archive alone and the raw cipher over the same text
// are printed beside them for scale.
// Usage: bench_corra_doc                   all of it
//        bench_corra_doc write N PATH      writes a bank of N questions to PATH, enciphered
//        bench_corra_doc read PATH|N [TIMES] reads it (or a bank of N made first) TIMES times (1):
//                                            the best and median read and close

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "foundation/Encrypt.h"
#include "foundation/EncryptedArchive.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
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
        // A bank made here names pictures that are there.
        CString path = argv[2];
        if (std::strspn(argv[2], "0123456789") == std::strlen(argv[2])) {
            path = fsys::CreateUniqueTempFile("", "bench", ".crr");
            if (WriteBenchBank(path, std::atoi(argv[2])) <= 0)
                return 1;
        }
        std::vector<double> read, close;
        for (int i = 0; i < times; ++i) {
            auto doc = std::make_unique<CBenchDoc>();
            auto start = std::chrono::steady_clock::now();
            if (doc->ReadCorraDoc(path) != CCorraDoc::readComplete)
                return 1;
            auto end = std::chrono::steady_clock::now();
            read.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            doc.reset();
            close.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - end).count());
        }
        auto bestMedian = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return std::make_pair(v.front(), v[v.size() / 2]);
        };
        const auto r = bestMedian(read);
        const auto c = bestMedian(close);
        std::printf("read %.1f ms best, %.1f median; close %.1f best, %.1f median (%d runs)\n", r.first, r.second,
                    c.first, c.second, times);
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
