// Find File's search by Corra ID over many banks in many folders: every header read (only the
// header), the progress dialog stepped for each file, in milliseconds.
// Usage: bench_find_corraid [banks] [rounds]

#include "bench/BenchApp.h"
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

    // Fifty folders of banks, each bank of a few hundred questions' worth of text after its header.
    const CString banks = fsys::Join(fsys::NormalizeSeparators(std::getenv("CORRA_HOME")), "QCorras");
    std::string body;
    for (int q = 0; q < 200; ++q)
        body += "BEGIN QUESTION\r\nID: " + std::to_string(q + 1) + "\r\nTYPE: 1\r\nEND QUESTION\r\n";
    for (int i = 0; i < nBanks; ++i) {
        CString folder = fsys::Join(banks, CString::Formatted("Term %02d", i % 50));
        fsys::CreateDirectories(folder);
        std::string text = "BEGIN HEADER\r\nTITLE1: {Bank " + std::to_string(i) + "}\r\nCOUNT:200\r\n"
                           "NUMCOLLECTIONS:0\r\nCORRAID: {CID_" + std::to_string(i % 2500) + "}\r\nEND HEADER\r\n\r\n" + body;
        text.push_back('\0');
        fsys::WriteFile(fsys::Join(folder, CString::Formatted("Bank %05d.crr", i)), text.data(), text.size());
    }

    double best = 1e9;
    int found = 0;
    for (int round = 0; round < nRounds; ++round) {
        CFileFindExDlg dlg;
        dlg.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
        dlg.m_nKind = DT_CORRA;
        dlg.m_csSearchFolder = banks;
        dlg.m_csCorraId = "CID_1234";
        auto start = std::chrono::steady_clock::now();
        found = dlg.SearchCorraId();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%d banks in 50 folders: Corra ID search %.1f ms (%d found)\n", nBanks, best, found);
    return 0;
}
