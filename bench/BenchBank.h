#pragma once
// The banks the benchmarks read, made like the shipped sample bank as a teacher's copy of it
// grows: question texts as the rich-edit control writes them (a font table, some bold, italic,
// a superscript, an escaped character, a second paragraph), labelled choices on the choice and
// matching types, one or two of twelve subjects, a chapter, a picture on every tenth question,
// the questions in groups and fifty collections. Written enciphered by the program's own writer.

#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/ImageData.h"
#include "platform/core/FileSys.h"
#include "render/RtfSyntax.h"
#include "res/ids/QuestionTypes.h"

#include <QImage>

#include <cstdio>
#include <string>

// The sizes every benchmark that reads banks runs at.
constexpr int kBenchBankSizes[] = {1000, 10000, 50000};
constexpr int kBenchBankSizeCount = sizeof(kBenchBankSizes) / sizeof(kBenchBankSizes[0]);

// The header the rich-edit control writes before a text in the sample's font.
inline CString BenchRichEditHeader(int nHalfPoints)
{
    return CString::Formatted("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}"
                              "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}}\r\n"
                              "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs%d ",
                              nHalfPoints);
}

// Text i of nWords words at nHalfPoints (\fs) size.
inline CString BenchQuestionRtf(int i, int nWords, int nHalfPoints = 20)
{
    static const char* const words[] = {"Which", "of", "the", "following", "statements", "about", "photosynthesis",
                                        "is", "correct", "when", "light", "intensity", "increases", "beyond",
                                        "saturation", "point", "and", "carbon", "dioxide", "remains", "constant"};
    const int nCount = sizeof(words) / sizeof(words[0]);
    CString body = BenchRichEditHeader(nHalfPoints);
    for (int w = 0; w < nWords; ++w) {
        const char* word = words[(i * 7 + w * 3) % nCount];
        // A control word ends at the blank after it, which it takes: the blank between two
        // words comes after that one.
        if (w % 11 == 5)
            body += CString("\\b ") + word + "\\b0  ";
        else if (w % 13 == 7)
            body += CString("\\i ") + word + "\\i0  ";
        else if (w % 17 == 9)
            body += CString("x\\super 2\\nosupersub  ");
        else if (w % 19 == 3)
            body += CString("caf\\'e9 ");
        else
            body += CString(word) + " ";
    }
    if (i % 3 == 0)
        body += "\\par\r\n\\tab second paragraph";
    return body + "\\par\r\n}\r\n";
}

// Choices and an answer for the question's type: rich choices on the choice and matching types.
inline void SetBenchAnswer(CCorraQuestion& q)
{
    const CString header = BenchRichEditHeader(20);
    if (q.m_nType == static_cast<int>(IDS_QTYPE_MC)) {
        q.SetChoices(header + "a. The {\\b first} choice\\par\r\nb. The second choice\\par\r\nc. The third "
                              "choice\\par\r\nd. None of these\\par\r\n}");
        q.m_cszAnswer = "b";
    } else if (q.m_nType == static_cast<int>(IDS_QTYPE_TF)) {
        q.SetChoices(header + "a. True\\par\r\nb. False\\par\r\n}");
        q.m_cszAnswer = "a";
    } else if (q.m_nType == static_cast<int>(IDS_QTYPE_MA)) {
        q.SetChoices(header + "a. Ribosome - makes {\\i proteins}\\par\r\nb. Lysosome - breaks down waste\\par\r\n"
                              "c. Nucleus - holds the genes\\par\r\n}");
        q.m_cszAnswer = "a";
    } else {
        q.m_cszAnswer = "A written answer";
    }
}

// A document that stands alone: no views to tell, never deleted with its last view.
class CBenchDoc : public CCorraDoc {
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

// The picture the questions show, in the program's image folder.
inline CString BenchImagePath()
{
    const CString folder = CFileTypes::GetPriDir(DT_IMAGE);
    const CString path = fsys::Join(folder, "cell.png");
    if (!fsys::Exists(path)) {
        fsys::CreateDirectories(folder);
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(QString::fromUtf8(path.GetString()), "PNG");
    }
    return path;
}

// Fills an empty document with a bank of nQuestions questions made like the sample.
inline void FillBenchBank(CCorraDoc& doc, int nQuestions)
{
    static const char* const subjects[] = {"Cells",    "Energy",    "Genetics", "Ecology", "Evolution", "Plants",
                                           "Animals",  "Body",      "Health",   "Microbes", "Chemistry", "Earth"};
    const UINT types[] = {IDS_QTYPE_MC, IDS_QTYPE_TF, IDS_QTYPE_MC, IDS_QTYPE_MA, IDS_QTYPE_ES,
                          IDS_QTYPE_MC, IDS_QTYPE_SA, IDS_QTYPE_TF, IDS_QTYPE_FI, IDS_QTYPE_MC};
    const int nTypes = sizeof(types) / sizeof(types[0]);
    doc.m_csTitle1 = "Sample Bank: Cells and Living Things";
    doc.m_csTitle2 = "Biology, first term";
    doc.m_csInstructions = BenchRichEditHeader(24) + "Answer every question. Write your answers {\\b in ink}.\\par\r\n}";
    doc.m_csCorraId = "CID_412_77";
    const CString image = BenchImagePath();

    // A group of questions per hundred, named for its unit, with a header text.
    const int nGroups = (nQuestions + 99) / 100;
    for (int g = 1; g <= nGroups; ++g) {
        CGroup group;
        group.m_nId = 500 + g;
        group.m_dwFlags = g % 2 ? 0x30102 : 0x20102;
        group.m_csName = CString::Formatted("Unit %d", g);
        group.m_csText = BenchRichEditHeader(24) + CString::Formatted("Part %d: choose the best answer.\\par\r\n}", g);
        doc.AddNewGroup(group);
    }
    for (int i = 1; i <= nQuestions; ++i) {
        auto* q = new CCorraQuestion;
        q->m_nId = 100 + i;
        q->m_nIndex = i;
        q->m_nLevel = 1 + i % 3;
        q->m_nMemberId = 500 + 1 + (i - 1) / 100;
        q->m_nType = static_cast<int>(types[i % nTypes]);
        // Short and long texts, a quarter of them in 12 points.
        q->m_cszQuestionText = BenchQuestionRtf(i, 6 + (i * 37) % 60, i % 4 == 0 ? 24 : 20);
        SetBenchAnswer(*q);
        q->AddSubject(subjects[i % 12]);
        if (i % 3 == 0)
            q->AddSubject(subjects[(i / 3 + 5) % 12]);
        q->AddTextbook("Life Science", CString::Formatted("%d", 1 + i % 9));
        if (i % 10 == 0)
            q->AddImage(image, IP_TOP, 0, 20.0, 0.0);
        doc.InsertQuestion(q);
    }
    for (int c = 1; c <= 50; ++c) {
        CPtrListEx members;
        for (int k = 0; k < 20; ++k)
            members.AddTail(doc.FindQuestionById(100 + 1 + (c * 131 + k * 17) % nQuestions));
        doc.GetOrCreateCollection(CString::Formatted("Unit %d review", c), &members);
    }
}

// Writes a bank of nQuestions questions, enciphered, to path; its size in bytes (0 on failure).
inline long WriteBenchBank(const CString& path, int nQuestions)
{
    CBenchDoc doc;
    FillBenchBank(doc, nQuestions);
    if (doc.WriteCorraDoc(path) != CCorraDoc::writeDone)
        return 0;
    return static_cast<long>(fsys::GetSize(path));
}

// Writes banks of nQuestions questions made like the sample, enciphered, one to a path that
// pathOf(i) gives for i = 0 .. nBanks - 1, bank i with its own title "Bank i" and Corra ID
// idOf(i). The text is made once; each bank is enciphered on its own (its key is its length's).
template <typename PathOf, typename IdOf>
inline bool WriteBenchBanks(int nBanks, int nQuestions, PathOf pathOf, IdOf idOf)
{
    CBenchDoc doc;
    FillBenchBank(doc, nQuestions);
    doc.m_csTitle1 = "@TITLE@";
    doc.m_csCorraId = "@CORRAID@";
    CEncryptedArchive body("", TRUE, 4096);
    doc.WriteBody(body, nullptr);
    const std::string text(body.GetWrittenText(), static_cast<size_t>(body.GetWrittenLength()));
    // The first of each: the header's.
    const size_t title = text.find("@TITLE@");
    const size_t id = text.find("@CORRAID@");
    if (title == std::string::npos || id == std::string::npos || id < title)
        return false;
    for (int i = 0; i < nBanks; ++i) {
        std::string bank = text.substr(0, title) + "Bank " + std::to_string(i) +
                           text.substr(title + 7, id - title - 7) + idOf(i).GetString() + text.substr(id + 9);
        CEncryptedArchive out(pathOf(i), TRUE, static_cast<long>(bank.size() + 16));
        out.GrowBuffer(bank.data(), static_cast<long>(bank.size()));
        if (!out.Commit())
            return false;
    }
    return true;
}

// What a step costs per question as the bank grows from one size to the next, and how far the
// largest bank is from linear in the smallest (1.00: linear).
inline void PrintBenchGrowth(const char* what, const double ms[kBenchBankSizeCount])
{
    std::printf("  %-34s", what);
    for (int k = 0; k < kBenchBankSizeCount; ++k)
        std::printf(" %9.1f", ms[k]);
    std::printf("  ms |");
    for (int k = 1; k < kBenchBankSizeCount; ++k)
        std::printf(" %6.2f", (ms[k] - ms[k - 1]) * 1000.0 / (kBenchBankSizes[k] - kBenchBankSizes[k - 1]));
    const double linear = ms[0] * kBenchBankSizes[kBenchBankSizeCount - 1] / kBenchBankSizes[0];
    std::printf(" us/question | %.2f of linear\n", linear > 0 ? ms[kBenchBankSizeCount - 1] / linear : 0.0);
}

inline void PrintBenchGrowthHeading()
{
    std::printf("  %-34s", "");
    for (int k = 0; k < kBenchBankSizeCount; ++k)
        std::printf(" %9d", kBenchBankSizes[k]);
    std::printf("     | growth per question     | largest\n");
}
