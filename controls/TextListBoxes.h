#pragma once
// The lines of a text list file shown in, and read back from, the program's list and combo
// boxes.

class CComboBox;
class CListBox;
class CTextListFile;

// Empties the box and adds every entry (sorted when the box sorts); the number of entries.
int FillComboBox(const CTextListFile& list, CComboBox& combo);
int FillListBox(const CTextListFile& list, CListBox& box);
// The box's items become the list's entries (the list is then modified); their number.
int ReadComboBox(CTextListFile& list, const CComboBox& combo);
int ReadListBox(CTextListFile& list, const CListBox& box);
