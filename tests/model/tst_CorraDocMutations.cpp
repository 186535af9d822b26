// Damaged files of every kind fed to the document reader: each read must end with a result and,
// when it did not read the whole file, a message; never a crash, a hang or a changed file.

#include "model/CorraDoc.h"

#include "foundation/EncryptedArchive.h"
#include "model/Group.h"
#include "platform/core/FileSys.h"
#include "platform/core/Random.h"
#include "tests/support/CorraTest.h"

#include <cstring>

namespace {

class CQuietDoc : public CCorraDoc {
public:
    BOOL PostViewMessage(UINT message, WPARAM, LPARAM) override
    {
        ++posted;
        return TRUE;
    }
    int posted = 0;
};

class CorraDocMutationTest : public CorraTest {
protected:
    // Reads bytes as a file; checks the rules every damaged read keeps.
    void Feed(const std::string& bytes, const std::string& what)
    {
        CString path = HomePath("mutant.crr");
        ASSERT_TRUE(fsys::WriteFile(path, bytes.data(), bytes.size()));
        messageBox.calls.clear();
        CQuietDoc doc;
        CCorraDoc::ReadOutcome outcome = doc.ReadCorraDoc(path);
        std::string after;
        fsys::ReadFile(path, after);
        ASSERT_EQ(after, bytes) << what;
        EXPECT_FALSE(doc.IsModified()) << what;
        if (outcome != CCorraDoc::readComplete) {
            EXPECT_FALSE(messageBox.calls.empty()) << what;
        }
        ++m_counts[outcome];
    }
    int m_counts[5] = {0, 0, 0, 0, 0};
};

std::string SampleText()
{
    CCorraDoc doc;
    doc.m_csTitle1 = "Sample bank for damage";
    doc.m_csTitle2 = "Second title";
    doc.m_csInstructions = "{\\rtf1 Answer [every] question.\\par\r\n}";
    doc.m_csCorraId = "CID_1_2";
    for (int i = 0; i < 3; ++i) {
        CGroup group;
        group.m_nId = 100 + i;
        group.m_csName = CString::Formatted("Group %d", i);
        group.m_csText = "{\\rtf1 Header text\\par\r\n}";
        doc.AddNewGroup(group);
    }
    CEncryptedArchive out("", TRUE);
    doc.WriteBody(out, nullptr);
    return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
}

std::string Enciphered(const std::string& text, const CString& path)
{
    CEncryptedArchive out(path, TRUE);
    out.GrowBuffer(text.data(), static_cast<long>(text.size()));
    EXPECT_TRUE(out.Commit());
    std::string bytes;
    fsys::ReadFile(path, bytes);
    return bytes;
}

TEST_F(CorraDocMutationTest, TruncatedAtEveryPoint)
{
    std::string text = SampleText();
    for (size_t cut = 0; cut < text.size(); ++cut)
        Feed(text.substr(0, cut), "plain cut at " + std::to_string(cut));
    std::string block = Enciphered(text, HomePath("whole.crr"));
    for (size_t cut = 0; cut < block.size(); cut += 97)
        Feed(block.substr(0, cut), "enciphered cut at " + std::to_string(cut));
    EXPECT_GT(m_counts[CCorraDoc::readComplete], 0);
    EXPECT_GT(m_counts[CCorraDoc::readFailed] + m_counts[CCorraDoc::readUnknownText], 0);
}

TEST_F(CorraDocMutationTest, FlippedAndRandomBytes)
{
    std::string text = SampleText();
    std::string block = Enciphered(text, HomePath("whole.crr"));
    CRandom rng(20261210);
    for (int round = 0; round < 150; ++round) {
        std::string plain = text;
        std::string enciphered = block;
        int flips = 1 + rng.Next() % 4;
        for (int k = 0; k < flips; ++k) {
            plain[static_cast<size_t>(rng.Next()) % plain.size()] ^= static_cast<char>(1 << (rng.Next() % 8));
            enciphered[static_cast<size_t>(rng.Next()) % enciphered.size()] ^= static_cast<char>(1 << (rng.Next() % 8));
        }
        Feed(plain, "plain flips, round " + std::to_string(round));
        Feed(enciphered, "enciphered flips, round " + std::to_string(round));
        std::string noise(static_cast<size_t>(rng.Next() % 600), '\0');
        for (char& c : noise)
            c = static_cast<char>(rng.Next() & 0xFF);
        Feed(noise, "random bytes, round " + std::to_string(round));
        // Printable garbage passes as text and reaches the readers.
        std::string words = text.substr(0, text.size() / 2);
        for (int k = 0; k < 40; ++k)
            words += static_cast<char>(' ' + rng.Next() % 95);
        Feed(words, "printable garbage, round " + std::to_string(round));
    }
}

TEST_F(CorraDocMutationTest, TheSampleBankDamaged)
{
    // Questions of every type, collections, groups and an image: every reader of the loop.
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), text));
    for (size_t cut = 0; cut < text.size(); cut += 7)
        Feed(text.substr(0, cut), "sample cut at " + std::to_string(cut));
    std::string block = Enciphered(text, HomePath("whole.crr"));
    CRandom rng(20261211);
    for (int round = 0; round < 150; ++round) {
        std::string plain = text;
        std::string enciphered = block;
        for (int k = 1 + rng.Next() % 3; k > 0; --k) {
            plain[static_cast<size_t>(rng.Next()) % plain.size()] = static_cast<char>(rng.Next() & 0xFF);
            enciphered[static_cast<size_t>(rng.Next()) % enciphered.size()] ^= static_cast<char>(1 << (rng.Next() % 8));
        }
        Feed(plain, "sample bytes changed, round " + std::to_string(round));
        Feed(enciphered, "sample enciphered flips, round " + std::to_string(round));
        // A record of the bank cut out, or doubled.
        size_t from = static_cast<size_t>(rng.Next()) % text.size();
        size_t len = static_cast<size_t>(rng.Next()) % 400;
        std::string spliced = text;
        spliced.erase(from, len);
        Feed(spliced, "sample with a piece cut out, round " + std::to_string(round));
        Feed(text.substr(0, from) + text.substr(from / 2), "sample with a piece doubled, round " + std::to_string(round));
    }
    EXPECT_GT(m_counts[CCorraDoc::readComplete], 0);
    EXPECT_GT(m_counts[CCorraDoc::readFailed], 0);
}

TEST_F(CorraDocMutationTest, HugeAndOddNumbers)
{
    std::string text = SampleText();
    const std::pair<const char*, const char*> swaps[] = {
        {"COUNT:0", "COUNT:99999999999999999999"},
        {"NUMCOLLECTIONS:0", "NUMCOLLECTIONS:4294967296"},
        {"ID: 100", "ID: 2147483648"},
        {"ID: 101", "ID: 000000000000000000000101"},
        {"FLAGS:20102", "FLAGS:ffffffffffff"},
        {"TOPSPACE: 0", "TOPSPACE: 99999999999"},
        {"CORRAID: {CID_1_2}", "CORRAID: {CID_1_2"},
        {"TEXT: { ", "TEXT: "},
    };
    for (const auto& swap : swaps) {
        std::string mutant = text;
        size_t at = mutant.find(swap.first);
        ASSERT_NE(at, std::string::npos) << swap.first;
        mutant.replace(at, std::strlen(swap.first), swap.second);
        Feed(mutant, swap.second);
    }
    Feed(std::string(200000, '{'), "an open brace without end");
    Feed(text + std::string(100000, '}'), "closing braces");
}

} // namespace
