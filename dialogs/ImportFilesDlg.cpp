#include "dialogs/ImportFilesDlg.h"

#include "foundation/FileTypes.h"
#include "foundation/ImportFile.h"
#include "res/ids/QuestionTools.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct CImportKind {
    int id;
    const char* caption;
    int type;
    const char* letter;
    QColor colour;
};

// A sheet of paper with the kind's letter on a coloured band.
QPixmap KindIcon(const CImportKind& kind, qreal ratio)
{
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 20, 27));
    p.fillRect(QRectF(7, 16, 19, 11), kind.colour);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QRectF(7, 16, 19, 11), Qt::AlignCenter, QString::fromLatin1(kind.letter));
    p.setPen(QColor(160, 160, 160));
    for (int y = 6; y <= 12; y += 3)
        p.drawLine(QPointF(10, y + 0.5), QPointF(23, y + 0.5));
    return pixmap;
}

}  // namespace

CImportFilesDlg::CImportFilesDlg(CWnd* pParent) : CDialog(IDD_IMPORT_FILES, pParent)
{
    setWindowTitle("Import Files");
    const CImportKind kinds[] = {
        {IDC_IMPORT_CORRA, "Quorvale Question Corra Files...", DT_CORRA, "Q", QColor(40, 100, 170)},
        {IDC_IMPORT_EXAM, "Quorvale Exam Files...", DT_EXAM, "E", QColor(170, 60, 50)},
        {IDC_IMPORT_SOURCE, "Source Files...", DT_SRC, "S", QColor(60, 130, 70)},
        {IDC_IMPORT_IMAGES, "Image Files...", DT_IMAGE, "I", QColor(180, 120, 30)},
        {IDC_IMPORT_DATA, "Data Files...", DT_DATA, "D", QColor(100, 90, 140)},
    };
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const CImportKind& kind : kinds) {
        auto* icon = new QLabel(this);
        icon->setPixmap(KindIcon(kind, devicePixelRatioF()));
        grid->addWidget(icon, row, 0);
        QPushButton* button = CreateButton(kind.id, kind.caption);
        button->setMinimumWidth(260);
        grid->addWidget(button, row, 1);
        const int type = kind.type;
        BindNotify(kind.id, BN_CLICKED, [this, type] { OnImport(type); });
        ++row;
    }
    layout->addLayout(grid);
    layout->addWidget(CreateButtonBox({IDCLOSE}));
    BindNotify(IDCLOSE, BN_CLICKED, [this] { EndDialog(IDCLOSE); });
    MakeFixedSize();
}

void CImportFilesDlg::OnImport(int nType)
{
    ImportFile(nType, "Import " + CFileTypes::Type2TypeDescr(nType, TRUE));
}
