#include "platform/ui/ShellOps.h"

#include "platform/core/CountedNoun.h"
#include "platform/core/FileSys.h"
#include "platform/core/Time.h"
#include "platform/ui/QtString.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QMimeDatabase>
#include <QVBoxLayout>

#include <sys/stat.h>

BOOL MoveToTrash(const char* path)
{
    if (!fsys::PathTaken(path))
        return FALSE;
    return QFile::moveToTrash(QString::fromStdString(fsys::Native(path))) ? TRUE : FALSE;
}

CString DescribeFileKind(const char* path)
{
    if (fsys::IsDirectory(path))
        return "Folder";
    static QMimeDatabase db;
    QMimeType type = db.mimeTypeForFile(QString::fromStdString(fsys::Native(path)), QMimeDatabase::MatchExtension);
    CString kind = FromQString(type.comment());
    if (kind.IsEmpty() || type.isDefault()) {
        CString ext = fsys::FileName(path);
        int dot = ext.ReverseFind('.');
        if (dot > 0) {
            ext = ext.Mid(dot + 1);
            ext.MakeUpper();
            return ext + " File";
        }
        return "File";
    }
    return kind;
}

namespace {
// "12,345 bytes"
CString BytesText(long long n)
{
    CString digits = CString::Formatted("%lld", n);
    CString out;
    int len = digits.GetLength();
    for (int i = 0; i < len; ++i) {
        if (i > 0 && (len - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out + (n == 1 ? " byte" : " bytes");
}
} // namespace

CFilePropertiesDlg::CFilePropertiesDlg(const char* path, CWnd* pParent, const char* pszKind)
    : CDialog(IDD, pParent), m_csPath(path)
{
    CString norm = fsys::NormalizeSeparators(path);
    norm.TrimRight('/');
    if (norm.IsEmpty())
        norm = "/";
    m_csName = norm == "/" ? norm : fsys::FileName(norm);
    m_csFolder = fsys::Folder(norm);
    if (m_csFolder.IsEmpty() && norm != "/")
        m_csFolder = "/";
    m_csKind = pszKind && *pszKind ? CString(pszKind) : DescribeFileKind(norm);
    struct stat lst {};
    if (::lstat(fsys::Native(norm).c_str(), &lst) == 0) {
        if (S_ISLNK(lst.st_mode))
            m_csKind = "Link to " + m_csKind;
        if (fsys::IsDirectory(norm)) {
            int n = static_cast<int>(fsys::ListDirectory(norm).size());
            m_csSize = CountedNoun(n, "item", "items");
        } else {
            m_csSize = BytesText(static_cast<long long>(lst.st_size));
        }
        m_csModified = CTime(lst.st_mtime).Format("%Y-%m-%d %H:%M");
    }
    setWindowTitle(ToQString(m_csName + " Properties"));
    auto* form = new QFormLayout;
    auto add = [this, form](const char* label, const CString& text) {
        QLabel* value = CreateStatic("");
        value->setText(ToQString(text));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(CreateStatic(label), value);
    };
    add("Name:", m_csName);
    add("Kind:", m_csKind);
    add("Size:", m_csSize);
    add("Modified:", m_csModified);
    add("Folder:", m_csFolder);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(CreateButtonBox({IDOK}));
    MakeFixedSize();
}

BOOL CFilePropertiesDlg::OnInitDialog()
{
    return CDialog::OnInitDialog();
}

BOOL ShowFileProperties(const char* path, CWnd* pParent, const char* pszKind)
{
    if (!fsys::PathTaken(path))
        return FALSE;
    CFilePropertiesDlg dlg(path, pParent, pszKind);
    dlg.DoModal();
    return TRUE;
}
