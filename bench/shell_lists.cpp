// The file list and the folder tree over one folder of many banks of 100 questions made like the
// sample, enciphered: listing with every header read and sorting, and expanding the folder in
// the tree, in milliseconds, and the memory the list holds.
// Usage: bench_shell_lists [banks] [rounds]

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtStartup.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVListCtrl.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double Millis(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    if (!home.IsMade())
        return 1;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    const int nBanks = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int nRounds = argc > 2 ? std::atoi(argv[2]) : 3;

    CString root = fsys::Join(fsys::NormalizeSeparators(std::getenv("CORRA_HOME")), "Banks");
    CString folder = fsys::Join(root, "QCorras");
    fsys::CreateDirectories(folder);
    if (!WriteBenchBanks(
            nBanks, 100,
            [&](int i) { return fsys::Join(folder, CString::Formatted("Bank %05d.crr", (i * 7919) % 100000)); },
            [](int i) { return CString::Formatted("CID_%d", i * 7919 % 10007); }))
        return 1;
    double bestList = 1e9, bestSort = 1e9, bestTree = 1e9, listMiB = 0;
    int rows = 0, items = 0;
    for (int round = 0; round < nRounds; ++round) {
        {
            CHVListCtrl list;
            list.SetDocType(DT_CORRA);
            auto start = std::chrono::steady_clock::now();
            const double before = ResidentMiB();
            list.AddFromDirectory(folder, "crr");
            bestList = std::min(bestList, Millis(start));
            listMiB = std::max(listMiB, ResidentMiB() - before);
            start = std::chrono::steady_clock::now();
            list.OnColumnClick(2);  // by question count
            list.OnColumnClick(4);  // by Corra ID
            list.OnColumnClick(0);  // by name
            bestSort = std::min(bestSort, Millis(start) / 3);
            rows = list.GetItemCount();
        }
        {
            CFolderTreeCtrl tree;
            tree.SetStyle(FTS_FILES, FALSE);
            tree.m_csExtFilter = "crr";
            tree.SetRootFolder(root, FALSE);
            tree.Refresh();
            auto start = std::chrono::steady_clock::now();
            HTREEITEM h = tree.SelectPath(folder, TRUE);
            bestTree = std::min(bestTree, Millis(start));
            items = 0;
            for (HTREEITEM c = tree.GetChildItem(h); c; c = tree.GetNextSiblingItem(c))
                ++items;
        }
    }
    std::printf("%d banks: list with headers %.1f ms (%d rows, %.1f MiB more memory), one sort %.1f ms, tree expand "
                "%.1f ms (%d items)\n",
                nBanks, bestList, rows, listMiB, bestSort, bestTree, items);
    return 0;
}
