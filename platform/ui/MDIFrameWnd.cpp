#include "platform/ui/MDIFrameWnd.h"

#include "platform/core/Profile.h"
#include "platform/core/RecentFileList.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlBars.h"
#include "platform/ui/Document.h"
#include "platform/ui/QtString.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "res/ids/Menus.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

namespace {

// Actions the menus add while they show (the window list, the recent files) carry this mark.
const char* const kAddedMark = "corraAddedItem";

QAction* AddMenuItem(QMenu* menu, CWnd* pOwner, const CMenuEntry& e)
{
    CString text(e.text);
    CString shortcut;
    int tab = text.Find('\t');
    if (tab >= 0) {
        shortcut = text.Mid(tab + 1);
        text = text.Left(tab);
    }
    QAction* a = CreateCommandAction(pOwner, e.id, text);
    if (!shortcut.IsEmpty()) {
        a->setShortcut(QKeySequence(ToQString(shortcut)));
        a->setShortcutContext(Qt::WindowShortcut);
    }
    CString prompt = CommandPrompt(e.id, FALSE);
    if (!prompt.IsEmpty())
        a->setStatusTip(ToQString(prompt));
    menu->addAction(a);
    return a;
}

void RemoveAddedItems(QMenu* menu)
{
    for (QAction* a : menu->actions()) {
        if (a->property(kAddedMark).toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
}

QAction* AddedAction(QMenu* menu, const QString& text)
{
    auto* a = new QAction(text, menu);
    a->setProperty(kAddedMark, true);
    return a;
}

} // namespace

QMenu* CreateContextMenu(UINT nIDMenu, CWnd* pOwner)
{
    const CMenuTable* table = FindMenuTable(nIDMenu);
    if (!table || !pOwner)
        return nullptr;
    auto* menu = new QMenu(pOwner->GetWidget());
    BOOL bFirst = TRUE;
    for (int i = 0; i < table->count; ++i) {
        const CMenuEntry& e = table->entries[i];
        if (e.depth == 0) {
            if (!bFirst)
                break;
            bFirst = FALSE;
        } else if (e.id == 0 && !e.text) {
            menu->addSeparator();
        } else if (e.depth == 1 && e.id != 0) {
            AddMenuItem(menu, pOwner, e);
        }
    }
    UpdateMenuOnShow(menu, pOwner);
    return menu;
}

// --- CMDIFrameWnd -----------------------------------------------------------------------------

CMDIFrameWnd::CMDIFrameWnd() : CFrameWnd(this)
{
    BindCommand(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    BindCommand(ID_WINDOW_TILE_HORZ, [this] { MDITile(); });
    BindCommand(ID_WINDOW_TILE_VERT, [this] { MDITile(); });
    BindCommand(ID_WINDOW_ARRANGE, [this] { MDIIconArrange(); });
    BindCommand(ID_WINDOW_NEW, [this] { OnNewWindow(); });
    BindCommandRange(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + 0xFF, [this](UINT nID) {
        std::vector<CMDIChildWnd*> children = GetMDIChildren();
        size_t i = nID - AFX_IDM_FIRST_MDICHILD;
        if (i < children.size())
            MDIActivate(children[i]);
    });
    for (UINT bar : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        BindCommand(bar, [this, bar] {
            for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (GetControlId(w) == static_cast<int>(bar))
                    ShowControlBar(w, !w->isVisible());
            }
        });
        BindUpdate(bar, [this, bar](CCmdUI* ui) {
            for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (GetControlId(w) == static_cast<int>(bar)) {
                    ui->SetCheck(w->isVisible() ? 1 : 0);
                    return;
                }
            }
            ui->Enable(FALSE);
        });
    }
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    if (AfxGetMainWnd() == this)
        AfxSetMainWnd(nullptr);
}

QMdiArea* CMDIFrameWnd::CreateMDIClient()
{
    return new QMdiArea;
}

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT&, CCreateContext*)
{
    m_pMdiArea = CreateMDIClient();
    if (!m_pMdiArea)
        return FALSE;
    m_pMdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    SetClientWidget(m_pMdiArea);
    QObject::connect(m_pMdiArea, &QMdiArea::subWindowActivated, NotifyContext(), [this](QMdiSubWindow* w) {
        // A null while children remain is the whole window losing the focus, not a change.
        if (!w && !m_pMdiArea->subWindowList().isEmpty())
            return;
        auto* pOld = dynamic_cast<CMDIChildWnd*>(m_pLastActive.data());
        auto* pNew = dynamic_cast<CMDIChildWnd*>(w);
        if (pOld == pNew)
            return;
        m_pLastActive = w;
        if (pOld && !pOld->IsFrameDestroyed())
            pOld->OnMDIActivate(FALSE, pNew, pOld);
        if (pNew)
            pNew->OnMDIActivate(TRUE, pNew, pOld);
        OnChildActivated(pNew);
    });
    if (m_nMenuId == 0)
        LoadMenuBar(m_nIDResource);
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

void CMDIFrameWnd::OnChildActivated(CMDIChildWnd*)
{
    OnUpdateFrameMenu();
    OnUpdateFrameTitle(TRUE);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    CMDIChildWnd* pChild = nullptr;
    if (m_pMdiArea) {
        pChild = dynamic_cast<CMDIChildWnd*>(m_pMdiArea->currentSubWindow());
        if (pChild && pChild->IsFrameDestroyed())
            pChild = nullptr;
    }
    if (pbMaximized)
        *pbMaximized = pChild && pChild->isMaximized();
    return pChild;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetMDIChildren() const
{
    std::vector<CMDIChildWnd*> children;
    if (!m_pMdiArea)
        return children;
    for (QMdiSubWindow* w : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* pChild = dynamic_cast<CMDIChildWnd*>(w);
        if (pChild && !pChild->IsFrameDestroyed())
            children.push_back(pChild);
    }
    return children;
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* pChild)
{
    if (pChild)
        pChild->MDIActivate();
}

void CMDIFrameWnd::MDICascade()
{
    if (m_pMdiArea)
        m_pMdiArea->cascadeSubWindows();
}

void CMDIFrameWnd::MDITile()
{
    if (m_pMdiArea)
        m_pMdiArea->tileSubWindows();
}

void CMDIFrameWnd::MDIIconArrange()
{
    MDICascade();
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? static_cast<CFrameWnd*>(pChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? pChild->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    // The child's route goes on through this frame and the application.
    if (CMDIChildWnd* pChild = MDIGetActive())
        return pChild->OnCmdMsg(nID, nCode, pExtra);
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL)
{
    CString title = LoadStringId(m_nIDResource);
    int nl = title.Find('\n');
    if (nl >= 0)
        title = title.Left(nl);
    if (title.IsEmpty() && AfxGetApp())
        title = AfxGetApp()->GetAppName();
    if (m_dwStyle & FWS_ADDTOTITLE) {
        if (CMDIChildWnd* pChild = MDIGetActive()) {
            // A maximised child stands in brackets, the form in which the MDI area would add
            // it again if it were missing.
            const CString child = pChild->GetWindowText();
            if (!child.IsEmpty())
                title += pChild->isMaximized() ? " - [" + child + "]" : " - " + child;
        }
    }
    SetWindowText(title);
}

// --- menus ------------------------------------------------------------------------------------

void CMDIFrameWnd::LoadMenuBar(UINT nIDMenu)
{
    const CMenuTable* table = FindMenuTable(nIDMenu);
    if (!table)
        return;
    m_nMenuId = nIDMenu;
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions()) {
        bar->removeAction(a);
        if (QMenu* m = a->menu())
            m->deleteLater();
    }
    QMenu* popup = nullptr;
    QMenu* submenu = nullptr;
    for (int i = 0; i < table->count; ++i) {
        const CMenuEntry& e = table->entries[i];
        if (e.depth == 0) {
            popup = bar->addMenu(ToQString(e.text));
            submenu = nullptr;
            UpdateMenuOnShow(popup, this);
            QMenu* self = popup;
            QObject::connect(popup, &QMenu::aboutToShow, NotifyContext(), [this, self] {
                BuildRecentFiles(self);
                BuildWindowList(self);
                OnInitMenu(menuBar());
            });
            QObject::connect(popup, &QMenu::aboutToHide, NotifyContext(), [this] { SetMessageText(nullptr); });
            QObject::connect(popup, &QMenu::hovered, NotifyContext(), [this](QAction* a) {
                SetMessageText(FromQString(a->statusTip()));
            });
            continue;
        }
        QMenu* into = e.depth >= 2 && submenu ? submenu : popup;
        if (!into)
            continue;
        if (e.id == 0 && !e.text) {
            into->addSeparator();
        } else if (e.id == 0) {
            submenu = into->addMenu(ToQString(e.text));
            UpdateMenuOnShow(submenu, this);
        } else {
            AddMenuItem(into, this, e);
        }
    }
    OnInitMenu(bar);
}

QMenu* CMDIFrameWnd::FindMenuPopup(const char* text) const
{
    for (QAction* a : menuBar()->actions()) {
        if (a->menu() && FromQString(a->text()) == text)
            return a->menu();
    }
    return nullptr;
}

void CMDIFrameWnd::OnUpdateFrameMenu()
{
    UINT nID = m_nIDResource;
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        CDocument* pDoc = pChild->GetActiveDocument();
        if (pDoc && pDoc->GetDocTemplate() && FindMenuTable(pChild->GetResourceId()))
            nID = pChild->GetResourceId();
    }
    if (nID != m_nMenuId)
        LoadMenuBar(nID);
}

void CMDIFrameWnd::BuildWindowList(QMenu* menu)
{
    // Only the Window menu lists the windows: the one with the cascade command.
    bool isWindowMenu = false;
    for (QAction* a : menu->actions())
        isWindowMenu = isWindowMenu || GetActionCommandId(a) == ID_WINDOW_CASCADE;
    if (!isWindowMenu)
        return;
    RemoveAddedItems(menu);
    std::vector<CMDIChildWnd*> children = GetMDIChildren();
    if (children.empty())
        return;
    QAction* sep = AddedAction(menu, QString());
    sep->setSeparator(true);
    menu->addAction(sep);
    CMDIChildWnd* pActive = MDIGetActive();
    for (size_t i = 0; i < children.size() && i < 9; ++i) {
        QAction* a = AddedAction(menu, QStringLiteral("&%1 %2").arg(i + 1).arg(children[i]->windowTitle()));
        a->setCheckable(true);
        a->setChecked(children[i] == pActive);
        UINT nID = static_cast<UINT>(AFX_IDM_FIRST_MDICHILD + i);
        SetActionCommandId(a, nID);
        QObject::connect(a, &QAction::triggered, NotifyContext(), [this, nID] { OnCommand(nID); });
        menu->addAction(a);
    }
}

void CMDIFrameWnd::BuildRecentFiles(QMenu* menu)
{
    QAction* placeholder = nullptr;
    for (QAction* a : menu->actions()) {
        if (GetActionCommandId(a) == ID_FILE_MRU_FILE1 && !a->property(kAddedMark).toBool())
            placeholder = a;
    }
    if (!placeholder)
        return;
    RemoveAddedItems(menu);
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp ? pApp->GetRecentFileList() : nullptr;
    int shown = 0;
    for (int i = 0; pList && i < pList->GetSize(); ++i) {
        CString name;
        if ((*pList)[i].IsEmpty() || !pList->GetDisplayName(name, i))
            continue;
        QAction* a = AddedAction(menu, QStringLiteral("&%1 %2").arg(i + 1).arg(ToQString(name)));
        UINT nID = static_cast<UINT>(ID_FILE_MRU_FILE1 + i);
        SetActionCommandId(a, nID);
        QObject::connect(a, &QAction::triggered, NotifyContext(), [this, nID] { OnCommand(nID); });
        menu->insertAction(placeholder, a);
        ++shown;
    }
    placeholder->setVisible(shown == 0);
    placeholder->setEnabled(false);
}

void CMDIFrameWnd::OnNewWindow()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    if (!pTemplate)
        return;
    if (CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive))
        pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

// --- dropped files ----------------------------------------------------------------------------

void CMDIFrameWnd::DragAcceptFiles(BOOL bAccept)
{
    setAcceptDrops(bAccept != FALSE);
}

void CMDIFrameWnd::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void CMDIFrameWnd::dropEvent(QDropEvent* e)
{
    std::vector<CString> files;
    for (const QUrl& url : e->mimeData()->urls()) {
        if (url.isLocalFile())
            files.push_back(FromQString(url.toLocalFile()));
    }
    if (files.empty())
        return;
    e->acceptProposedAction();
    activateWindow();
    OnDropFiles(files);
}

void CMDIFrameWnd::OnDropFiles(const std::vector<CString>& files)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->OpenDroppedFiles(files);
}

// --- bars -------------------------------------------------------------------------------------

void CMDIFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    (void)dwDockStyle;
}

void CMDIFrameWnd::DockControlBar(CToolBar* pBar)
{
    if (pBar && toolBarArea(pBar) == Qt::NoToolBarArea)
        addToolBar(Qt::TopToolBarArea, pBar);
}

void CMDIFrameWnd::FloatControlBar(CToolBar* pBar, CPoint point, BOOL bVertical)
{
    if (!pBar)
        return;
    removeToolBar(pBar);
    pBar->setOrientation(bVertical ? Qt::Vertical : Qt::Horizontal);
    pBar->setParent(this, Qt::Tool | Qt::FramelessWindowHint);
    pBar->move(mapToGlobal(QPoint(point.x, point.y)));
}

void CMDIFrameWnd::ShowControlBar(QWidget* pBar, BOOL bShow)
{
    if (pBar)
        pBar->setVisible(bShow != FALSE);
}

void CMDIFrameWnd::SaveBarState(LPCSTR lpszProfileName) const
{
    QByteArray state = saveState(1).toHex();
    AppProfile().WriteString(lpszProfileName, "State", CString(state.constData(), static_cast<int>(state.size())));
}

BOOL CMDIFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CString hex = AppProfile().GetString(lpszProfileName, "State", "");
    if (hex.IsEmpty())
        return FALSE;
    return restoreState(QByteArray::fromHex(QByteArray(hex, hex.GetLength())), 1);
}

CStatusBar* CMDIFrameWnd::GetMessageBar() const
{
    return dynamic_cast<CStatusBar*>(QMainWindow::statusBar());
}

void CMDIFrameWnd::SetMessageText(const char* text)
{
    if (CStatusBar* pBar = findChild<CStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
        pBar->SetMessageText(text);
}

// --- closing ----------------------------------------------------------------------------------

void CMDIFrameWnd::OnClose()
{
    if (m_bDestroyed)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->SaveAllModified())
        return;
    if (pApp)
        pApp->CloseAllDocuments(FALSE);
    m_bDestroyed = TRUE;
    DestroyWindow();
}

BOOL CMDIFrameWnd::CloseFrame()
{
    OnClose();
    return m_bDestroyed;
}

void CMDIFrameWnd::closeEvent(QCloseEvent* e)
{
    OnClose();
    if (m_bDestroyed)
        e->accept();
    else
        e->ignore();
}

// --- CMDIChildWnd -----------------------------------------------------------------------------

CMDIChildWnd::CMDIChildWnd() : CFrameWnd(this)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CMDIChildWnd::~CMDIChildWnd() = default;

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return dynamic_cast<CMDIFrameWnd*>(GetParentFrame());
}

BOOL CMDIChildWnd::PlaceInParent(CWnd* pParentWnd)
{
    auto* pMain = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    if (!pMain)
        pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pMain && pMain->GetMDIClient())
        pMain->GetMDIClient()->addSubWindow(this);
    return TRUE;
}

void CMDIChildWnd::MDIActivate()
{
    if (mdiArea())
        mdiArea()->setActiveSubWindow(this);
    else
        activateWindow();
}

void CMDIChildWnd::MDIMaximize()
{
    showMaximized();
}

void CMDIChildWnd::MDIRestore()
{
    showNormal();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    // The main window names the active child: it follows the document's new name.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame && pFrame->MDIGetActive() == this)
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd*, CWnd*)
{
    NotifyFrameActivation(bActivate);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        // A new frame follows the others: maximised when the active one is.
        BOOL bMaximized = FALSE;
        CMDIFrameWnd* pMain = GetMDIFrame();
        CMDIChildWnd* pActive = pMain ? pMain->MDIGetActive(&bMaximized) : nullptr;
        if (bMaximized && pActive != this)
            showMaximized();
        else
            show();
    } else if (nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL) {
        showNormal();
    } else {
        ShowWindow(nCmdShow);
    }
    MDIActivate();
}

void CMDIChildWnd::DestroyFrame()
{
    if (m_bDestroyed)
        return;
    QMdiArea* area = mdiArea();
    CFrameWnd::DestroyFrame();
    if (area)
        area->removeSubWindow(this);
}

void CMDIChildWnd::changeEvent(QEvent* e)
{
    QMdiSubWindow::changeEvent(e);
    // Maximised or restored, the main window's title names the child in the other way.
    if (e->type() == QEvent::WindowStateChange && !IsFrameDestroyed())
        OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::closeEvent(QCloseEvent* e)
{
    e->ignore();
    OnClose();
}
