#include "app/BoilerPlate.h"

#include "controls/HVMsgBox.h"
#include "platform/core/Services.h"
#include "platform/ui/Dialog.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"
#include "res/ids/App.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include <cstdio>
#include <exception>

namespace {

// The round buttons, the same on every page.
constexpr ButtonType kTopButtons[] = {
    {"CORRA", 1, 0, 0},
    {"EXAM", 5, 0, 1},
    {"PRINT", 8, 0, 2},
};

constexpr ButtonType kCorraTasks[] = {
    {"Create new corra", 2, 0, 0},
    {"Edit existing corra", SCREEN_NONE, 0x8005, 0},
    {"Add to existing Corra", 3, 0, 0},
    {"Auto Convert", 4, 0, 0},
};
constexpr ButtonType kNewCorraTasks[] = {
    {"Auto Convert", SCREEN_NONE, 0x8003, 0},
    {"Create questions manually", SCREEN_NONE, 0x8004, 0},
};
constexpr ButtonType kAddCorraTasks[] = {
    {"From another\nQuestion Corra", SCREEN_NONE, 0x8006, 0},
    {"Manually", SCREEN_NONE, 0x8005, 0},
    {"Auto Convert", SCREEN_NONE, 0x8008, 0},
};
constexpr ButtonType kConvertTasks[] = {
    {"Auto Convert to\nnew Corra", SCREEN_NONE, 0x8003, 0},
    {"Auto Convert to\nexisting Corra", SCREEN_NONE, 0x8008, 0},
};
constexpr ButtonType kExamTasks[] = {
    {"Create new Exam", 6, 0, 1},
    {"Edit existing Exam", SCREEN_NONE, 0x8016, 1},
    {"Add to existing Exam", 7, 0, 1},
    {"Create Exam Forms", SCREEN_NONE, 0x801b, 1},
};
constexpr ButtonType kNewExamTasks[] = {
    {"Auto-Random from Corra", SCREEN_NONE, 0x8014, 1},
    {"Add questions manually", 9, 0, 1},
};
constexpr ButtonType kAddExamTasks[] = {
    {"Auto-Random from Corra", SCREEN_NONE, 0x801a, 1},
    {"Add questions manually", SCREEN_NONE, 0x8018, 1},
};
constexpr ButtonType kPrintTasks[] = {
    {"Print Corra", SCREEN_NONE, 0x8028, 2},
    {"Print Exam", SCREEN_NONE, 0x8029, 2},
    {"Print Keys", SCREEN_NONE, 0x802a, 2},
    {"Print Preview", 11, 0, 2},
};
constexpr ButtonType kAddToExamTasks[] = {
    {"Type in new questions", SCREEN_NONE, 0x8015, 1},
    {"Add from existing\nQuestion Corra", 10, 0, 1},
};
constexpr ButtonType kFromCorraTasks[] = {
    {"Add by drag 'n drop", SCREEN_NONE, 0x8019, 1},
    {"Auto random add", SCREEN_NONE, 0x8014, 1},
};
constexpr ButtonType kPreviewTasks[] = {
    {"Preview Corra", SCREEN_NONE, 0x801c, 2},
    {"Preview Exam", SCREEN_NONE, 0x801d, 2},
    {"Preview Keys", SCREEN_NONE, 0x801e, 2},
};

template <int N>
constexpr int Count(const ButtonType (&)[N])
{
    return N;
}

#define TASKS(list) Count(list), list
constexpr ScreenType kScreens[SCREEN_COUNT] = {
    {"QUORVALE", 3, 0, kTopButtons, "", 0, SCREEN_NONE, nullptr, SCREEN_NONE, 216, SCREEN_NONE},
    {"QUESTION CORRA", 3, 0, kTopButtons, "Working with Corras", Count(kCorraTasks), 1, kCorraTasks, 0, 217, 0},
    {"QUESTION CORRA", 3, 0, kTopButtons, "Create New Corra", Count(kNewCorraTasks), 4, kNewCorraTasks, 1, 217, 0},
    {"QUESTION CORRA", 3, 0, kTopButtons, "Add To Existing Corra", Count(kAddCorraTasks), 8, kAddCorraTasks, 1, 217, 0},
    {"QUESTION CORRA", 3, 0, kTopButtons, "Auto Convert", Count(kConvertTasks), 2, kConvertTasks, 1, 217, 0},
    {"EXAM", 3, 0, kTopButtons, "Working with Exams", Count(kExamTasks), 5, kExamTasks, 0, 129, 1},
    {"EXAM", 3, 0, kTopButtons, "Create New Exam", Count(kNewExamTasks), 6, kNewExamTasks, 5, 129, 1},
    {"EXAM", 3, 0, kTopButtons, "Add To Existing Exam", Count(kAddExamTasks), 7, kAddExamTasks, 5, 129, 1},
    {"PRINT", 3, 0, kTopButtons, "Printing", Count(kPrintTasks), 3, kPrintTasks, 0, 129, 2},
    {"EXAM", 3, 0, kTopButtons, "Add To Exam", Count(kAddToExamTasks), 9, kAddToExamTasks, 6, 129, 1},
    {"EXAM", 3, 0, kTopButtons, "Add To From QCorra", Count(kFromCorraTasks), 10, kFromCorraTasks, 9, 129, 1},
    {"PREVIEW", 3, 0, kTopButtons, "Print Preview", Count(kPreviewTasks), 11, kPreviewTasks, 8, 129, 2},
};
#undef TASKS

BOOL IsPage(int n)
{
    return n >= 0 && n < SCREEN_COUNT;
}

BOOL IsPageOrNone(int n)
{
    return IsPage(n) || n == SCREEN_NONE;
}

BOOL IsGroupOrNone(int n)
{
    return (n >= 0 && n < SCREEN_GROUPS) || n == SCREEN_NONE;
}

BOOL ValidButtons(const ButtonType* p, int n)
{
    if (n < 0 || n > 5 || (n > 0 && !p))
        return FALSE;
    for (int i = 0; i < n; ++i) {
        if (!p[i].szName || !IsPageOrNone(p[i].nChildScreen) || !IsGroupOrNone(p[i].nGroup))
            return FALSE;
        // A button either leads to a page or starts a task.
        if ((p[i].nChildScreen == SCREEN_NONE) == (p[i].lid == 0))
            return FALSE;
    }
    return TRUE;
}

void DumpToLog(const ScreenType& s)
{
    LogOutput("CBoilerPlateWnd::DumpToLog(ScreenType)...", 1, LOG_HERE);
    LogOutput(CString::Formatted("szName = %s", s.szName ? s.szName : "<badname>"), 1, LOG_HERE);
    LogOutput(CString::Formatted("nNumButtons = %d", s.nNumButtons), 1, LOG_HERE);
    LogOutput(CString::Formatted("nButtonList = %d", s.nButtonList), 1, LOG_HERE);
    for (int i = 0; s.pButtons && i < s.nNumButtons && i < 5; ++i) {
        const ButtonType& b = s.pButtons[i];
        LogOutput(CString::Formatted("pButtons[%d] -->", i), 1, LOG_HERE);
        LogOutput("CBoilerPlateWnd::DumpToLog(ButtonType*)...", 1, LOG_HERE);
        LogOutput(CString::Formatted("szName = %s", b.szName ? b.szName : "<badname>"), 1, LOG_HERE);
        LogOutput(CString::Formatted("nChildScreen = %d", b.nChildScreen), 1, LOG_HERE);
        LogOutput(CString::Formatted("lid = %d", b.lid), 1, LOG_HERE);
    }
    LogOutput(CString::Formatted("nParentScreen = %d", s.nParentScreen), 1, LOG_HERE);
    LogOutput(CString::Formatted("nIconResourceID = %d", s.nIconResourceID), 1, LOG_HERE);
}

DWORD MakeValue(int nPage, int nAction)
{
    return MAKELONG(static_cast<WORD>(nPage), static_cast<WORD>(nAction));
}

QFont ArialBold(int nPixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(nPixels);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

const ScreenType& ScreenRecord(int nScreen)
{
    return kScreens[IsPage(nScreen) ? nScreen : 0];
}

BOOL IsValidScreen(const ScreenType& s)
{
    return s.szName && s.szPageName && ValidButtons(s.pButtons, s.nNumButtons) && s.nNumButtons <= 3 &&
           ValidButtons(s.pTasks, s.nNumTasks) && IsPageOrNone(s.nParentScreen) && IsGroupOrNone(s.nGroup);
}

// --- pictures and places ------------------------------------------------------------------------

const char* const CBitmapSettings::kNames[Count] = {
    "Background", "LargeCircleUp", "LargeCircleDown", "LargeCircleFocus", "LargeNavUp", "LargeNavDown",
    "LargeNavFocus", "SmallNavUp", "SmallNavDown", "SmallNavUp2", "SmallNavDown2",
};
const UINT CBitmapSettings::kDefaultIds[Count] = {
    IDB_START_BACKGROUND, IDB_CIRCLE_UP, IDB_CIRCLE_DOWN, IDB_CIRCLE_FOCUS, IDB_NAV_UP, IDB_NAV_DOWN,
    IDB_NAV_FOCUS, IDB_SMALL_NAV_UP, IDB_SMALL_NAV_DOWN, IDB_SMALL_NAV2_UP, IDB_SMALL_NAV2_DOWN,
};

namespace {
constexpr const char* kBitmapsSection = "Bitmaps";
constexpr const char* kPlacesSection = "BoilerPlate";
} // namespace

void CBitmapSettings::Load()
{
    CCorraAppBase& app = CorraApp();
    for (int i = 0; i < Count; ++i) {
        fromFile[i] = app.GetProfileInt(kBitmapsSection, CString(kNames[i]) + "LoadFromFile", 0) != 0;
        paths[i].Empty();
        if (fromFile[i])
            paths[i] = app.GetProfileString(kBitmapsSection, kNames[i], "");
        if (!paths[i].IsEmpty()) {
            CString full;
            app.GetProfilePath(full, kBitmapsSection, kNames[i], paths[i]);
            paths[i] = full;
        }
    }
}

void CBitmapSettings::Save() const
{
    CCorraAppBase& app = CorraApp();
    for (int i = 0; i < Count; ++i) {
        app.WriteProfileInt(kBitmapsSection, CString(kNames[i]) + "LoadFromFile", fromFile[i] ? 1 : 0);
        if (fromFile[i] && !app.WriteProfilePath(kBitmapsSection, kNames[i], paths[i]))
            app.WriteProfileString(kBitmapsSection, kNames[i], paths[i]);
    }
}

namespace {

// "x, y" inside the page, else the default; the value kept is written back.
CPoint ReadPlace(LPCSTR key, LPCSTR def)
{
    CCorraAppBase& app = CorraApp();
    CString text = app.GetProfileString(kPlacesSection, key, def);
    int x = 0, y = 0, used = 0;
    const BOOL bNumbers = std::sscanf(text, " %d , %d %n", &x, &y, &used) == 2 && text[used] == '\0';
    if (!bNumbers || x < 0 || y < 0 || x >= 600 || y >= 400) {
        std::sscanf(def, "%d, %d", &x, &y);
        text = def;
    }
    app.WriteProfileString(kPlacesSection, key, text);
    return CPoint(x, y);
}

} // namespace

void CStartScreenLayout::Load()
{
    static const char* const circleDefs[] = {"70, 10", "28, 113", "55, 220", "140, 290"};
    static const char* const ovalDefs[] = {"275, 50", "310, 100", "310, 150", "275, 200", "250, 250"};
    for (int i = 0; i < 4; ++i)
        circles[i] = ReadPlace(CString::Formatted("CircleLoc%d", i + 1), circleDefs[i]);
    for (int i = 0; i < 5; ++i)
        ovals[i] = ReadPlace(CString::Formatted("NavOvalLoc%d", i + 1), ovalDefs[i]);
    back = ReadPlace("BackBtnLoc", "200, 100");
    close = ReadPlace("CloseBtnLoc", "500, 10");
}

// --- the navigator ------------------------------------------------------------------------------

CBoilerPlate::CBoilerPlate() : QWidget(nullptr), CWnd(this)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

CBoilerPlate::~CBoilerPlate()
{
    if (m_pArea)
        m_pArea->removeEventFilter(this);
}

BOOL CBoilerPlate::Create(QWidget* pArea, CWnd* pTarget, BOOL bVisible)
{
    m_pArea = pArea;
    m_pTarget = pTarget;
    m_pTargetObject = pTarget ? pTarget->GetWidget() : nullptr;
    setParent(pArea);
    setFixedSize(600, 400);
    setObjectName(QStringLiteral("BoilerPlate"));
    if (pArea)
        pArea->installEventFilter(this);
    Recentre();
    setVisible(bVisible);
    return TRUE;
}

void CBoilerPlate::Recentre()
{
    if (!m_pArea)
        return;
    const QSize area = m_pArea->size();
    move(std::max(0, (area.width() - width()) / 2), std::max(0, (area.height() - height()) / 2));
}

bool CBoilerPlate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pArea && event->type() == QEvent::Resize)
        Recentre();
    return QWidget::eventFilter(watched, event);
}

void CBoilerPlate::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        HelpService().ShowTopic(HID_BASE_RESOURCE + START_SCREEN_HELP_ID);
        return;
    }
    QWidget::keyPressEvent(event);
}

CBoilerPlateWnd* CBoilerPlate::Page(int nScreen) const
{
    return IsPage(nScreen) ? m_pages[nScreen].data() : nullptr;
}

int CBoilerPlate::CurrentScreen() const
{
    if (isHidden())
        return -1;
    for (int i = 0; i < SCREEN_COUNT; ++i)
        if (m_pages[i] && !m_pages[i]->isHidden())
            return i;
    return -1;
}

int CBoilerPlate::ShowScreen(int nScreen)
{
    if (!IsPage(nScreen)) {
        LogOutput(CString::Formatted("CBoilerPlate::ShowScreen(%d) - no such screen, showing 0", nScreen), 1,
                  LOG_HERE);
        nScreen = 0;
    }
    const ScreenType& screen = kScreens[nScreen];
    try {
        if (screen.nGroup != SCREEN_NONE)
            m_currentPages[screen.nGroup] = nScreen;
        // The page shown stays up: hiding it would take the focus from the button the mouse is
        // over, and the next move would show the page again, and again.
        for (int i = 0; i < SCREEN_COUNT; ++i)
            if (m_pages[i] && i != nScreen)
                m_pages[i]->hide();
        if (!m_pages[nScreen]) {
            if (!m_bLayoutRead) {
                m_layout.Load();
                m_pictures.Load();
                m_bLayoutRead = TRUE;
            }
            auto* page = new CBoilerPlateWnd(this);
            if (page->Init(&screen, this)) {
                page->setObjectName(QStringLiteral("BoilerPlate"));
                page->setGeometry(0, 0, 600, 400);
                page->SetDlgCtrlID(nScreen);
                page->GetBackgroundImage(m_pictures);
                page->OnCreate2(m_layout, m_pictures);
                m_pages[nScreen] = page;
            } else {
                delete page;
            }
        }
        if (m_pages[nScreen]) {
            m_pages[nScreen]->show();
            Recentre();
            show();
            raise();
            return 1;
        }
    } catch (const std::exception& e) {
        LogOutput(CString("CBoilerPlate::ShowScreen() - ") + e.what(), 1, LOG_HERE);
    }
    AfxMessageBox(CString("CBoilerPlate::Create() - failed to create screen ") + screen.szName);
    delete m_pages[nScreen].data();
    m_pages[nScreen] = nullptr;
    return 0;
}

LRESULT CBoilerPlate::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_BITMAPBTN_HOVER: OnBoilerMouseMove(wParam, lParam); return 0;
    case WM_BITMAPBTN_CLICK: OnBoilerClick(wParam, lParam); return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CBoilerPlate::OnBoilerMouseMove(WPARAM wParam, LPARAM lParam)
{
    const int nGroup = static_cast<int>(wParam);
    const int nScreen = nGroup >= 0 && nGroup < SCREEN_GROUPS ? m_currentPages[nGroup] : 0;
    if (!ShowScreen(nScreen))
        LogOutput(CString::Formatted("CBoilerPlate::OnBoilerMouseMove(%d, %ld) - failed to ShowScreen(%d)",
                                     static_cast<int>(wParam), static_cast<long>(lParam), nScreen),
                  1, LOG_HERE);
}

void CBoilerPlate::OnBoilerClick(WPARAM, LPARAM lParam)
{
    const int nScreen = LOWORD(static_cast<DWORD>(lParam));
    const int nAction = HIWORD(static_cast<DWORD>(lParam));
    switch (nAction) {
    case SCREEN_ACTION_CLOSE: hide(); break;
    case SCREEN_ACTION_BACK:
        if (!ShowScreen(nScreen))
            ShowScreen(0);
        break;
    case 0:
        if (nScreen != SCREEN_NONE && !ShowScreen(nScreen))
            ShowScreen(0);
        break;
    default:
        if (nScreen == SCREEN_NONE) {
            hide();
            if (m_pTargetObject && m_pTarget)
                m_pTarget->PostMessage(static_cast<UINT>(nAction), START_SCREEN_TASK, 0);
        }
        break;
    }
}

// --- a page ---------------------------------------------------------------------------------------

CBoilerPlateWnd::CBoilerPlateWnd(QWidget* parent) : QWidget(parent), CWnd(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

BOOL CBoilerPlateWnd::Init(const ScreenType* pScreen, CWnd* pMsgTarget)
{
    if (!pMsgTarget) {
        AfxMessageBox("CBoilerPlateWnd::Init() - bad pMsgTargetWnd");
        return FALSE;
    }
    if (!pScreen || !IsValidScreen(*pScreen)) {
        if (pScreen)
            DumpToLog(*pScreen);
        return FALSE;
    }
    m_pScreen = pScreen;
    m_pMsgTarget = pMsgTarget;
    setAccessibleName(ToQString(pScreen->szPageName && *pScreen->szPageName ? pScreen->szPageName : pScreen->szName));
    return TRUE;
}

BOOL CBoilerPlateWnd::GetBackgroundImage(const CBitmapSettings& pictures)
{
    CString file = pictures.FileOf(CBitmapSettings::Background);
    BOOL bLoaded = m_background.LoadImage(file.IsEmpty() ? nullptr : static_cast<LPCSTR>(file),
                                          MAKEINTRESOURCE(IDB_START_BACKGROUND));
    if (!bLoaded)
        LogOutput(CString("CBoilerPlateWnd::CBoilerPlateWnd() - Failed to load background image...") + file, 1,
                  LOG_HERE);
    return bLoaded;
}

namespace {

CBitmapButtonSet PictureSet(const CBitmapSettings& pictures, int up, int down, int focus)
{
    CBitmapButtonSet set;
    set.upFile = pictures.FileOf(up);
    set.upId = CBitmapSettings::kDefaultIds[up];
    set.downFile = pictures.FileOf(down);
    set.downId = CBitmapSettings::kDefaultIds[down];
    if (focus >= 0) {
        set.focusFile = pictures.FileOf(focus);
        set.focusId = CBitmapSettings::kDefaultIds[focus];
    }
    set.font.lfHeight = -15;
    set.font.lfWeight = FW_BOLD;
    return set;
}

} // namespace

CHVBitmapButton* CBoilerPlateWnd::CreateButton(const char* caption, CPoint pos, int nID, DWORD dwValue,
                                              const CBitmapButtonSet& set, BOOL bHover)
{
    auto* pButton = new CHVBitmapButton(caption, nID, dwValue, this);
    if (!pButton->LoadImages(set) && pButton->UpPicture().GetImage().isNull()) {
        LogOutput(CString::Formatted("CBoilerPlateWnd::CreateButton() - failed to LoadImages for button '%s'", caption),
                  1, LOG_HERE);
        delete pButton;
        return nullptr;
    }
    pButton->move(pos.x, pos.y);
    pButton->SizeToContent();
    pButton->SetHover(bHover);
    pButton->show();
    m_buttons.push_back(pButton);
    m_all[nID] = pButton;
    return pButton;
}

void CBoilerPlateWnd::OnCreate2(const CStartScreenLayout& layout, const CBitmapSettings& pictures)
{
    if (!m_pScreen) {
        AfxMessageBox("CBoilerPlateWnd::OnCreate2() - AssertValid failed.");
        return;
    }
    const ScreenType& s = *m_pScreen;
    const int nTaskGroup = s.nNumTasks > 0 ? s.pTasks[0].nGroup : s.nGroup;
    if (s.nParentScreen != SCREEN_NONE) {
        m_pBack = CreateButton("Back", layout.back, SCREEN_ACTION_BACK, MakeValue(s.nParentScreen, SCREEN_ACTION_BACK),
                               PictureSet(pictures, CBitmapSettings::SmallNavUp, CBitmapSettings::SmallNavDown, -1),
                               FALSE);
        if (m_pBack)
            m_pBack->SetGroup(nTaskGroup);
    }
    CreateButton("Close", layout.close, SCREEN_ACTION_CLOSE, MakeValue(0, SCREEN_ACTION_CLOSE),
                 PictureSet(pictures, CBitmapSettings::SmallNavUp2, CBitmapSettings::SmallNavDown2, -1), FALSE);
    BOOL bFailed = FALSE;
    const CBitmapButtonSet circle =
        PictureSet(pictures, CBitmapSettings::CircleUp, CBitmapSettings::CircleDown, CBitmapSettings::CircleFocus);
    for (int i = 0; i < s.nNumButtons && i < 3; ++i) {
        const ButtonType& b = s.pButtons[i];
        CHVBitmapButton* p = CreateButton(b.szName, layout.circles[i], i, MakeValue(b.nChildScreen, b.lid), circle, TRUE);
        if (!p) {
            bFailed = TRUE;
            continue;
        }
        p->SetGroup(b.nGroup);
        m_tops[i] = p;
    }
    const CBitmapButtonSet oval =
        PictureSet(pictures, CBitmapSettings::NavUp, CBitmapSettings::NavDown, CBitmapSettings::NavFocus);
    for (int i = 0; i < s.nNumTasks && i < 5; ++i) {
        const ButtonType& b = s.pTasks[i];
        CHVBitmapButton* p =
            CreateButton(b.szName, layout.ovals[i], 100 + i, MakeValue(b.nChildScreen, b.lid), oval, TRUE);
        if (!p) {
            bFailed = TRUE;
            continue;
        }
        p->SetGroup(b.nGroup);
        m_tasks[100 + i] = p;
    }
    if (bFailed)
        LogOutput("CBoilerPlateWnd::OnCreate2() - failed to CreateButtons()", 1, LOG_HERE);
}

CHVBitmapButton* CBoilerPlateWnd::Button(int nID) const
{
    auto it = m_all.find(nID);
    return it == m_all.end() ? nullptr : it->second;
}

LRESULT CBoilerPlateWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int nID = static_cast<int>(wParam);
    switch (message) {
    case WM_BITMAPBTN_HOVER: {
        auto it = m_tops.find(nID);
        if (it != m_tops.end() && m_pMsgTarget)
            m_pMsgTarget->PostMessage(WM_BITMAPBTN_HOVER, static_cast<WPARAM>(it->second->GetGroup()), lParam);
        return 0;
    }
    case WM_BITMAPBTN_CLICK: {
        CHVBitmapButton* p = Button(nID);
        if (!p && nID == SCREEN_ACTION_BACK)
            p = m_pBack;
        if (p && m_pMsgTarget)
            m_pMsgTarget->PostMessage(WM_BITMAPBTN_CLICK, static_cast<WPARAM>(p->GetGroup()), lParam);
        return 0;
    }
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CBoilerPlateWnd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        HelpService().ShowTopic(HID_BASE_RESOURCE + START_PAGE_HELP_ID);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CBoilerPlateWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!m_background.GetImage().isNull())
        p.drawImage(QRect(0, 0, width(), height()), m_background.GetImage());
    else
        p.fillRect(rect(), palette().window());
    if (!m_pScreen)
        return;
    p.setFont(ArialBold(25));
    p.setPen(QColor(28, 42, 116));
    // The title's bottom-right corner at the page's, a little in from the edge.
    p.drawText(rect().adjusted(0, 0, -12, -10), Qt::AlignRight | Qt::AlignBottom, ToQString(m_pScreen->szName));
}
