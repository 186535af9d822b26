#include "app/CorraIdCheck.h"

#include "controls/OldProgressDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/CorraHeader.h"
#include "platform/core/Services.h"

BOOL CheckCorraIds(LPCSTR root, COldProgressDlg& status, CCorraIdCheck& out)
{
    out = CCorraIdCheck();
    CStringList files;
    const CString pattern = "*." + CFileTypes::Type2Ext(DT_CORRA, FALSE);
    if (GetAllFiles(files, root, pattern) < 0) {
        AfxMessageBox(CString("CMainFrame::OnOptionsCrrChk() - failed to get filepaths...\n") + root);
        return FALSE;
    }
    std::map<CString, std::vector<CString>> byId;
    status.SetRange(files.GetCount());
    status.SetStep(1);
    for (POSITION pos = files.GetHeadPosition(); pos;) {
        const CString& path = files.GetNext(pos);
        status.StepIt();
        if (status.IsCancelled()) {
            out.bCancelled = TRUE;
            return TRUE;
        }
        CCorraHeader header;
        if (!header.GetCorraHeaderInfo(path)) {
            LogOutput("CFileFindExDlg::SearchCorraId() - failed to read corra hdr for...", 1, LOG_HERE);
            LogOutput(path, 1, LOG_HERE);
            continue;
        }
        ++out.nFiles;
        const CString id = header.GetCorraId();
        if (!id.IsEmpty())
            byId[id].push_back(path);
    }
    for (auto& [id, paths] : byId)
        if (paths.size() > 1)
            out.duplicates[id] = std::move(paths);
    return TRUE;
}

int RunCorraIdCheck()
{
    COldProgressDlg status("Searching...", "Please wait");
    status.Create();
    CCorraIdCheck check;
    const BOOL bSearched = CheckCorraIds(CFileTypes::GetPriDir(DT_CORRA), status, check);
    status.DestroyWindow();
    if (!bSearched || check.bCancelled)
        return -1;
    // Written whatever the log level: the log is shown to the user for exactly these lines.
    for (const auto& [id, paths] : check.duplicates) {
        CString line = id + " - ";
        for (size_t i = 0; i < paths.size(); ++i)
            line += (i ? ", " : "") + paths[i];
        LogOutput(line, 1, LOG_HERE);
    }
    if (!check.duplicates.empty())
        ViewLog();
    return static_cast<int>(check.duplicates.size());
}
