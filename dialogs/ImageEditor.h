#pragma once
// Editing an image file in the user's paint program. The program comes from the profile
// ("Settings", "ImageEditor": a command such as `kolourpaint %f`), else the first known editor
// found on PATH. It runs on a worker thread of its own through the process runner; the worker
// tells the dialog that started it, by a posted message, when the editor ended well, so that the
// dialog reloads the image. The dialog stops the wait (never the editor) when it goes.

#include "platform/core/Event.h"
#include "platform/core/String.h"

#include <cstdint>
#include <thread>
#include <vector>

class CWnd;

// Shown when no editor can be run.
constexpr const char* kNoImageEditorMessage =
    "No image editor is set (Corra.ini, section Settings, key ImageEditor).";

// The editor command of the profile; without the key, the first of the known editors found on
// PATH with " %f"; empty when there is none.
CString GetImageEditorSetting();

// A command split into the program and its arguments, without a shell: blanks and tabs part the
// words, double quotes keep blanks inside one. Every "%f" becomes the file's path, inside its
// word (so the path stays one argument whatever it holds); the path is appended as the last
// argument when the command has no "%f". FALSE for an empty command or an open quote.
BOOL ParseImageEditorCommand(const CString& command, const CString& file, CString& program,
                             std::vector<CString>& arguments);

// The worker's parameter block, owned by the dialog. The worker reads only its own copies.
struct EditPaintStruct {
    CWnd* hWnd = nullptr;            // the dialog: receives the completion message
    CString szApp;                   // the editor program
    std::vector<CString> arguments;  // its arguments, the image among them
    CString szFile;                  // the image file
    std::uint64_t nImageSerial = 0;  // the image edited, by its serial
    CEvent hStopEvent{FALSE, TRUE};  // set by the dialog to stop waiting
    std::thread thread;
};

// Results of EditPaintFunc.
enum : int {
    EPF_DONE = 0,          // the editor ended with 0; the completion message was posted
    EPF_STOPPED = 1,       // the dialog stopped the wait
    EPF_NO_EXIT_CODE = 4,  // the editor's exit code cannot be read (a signal ended it)
    EPF_FAILED_EXIT = 5,   // the editor ended with another code
    EPF_BAD_BLOCK = 6,
    EPF_NO_WINDOW = 7,     // the dialog is gone
    EPF_BAD_PARAM = 8,
    EPF_NO_PROCESS = 9,    // the editor did not start
};

// Runs the editor and waits for it: 500 ms for the editor, then 500 ms for the stop event, then
// 100 ms of rest, over again. On exit code 0 posts WM_QI_END_EDIT (wParam 0, lParam the image's
// serial) to the block's window. Any thread; returns one of the EPF_ codes.
int EditPaintFunc(EditPaintStruct* pParam);
