#include "app/TipDlg.h"

#include "app/Pictures.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "res/ids/App.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cctype>
#include <cstdlib>
#include <ctime>

namespace {

constexpr size_t kMaxLine = 999;
const char* const kEmptyFile = "Tool tips file (tips.txt) is empty.";

// The file's modification time as ctime writes it, without the line end.
CString TimeText(LPCSTR path)
{
    std::time_t t = fsys::GetModTime(path);
    char buf[64] = {};
    ctime_r(&t, buf);
    CString text(buf);
    text.TrimRight();
    return text;
}

// The picture frame: white, the bulb at the left, "Did you know..." beside it.
class CTipFrame : public QWidget {
public:
    explicit CTipFrame(QWidget* parent) : QWidget(parent) { setMinimumHeight(56); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        QPixmap bulb = TipBulbPicture(height() - 8);
        p.drawPixmap(10, 4, bulb);
        QFont f = font();
        f.setPixelSize(18);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(28, 42, 116));
        p.drawText(QRect(20 + bulb.width(), 0, width(), height()), Qt::AlignVCenter | Qt::AlignLeft,
                   ToQString(LoadStringId(IDS_DID_YOU_KNOW)));
    }
};

} // namespace

// --- CTipsFile --------------------------------------------------------------------------------

BOOL CTipsFile::Open(LPCSTR path)
{
    m_text.clear();
    m_nPos = 0;
    m_bOpen = fsys::IsFile(path) && fsys::ReadFile(path, m_text);
    return m_bOpen;
}

BOOL CTipsFile::Seek(long nPos)
{
    if (!m_bOpen)
        return FALSE;
    size_t pos = nPos < 0 ? 0 : static_cast<size_t>(nPos);
    if (pos > m_text.size())
        pos = m_text.size();
    // Inside a line: on to the next one.
    if (pos > 0 && pos < m_text.size() && m_text[pos - 1] != '\n') {
        size_t nl = m_text.find('\n', pos);
        pos = nl == std::string::npos ? m_text.size() : nl + 1;
    }
    m_nPos = pos;
    return TRUE;
}

BOOL CTipsFile::ReadLine(CString& line)
{
    if (m_nPos >= m_text.size())
        return FALSE;
    size_t nl = m_text.find('\n', m_nPos);
    size_t end = nl == std::string::npos ? m_text.size() : nl;
    size_t len = end - m_nPos;
    if (len > 0 && m_text[end - 1] == '\r')
        --len;
    if (len > kMaxLine)
        len = kMaxLine;
    line = CString(m_text.data() + m_nPos, static_cast<int>(len));
    m_nPos = nl == std::string::npos ? m_text.size() : nl + 1;
    return TRUE;
}

CString CTipsFile::Next()
{
    if (!m_bOpen)
        return kEmptyFile;
    for (int round = 0; round < 2; ++round) {
        CString line;
        while (ReadLine(line)) {
            if (line.IsEmpty() || line[0] == ' ' || line[0] == '\t' || line[0] == ';')
                continue;
            return line;
        }
        m_nPos = 0;
    }
    return kEmptyFile;
}

// --- CTipDlg ----------------------------------------------------------------------------------

BOOL CTipDlg::GetTipsFilePath(CString& path)
{
    CString folder = GetServerDirectory();
    if (folder.IsEmpty()) {
        LogOutput("CTipDlg::GetTipsFilePath() - cannot find server dir.", 1, LOG_HERE);
        path.Empty();
        return FALSE;
    }
    path = fsys::Join(folder, "tips.txt");
    return fsys::IsFile(path);
}

CTipDlg::CTipDlg(CWnd* pParent) : CDialog(IDD_TIP, pParent)
{
    ReadFirstTip();
    BuildControls();
}

void CTipDlg::ReadFirstTip()
{
    m_bStartup = CorraApp().GetProfileNumber("Tip", "StartUp", 0) ? 1 : 0;
    long pos = CorraApp().GetProfileNumber("Tip", "FilePos", 0);
    CString path;
    if (!GetTipsFilePath(path)) {
        LogOutput("CTipDlg::CTipDlg() - failed to get tips file path.", 1, LOG_HERE);
        m_strTip = LoadStringId(IDS_TIPS_FILE_MISSING);
        return;
    }
    if (!m_file.Open(path)) {
        LogOutput("CTipDlg::CTipDlg() - failed to fopen tips file path.", 1, LOG_HERE);
        m_strTip = LoadStringId(IDS_TIPS_FILE_MISSING);
        return;
    }
    // A replaced file starts again from its first tip.
    CString stamp = TimeText(path);
    if (stamp != CorraApp().GetProfileString("Tip", "TimeStamp", "")) {
        pos = 0;
        CorraApp().WriteProfileString("Tip", "TimeStamp", stamp);
    }
    if (!m_file.Seek(pos))
        AfxMessageBox(IDS_TIPS_FILE_TROUBLE);
    m_strTip = m_file.Next();
}

CTipDlg::~CTipDlg()
{
    if (m_file.IsOpen())
        CorraApp().WriteProfileInt("Tip", "FilePos", static_cast<int>(m_file.Tell()));
}

void CTipDlg::ShowAtStartup(CWnd* pParent)
{
    CString path;
    if (!GetTipsFilePath(path))
        return;
    CTipDlg dlg(pParent);
    if (dlg.m_bStartup)
        dlg.DoModal();
}

void CTipDlg::BuildControls()
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* outer = new QVBoxLayout(this);
    auto* white = new QFrame(this);
    white->setFrameShape(QFrame::StyledPanel);
    white->setAutoFillBackground(true);
    QPalette pal = white->palette();
    pal.setColor(QPalette::Window, Qt::white);
    white->setPalette(pal);
    auto* inner = new QVBoxLayout(white);
    auto* frame = new CTipFrame(white);
    RegisterControl(IDC_TIP_FRAME, frame);
    inner->addWidget(frame);
    m_pTip = CreateStatic(m_strTip, IDC_TIP_STRING);
    m_pTip->setWordWrap(true);
    m_pTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pTip->setMinimumSize(360, 110);
    m_pTip->setContentsMargins(12, 4, 12, 12);
    inner->addWidget(m_pTip, 1);
    outer->addWidget(white, 1);
    auto* row = new QHBoxLayout;
    QCheckBox* check = CreateCheckBox(IDC_TIP_STARTUP, "&Show Tips on StartUp");
    check->setChecked(m_bStartup != 0);
    row->addWidget(check);
    row->addStretch(1);
    QPushButton* next = CreateButton(IDC_TIP_NEXT, "&Next Tip");
    next->setEnabled(m_file.IsOpen());
    row->addWidget(next);
    row->addWidget(CreateButton(IDOK, "&Close", TRUE));
    outer->addLayout(row);
    BindCommand(IDC_TIP_NEXT, [this] { OnNextTip(); });
    MakeFixedSize();
}

BOOL CTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pTip->setText(ToQString(m_strTip));
    CheckDlgButton(IDC_TIP_STARTUP, m_bStartup ? BST_CHECKED : BST_UNCHECKED);
    EnableDlgItem(IDC_TIP_NEXT, m_file.IsOpen());
    return TRUE;
}

void CTipDlg::OnNextTip()
{
    m_strTip = m_file.Next();
    if (m_pTip)
        m_pTip->setText(ToQString(m_strTip));
}

void CTipDlg::OnOK()
{
    m_bStartup = IsDlgButtonChecked(IDC_TIP_STARTUP) ? 1 : 0;
    CorraApp().WriteProfileInt("Tip", "StartUp", m_bStartup);
    EndDialog(IDOK);
}
