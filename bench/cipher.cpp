// Throughput of the file cipher on a 10 MB text: the bare stream, the marked block, and a
// document-sized save and load through the encrypted archive. Prints MB/s for each and the
// archive's time as a multiple of the bare cipher's.

#include "foundation/Encrypt.h"
#include "foundation/EncryptedArchive.h"
#include "platform/core/FileSys.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr size_t kTextSize = 10 * 1024 * 1024;

std::string MakeText()
{
    const char* line = "QUESTION: 1234 TYPE: MC LEVEL: 2 {Which of these is a prime number?}\r\n";
    std::string text;
    text.reserve(kTextSize);
    while (text.size() < kTextSize)
        text += line;
    text.resize(kTextSize);
    return text;
}

// Best of several runs, in MB/s.
double Measure(const char* name, const std::function<void()>& run, int repeats = 5)
{
    double best = 0;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
        double mbps = (kTextSize / (1024.0 * 1024.0)) / secs.count();
        if (mbps > best)
            best = mbps;
    }
    std::printf("%-34s %10.1f MB/s\n", name, best);
    return best;
}

} // namespace

int main()
{
    std::string text = MakeText();
    std::vector<BYTE> data(text.begin(), text.end());

    double cipher = Measure("EncryptBuffer (10 MB)", [&] { EncryptBuffer(data.data(), static_cast<long>(data.size()), -1); });

    Measure("CSignedEncrypt wrap + encipher", [&] {
        CSignedEncrypt block;
        block.SetData(data.data(), static_cast<long>(data.size()), -1);
        block.Encrypt();
    });

    CString path = fsys::CreateUniqueTempFile("", "bench", ".crr");
    if (path.IsEmpty()) {
        std::fprintf(stderr, "cannot create a temporary file\n");
        return 1;
    }
    double save = Measure("CEncryptedArchive save (file)", [&] {
        CEncryptedArchive ar(path, TRUE, 4096);
        for (size_t pos = 0; pos < text.size(); pos += 4096)
            ar.GrowBuffer(text.data() + pos, static_cast<long>(std::min<size_t>(4096, text.size() - pos)));
        ar.Commit();
    });
    double load = Measure("CEncryptedArchive load (file)", [&] {
        CEncryptedArchive ar(path, FALSE);
        if (ar.GetReadKind() != CEncryptedArchive::readEnciphered || !ar.GetText(TRUE, TRUE, 5))
            std::fprintf(stderr, "load failed\n");
    });
    // What the save spends waiting for the disk: the same bytes written the same way.
    double sync = Measure("  of it: atomic write with sync", [&] { fsys::WriteFileAtomic(path, data.data(), data.size()); });
    std::printf("time against the bare cipher: save %.2fx (%.2fx without the write), load %.2fx\n", cipher / save,
                cipher / save - cipher / sync, cipher / load);
    fsys::DeleteFile(path);
    return 0;
}
