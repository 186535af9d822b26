#include "controls/TextListBoxes.h"

#include "foundation/TextListFile.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "tests/support/CorraTest.h"

namespace {

using TextListBoxes = CorraTest;

std::vector<std::string> Lines(const CTextListFile& list)
{
    std::vector<std::string> out;
    for (const CString& cs : list.GetLines())
        out.push_back(cs.str());
    return out;
}

TEST_F(TextListBoxes, ListAndComboRoundTrip)
{
    CString path = WriteHomeFile("Subjects.txt", "Caf\xe9\nB\n");
    CTextListFile list(256);
    ASSERT_TRUE(list.Read(path));

    CListBox box;
    box.AddString("stale");
    EXPECT_EQ(FillListBox(list, box), 2);
    ASSERT_EQ(box.GetCount(), 2);
    EXPECT_EQ(box.item(0)->text(), QString::fromUtf8("Caf\xc3\xa9"));
    box.AddString("New");
    EXPECT_EQ(ReadListBox(list, box), 3);
    EXPECT_TRUE(list.IsModified());
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Caf\xe9", "B", "New"}));

    CComboBox combo;
    combo.AddString("stale");
    EXPECT_EQ(FillComboBox(list, combo), 3);
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(0), "Caf\xe9");
    combo.DeleteString(1);
    EXPECT_EQ(ReadComboBox(list, combo), 2);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Caf\xe9", "New"}));
    list.SetKeepFile(TRUE);
}

} // namespace
