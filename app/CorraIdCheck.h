#pragma once
// The check that every Question Corra file under the banks' folder carries its own CORRAID: two
// files with the same id (one copied from the other outside the program) are taken for one bank
// by exam links.

#include "platform/core/String.h"

#include <map>
#include <vector>

class COldProgressDlg;

struct CCorraIdCheck {
    // Ids held by more than one file, with those files.
    std::map<CString, std::vector<CString>> duplicates;
    int nFiles = 0;
    BOOL bCancelled = FALSE;
};

// Reads the header of every ".crr" file under root (folders below it too, never through a link
// to a folder), stepping status through them; stops when status is cancelled. FALSE when root
// cannot be searched.
BOOL CheckCorraIds(LPCSTR root, COldProgressDlg& status, CCorraIdCheck& out);

// The command: searches the banks' folder with a "Searching..." box, logs every duplicated id
// with its files and shows the log when there was one. The number of duplicated ids; -1 when
// the folder could not be searched or the user cancelled.
int RunCorraIdCheck();
