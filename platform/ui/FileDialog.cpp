#include "platform/ui/FileDialog.h"

#include "platform/ui/QtString.h"
#include "platform/ui/Wnd.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

namespace {

class CCancellingFileDialog : public IFileDialogService {
public:
    BOOL Choose(const CFileDialogRequest&, std::vector<CString>&) override { return FALSE; }
};

CCancellingFileDialog g_cancelling;
CServiceSlot<IFileDialogService> g_fileDialog(g_cancelling);

} // namespace

IFileDialogService& FileDialogService()
{
    return g_fileDialog.Get();
}

CServiceSlot<IFileDialogService>& FileDialogSlot()
{
    return g_fileDialog;
}

BOOL ChooseFilePath(const CFileDialogRequest& request, CString& path)
{
    std::vector<CString> chosen;
    if (!FileDialogService().Choose(request, chosen) || chosen.empty())
        return FALSE;
    path = chosen.front();
    return TRUE;
}

BOOL CQtFileDialog::Choose(const CFileDialogRequest& request, std::vector<CString>& chosen)
{
    CWnd* pMain = AfxGetMainWnd();
    QFileDialog dlg(pMain ? pMain->GetWidget() : nullptr, ToQString(request.title));
    // A status line needs Qt's own dialog, whose layout takes one more line.
    if (!request.status.IsEmpty())
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    // The folder first, then the name alone: a whole path of a file not yet there leaves the
    // name field with the folder's last separator in front ("/Bank"), which saves at the root.
    if (!request.folder.IsEmpty())
        dlg.setDirectory(ToQString(request.folder));
    if (!request.fileName.IsEmpty())
        dlg.selectFile(ToQString(request.fileName));
    if (!request.filter.IsEmpty()) {
        const QStringList filters = ToQString(request.filter).split(QStringLiteral(";;"));
        dlg.setNameFilters(filters);
        if (request.nFilterIndex > 0 && request.nFilterIndex <= filters.size())
            dlg.selectNameFilter(filters.at(request.nFilterIndex - 1));
    }
    if (!request.defaultExt.IsEmpty())
        dlg.setDefaultSuffix(ToQString(request.defaultExt));
    switch (request.kind) {
    case CFileDialogRequest::kindOpen:
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(request.bMultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        break;
    case CFileDialogRequest::kindSave:
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        break;
    case CFileDialogRequest::kindFolder:
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::Directory);
        dlg.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    }
    if (!request.acceptLabel.IsEmpty())
        dlg.setLabelText(QFileDialog::Accept, ToQString(request.acceptLabel));
    if (!request.status.IsEmpty()) {
        if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
            grid->addWidget(new QLabel(ToQString(request.status), &dlg), grid->rowCount(), 0, 1, -1);
    }
    if (dlg.exec() != QDialog::Accepted)
        return FALSE;
    chosen.clear();
    for (const QString& f : dlg.selectedFiles())
        chosen.push_back(FromQString(f));
    return !chosen.empty();
}
