#pragma once
// What a test does in the program's file chooser as the user would: press the mouse in the tree
// or the list, then select there (the chooser follows the control last pressed in).

#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"

#include <gtest/gtest.h>

// Selects a path in the tree.
inline void UserSelectsInTree(CHVFileDlg& d, const CString& path)
{
    d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_TREE);
    ASSERT_NE(d.GetTree()->SelectPath(path), nullptr) << path;
}

// Selects a row of the list by its file name, keeping the rows selected before.
inline void UserSelectsRow(CHVFileDlg& d, const char* name)
{
    d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_LIST);
    int row = d.GetList()->FindItemByName(name);
    ASSERT_GE(row, 0) << name;
    d.GetList()->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}
