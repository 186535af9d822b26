// Tokenizer throughput over a large generated question file, in MB/s.
// Usage: bench_Parse [megabytes] [rounds]

#include "foundation/Parse.h"
#include "platform/core/StringTable.h"
#include "res/ids/Parse.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string MakeQuestionFile(size_t nBytes)
{
    std::string text = "BEGIN HEADER\r\nCOUNT: 0\r\nEND HEADER\r\n\r\n";
    const char* types[] = {"MC", "ES", "SA", "FI", "TF"};
    for (int id = 1; text.size() < nBytes; ++id) {
        char buf[1024];
        std::snprintf(buf, sizeof(buf),
                      "BEGIN QUESTION\r\nID: %d\r\nINDEX: %d\r\nTYPE: %s\r\nLEVEL: %d\r\n"
                      "SUBJECT: {Algebra}, {Geometry %d}\r\nCHAPTERS: {Book One} 3, {Book Two} 12\r\n"
                      "TEXT: {[\\rtf1\\ansi\\deff0[\\fonttbl[\\f0\\fnil\\fprq3\\fcharset0 Arial;]]\r\n"
                      "\\viewkind4\\uc1\\pard\\lang1033\\fs20 What is the value of x when 2x + %d = %d?\\par]}\r\n"
                      "CHOICES: {a. %d\r\nb. %d\r\nc. %d\r\nd. none of these}\r\nANSWER: {b}\r\n"
                      "END QUESTION\r\n\r\n",
                      id, id, types[id % 5], id % 7, id % 13, id % 50, id % 97, id % 11, id % 17, id % 19);
        text += buf;
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    CorraInstallStringTable();
    size_t nMegabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
    int nRounds = argc > 2 ? std::atoi(argv[2]) : 5;
    std::string text = MakeQuestionFile(nMegabytes * 1024 * 1024);
    CParse& parse = QuestionTokenizer();

    double best = 0;
    long long nTokens = 0;
    for (int round = 0; round < nRounds; ++round) {
        LPCSTR p = text.data();
        UINT n = static_cast<UINT>(text.size());
        nTokens = 0;
        auto start = std::chrono::steady_clock::now();
        for (;;) {
            int id = parse.NextToken(&p, &n);
            if (id == static_cast<int>(TOKEN_END) && n == 0)
                break;
            if (id == 0 && n > 0) {
                // Text outside the question grammar (the RTF inside the blocks is not): step over it.
                ++p;
                --n;
            }
            ++nTokens;
        }
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        double mbps = static_cast<double>(text.size()) / (1024.0 * 1024.0) / secs;
        if (mbps > best)
            best = mbps;
        std::printf("round %d: %.1f MB in %.3f s, %lld tokens, %.1f MB/s\n", round + 1,
                    static_cast<double>(text.size()) / (1024.0 * 1024.0), secs, nTokens, mbps);
    }
    std::printf("tokenizer: best %.1f MB/s\n", best);
    return 0;
}
