#include "dialogs/ImageEditor.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Process.h"
#include "platform/ui/Wnd.h"
#include "res/ids/QuestionImages.h"

#include <chrono>

namespace {

constexpr int LOG_DETAIL = 3;
// Stands for a key the profile does not have (an empty key is an editor set to nothing).
constexpr const char* kNoKey = "\x01";

void LogHere(const CString& text, int level = LOG_ERROR)
{
    LogOutput(text, level, LOG_HERE);
}

// A quoted word for the log line: the arguments as a shell would need them.
CString Quoted(const CString& word)
{
    return word.Find(' ') >= 0 || word.IsEmpty() ? "\"" + word + "\"" : word;
}

std::unique_ptr<IRunningProgram> StartByApp(EditPaintStruct& eps)
{
    IProcessRunner& runner = ProcessRunnerSlot().Get();
    const BOOL bPath = eps.szApp.Find('/') >= 0;
    if (eps.szApp.IsEmpty() || (bPath ? !fsys::Exists(eps.szApp) : runner.FindProgram(eps.szApp).IsEmpty())) {
        LogHere("::StartByApp() - app EXE file does not exist..." + eps.szApp);
        return nullptr;
    }
    LogHere("::StartByApp() - starting paint process", LOG_DETAIL);
    CProcessRequest request;
    request.program = eps.szApp;
    request.arguments = eps.arguments;
    CString error;
    std::unique_ptr<IRunningProgram> program = runner.Start(request, error);
    if (!program) {
        LogHere(error);
        LogHere("::EditPaintFunc() - failed to CreateProcess");
    }
    return program;
}

int RunEditor(EditPaintStruct& eps)
{
    std::unique_ptr<IRunningProgram> program = StartByApp(eps);
    if (!program) {
        LogHere("::EditPaintFunc() - bad process handle");
        return EPF_NO_PROCESS;
    }
    LogHere("::EditPaintFunc() - starting wait for paint proc termination", LOG_DETAIL);
    while (!program->WaitForExit(500)) {
        if (eps.hStopEvent.Wait(500) == WAIT_OBJECT_0) {
            // The editor stays open: only the wait for it ends.
            LogHere("::EditPaintFunc() - event set by parent - premature termination", LOG_DETAIL);
            return EPF_STOPPED;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    LogHere("::EditPaintFunc() - paint proc exited - normal termination", LOG_DETAIL);
    int code = 0;
    if (!program->GetExitCode(code)) {
        LogHere("::EditPaintFunc() - failed to GetExitCodeProcess");
        return EPF_NO_EXIT_CODE;
    }
    if (code != 0) {
        LogHere("::EditPaintFunc() - failed exit code..." + CString::Formatted("%d", code));
        return EPF_FAILED_EXIT;
    }
    if (!eps.hWnd) {
        LogHere("::EditPaintFunc() - bad eps pointer after completion...");
        return EPF_BAD_BLOCK;
    }
    if (!eps.hWnd->PostMessage(WM_QI_END_EDIT, 0, static_cast<LPARAM>(eps.nImageSerial))) {
        LogHere("::EditPaintFunc() - bad eps window handle after completion...");
        return EPF_NO_WINDOW;
    }
    return EPF_DONE;
}

} // namespace

CString GetImageEditorSetting()
{
    const CString command = CorraApp().GetProfileString("Settings", "ImageEditor", kNoKey);
    if (command != kNoKey)
        return command;
    IProcessRunner& runner = ProcessRunnerSlot().Get();
    for (const char* editor : {"kolourpaint", "pinta", "gimp"})
        if (!runner.FindProgram(editor).IsEmpty())
            return CString(editor) + " %f";
    return CString();
}

BOOL ParseImageEditorCommand(const CString& command, const CString& file, CString& program,
                             std::vector<CString>& arguments)
{
    std::vector<CString> words;
    CString word;
    BOOL bInWord = FALSE, bQuoted = FALSE, bHasFile = FALSE;
    const int n = command.GetLength();
    for (int i = 0; i <= n; ++i) {
        const char c = i < n ? command[i] : '\0';
        if (c == '\0' || (!bQuoted && (c == ' ' || c == '\t'))) {
            if (bInWord)
                words.push_back(word);
            word.Empty();
            bInWord = FALSE;
            continue;
        }
        bInWord = TRUE;
        if (c == '"') {
            bQuoted = !bQuoted;
        } else if (c == '%' && i + 1 < n && command[i + 1] == 'f') {
            word += file;
            bHasFile = TRUE;
            ++i;
        } else {
            word += c;
        }
    }
    if (bQuoted || words.empty() || words[0].IsEmpty())
        return FALSE;
    program = words[0];
    arguments.assign(words.begin() + 1, words.end());
    if (!bHasFile)
        arguments.push_back(file);
    return TRUE;
}

int EditPaintFunc(EditPaintStruct* pParam)
{
    if (!pParam) {
        LogHere("::EditPaintFunc() - bad EditPaintStruct ptr (pParam)");
        return EPF_BAD_PARAM;
    }
    const int result = RunEditor(*pParam);
    if (result != EPF_DONE) {
        CString line;
        for (const CString& a : pParam->arguments)
            line += " " + Quoted(a);
        LogHere(pParam->szApp);
        LogHere(line);
    }
    return result;
}
