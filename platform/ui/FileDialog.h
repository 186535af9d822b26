#pragma once
// Choosing files and folders. Everything that asks the user for a path goes through the
// installed file dialog service: the program's shows Qt's file dialog, tests install a scripted
// one that records each request and answers from a queue.

#include "platform/core/ServiceSlot.h"
#include "platform/core/Services.h"
#include "platform/core/String.h"

#include <vector>

struct CFileDialogRequest {
    enum Kind { kindOpen, kindSave, kindFolder };
    Kind kind = kindOpen;
    CString title;
    int nFilterIndex = 0;  // the filter shown first, counted from 1; 0 the first
    CString folder;      // where the dialog starts; empty: the current folder
    CString fileName;    // the name proposed (save) or selected (open)
    // Qt filter text: entries "Corra Files (*.crr)" separated by ";;"; empty: all files.
    CString filter;
    CString defaultExt;  // without the dot; appended to a saved name that has no extension
    BOOL bMultiSelect = FALSE;
    CString acceptLabel;  // the OK button's text; empty: the dialog's own
    CString status;       // a line shown under the list (the current selection); empty: none
};

class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    // Runs the request; the chosen paths (one unless multi-select) or FALSE when cancelled.
    virtual BOOL Choose(const CFileDialogRequest& request, std::vector<CString>& chosen) = 0;
};

// The installed service; the default cancels every request.
IFileDialogService& FileDialogService();
CServiceSlot<IFileDialogService>& FileDialogSlot();

// One path through the service; FALSE when cancelled.
BOOL ChooseFilePath(const CFileDialogRequest& request, CString& path);

// Qt's file dialog.
class CQtFileDialog : public IFileDialogService {
public:
    BOOL Choose(const CFileDialogRequest& request, std::vector<CString>& chosen) override;
};
