#include "controls/TextListBoxes.h"

#include "foundation/TextListFile.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"

int FillComboBox(const CTextListFile& list, CComboBox& combo)
{
    combo.ResetContent();
    for (const CString& cs : list.GetLines())
        combo.AddString(cs);
    return list.GetCount();
}

int FillListBox(const CTextListFile& list, CListBox& box)
{
    box.ResetContent();
    for (const CString& cs : list.GetLines())
        box.AddString(cs);
    return list.GetCount();
}

int ReadComboBox(CTextListFile& list, const CComboBox& combo)
{
    CStringArray lines;
    for (int i = 0; i < combo.GetCount(); ++i)
        lines.Add(combo.GetLBText(i));
    list.SetLines(lines);
    return list.GetCount();
}

int ReadListBox(CTextListFile& list, const CListBox& box)
{
    CStringArray lines;
    for (int i = 0; i < box.GetCount(); ++i)
        lines.Add(box.GetText(i));
    list.SetLines(lines);
    return list.GetCount();
}
