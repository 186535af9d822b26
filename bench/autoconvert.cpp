// AutoConvert of a generated 1,000-question typed test in the forms teachers write (numbered
// questions with lettered choices on their own lines or on the question's line, passages, leaders):
// loading, the number removal, the dry run and the conversion, milliseconds per step, best of
// several; and a 2,000-question text to show nothing grows faster than the text. The same
// questions are written as a plain-text quiz to build/bench/autoconvert-1000.txt for comparisons.

#include "bench/BenchApp.h"
#include "controls/HVRichEditCtrl.h"
#include "import/AQFConvertSettings.h"
#include "import/FileBuf.h"
#include "import/SourceDoc.h"
#include "import/SourceMgr.h"
#include "model/CorraDoc.h"

#include <QApplication>

#include <cstdio>
#include <string>

namespace {

class CBenchDoc : public CCorraDoc {
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

// The typed test, and the same questions as a quiz: numbered, lettered, the correct one starred.
void MakeTest(int n, std::string& typed, std::string& quiz)
{
    static const char* kWords[] = {"cell", "energy", "water", "plant", "light", "carbon", "gene", "membrane"};
    for (int i = 1; i <= n; ++i) {
        const std::string topic = kWords[i % 8];
        const std::string q = "Which statement about the " + topic + " of sample " + std::to_string(i) + " is true?";
        const std::string c[3] = {"it grows " + std::to_string(i % 7), "it shrinks " + std::to_string(i % 5),
                                  "it stays " + std::to_string(i % 3)};
        switch (i % 4) {
        case 0: typed += std::to_string(i) + ". " + q + "\r\na. " + c[0] + "\r\nb. " + c[1] + "\r\nc. " + c[2]; break;
        case 1: typed += std::to_string(i) + ") " + q + " a. " + c[0] + "   b. " + c[1] + "   c. " + c[2]; break;
        case 2:
            typed += std::to_string(i) + ". Read this about the " + topic + ".\r\n\r\n" + q + "\r\na. " + c[0] +
                     "   b. " + c[1] + "   c. " + c[2];
            break;
        default:
            typed += std::to_string(i) + ". " + q + "......\r\na. " + c[0] + "\r\nb. " + c[1] + "\r\nc. " + c[2];
            break;
        }
        typed += "\r\n\r\n";
        quiz += std::to_string(i) + ". " + q + "\n";
        for (int k = 0; k < 3; ++k)
            quiz += std::string(k == i % 3 ? "*" : "") + static_cast<char>('a' + k) + ") " + c[k] + "\n";
        quiz += "\n";
    }
}

struct Figures {
    double load, remove, dry, convert, plain;
    int questions;
};

Figures Measure(int n, const std::string& folder)
{
    std::string typed;
    std::string quiz;
    MakeTest(n, typed, quiz);
    const std::string source = folder + "/typed-" + std::to_string(n) + ".txt";
    fsys::WriteFile(source.c_str(), typed.data(), typed.size());
    if (n == 1000) {
        fsys::CreateDirectories("build/bench");
        fsys::WriteFile("build/bench/autoconvert-1000.txt", quiz.data(), quiz.size());
    }
    Figures f{};
    CFileBuf buf;
    f.load = BestSeconds([&] {
        buf.Free();
        buf.Load(source.c_str());
    });
    CHVRichEditCtrl ctrl;
    CAQFConvertSettings settings;
    f.remove = BestSeconds([&] {
        ctrl.SetText(buf.GetWorkingText(), SF_TEXT);
        const CChoiceLabelRule rule = settings.LabelRule();
        ctrl.RemoveIdentifiers('.');
        ctrl.RemoveIdentifiers(".)", "0123456789", &rule);
    });
    f.dry = BestSeconds([&] { CSourceDoc::AutoConvert2(&ctrl, nullptr, &settings); });
    CString text;
    ctrl.StreamOutText(text, SF_TEXT);
    f.convert = BestSeconds([&] {
        CBenchDoc doc;
        CSourceDoc::AutoConvert2(&ctrl, &doc, &settings);
        f.questions = doc.GetQuestionCount();
    }, 3);
    f.plain = BestSeconds([&] {
        CBenchDoc doc;
        CSourceDoc::_AutoConvert2(text, &doc, &settings);
    }, 3);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    if (!home.IsMade())
        return 1;
    InstallSourceMgr();
    const std::string folder = fsys::TempDirectory().str();
    for (int n : {1000, 2000}) {
        const Figures f = Measure(n, folder);
        std::printf("%d typed questions (%d converted)\n", n, f.questions);
        std::printf("  load the file                 %9.2f ms\n", f.load * 1000);
        std::printf("  numbers and leaders removed   %9.2f ms\n", f.remove * 1000);
        std::printf("  dry run                       %9.2f ms\n", f.dry * 1000);
        std::printf("  conversion from the control   %9.2f ms\n", f.convert * 1000);
        std::printf("  conversion of the plain text  %9.2f ms\n", f.plain * 1000);
    }
    return 0;
}
