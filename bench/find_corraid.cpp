// Find File's search by Corra ID over many banks of 100 questions made like the sample,
// enciphered, in many folders: every header read (only the header), the progress dialog stepped
// for each file, in milliseconds.
// Usage: bench_find_corraid [banks] [rounds]

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "shell/FileFindExDlg.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    CBenchHome home;
    if (!home.IsMade())
        return 1;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    const int nBanks = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int nRounds = argc > 2 ? std::atoi(argv[2]) : 3;

    // Fifty folders of banks.
    const CString banks = fsys::Join(fsys::NormalizeSeparators(std::getenv("CORRA_HOME")), "QCorras");
    for (int f = 0; f < 50; ++f)
        fsys::CreateDirectories(fsys::Join(banks, CString::Formatted("Term %02d", f)));
    if (!WriteBenchBanks(
            nBanks, 100,
            [&](int i) {
                return fsys::Join(fsys::Join(banks, CString::Formatted("Term %02d", i % 50)),
                                  CString::Formatted("Bank %05d.crr", i));
            },
            [](int i) { return CString::Formatted("CID_%d", i % 2500); }))
        return 1;

    double best = 1e9, searchMiB = 0;
    int found = 0;
    for (int round = 0; round < nRounds; ++round) {
        CFileFindExDlg dlg;
        dlg.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
        dlg.m_nKind = DT_CORRA;
        dlg.m_csSearchFolder = banks;
        dlg.m_csCorraId = "CID_1234";
        const double before = ResidentMiB();
        auto start = std::chrono::steady_clock::now();
        found = dlg.SearchCorraId();
        searchMiB = std::max(searchMiB, ResidentMiB() - before);
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%d banks in 50 folders: Corra ID search %.1f ms (%d found, %.1f MiB more memory)\n", nBanks, best,
                found, searchMiB);
    return 0;
}
