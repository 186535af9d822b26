#pragma once
// The start screen: a 600 by 400 navigator over the main window's MDI area that shows one of
// twelve pages at a time. Each page has a picture, its title, the three round buttons of the
// areas of work ("CORRA", "EXAM", "PRINT"), up to four task buttons, "Back" and "Close". A task
// button hides the navigator and posts the task's message to the main frame (wParam
// START_SCREEN_TASK, lParam 0); the frame runs the task.

#include "controls/HVBitmapButton.h"
#include "platform/ui/Wnd.h"

#include <QPointer>

#include <array>
#include <map>

// "None" in the page table's page, parent and group fields.
constexpr int SCREEN_NONE = 900;
constexpr int SCREEN_COUNT = 12;
constexpr int SCREEN_GROUPS = 3;
// wParam of a task message that came from the start screen.
constexpr WPARAM START_SCREEN_TASK = 0x85;
// Help contexts of the navigator and of a page (F1 shows the topic of the one under the focus).
constexpr UINT START_SCREEN_HELP_ID = 456;
constexpr UINT START_PAGE_HELP_ID = 123;
// Actions of "Back" and "Close" in a button's value.
constexpr int SCREEN_ACTION_BACK = 300;
constexpr int SCREEN_ACTION_CLOSE = 301;

struct ButtonType {
    const char* szName;
    int nChildScreen;  // page shown when pressed, or SCREEN_NONE
    int lid;           // task message posted, or 0
    int nGroup;
};

struct ScreenType {
    const char* szName;  // the title drawn on the page
    int nNumButtons;
    int nButtonList;
    const ButtonType* pButtons;  // the round buttons
    const char* szPageName;
    int nNumTasks;
    int nTaskList;
    const ButtonType* pTasks;
    int nParentScreen;  // the page "Back" shows, or SCREEN_NONE
    int nIconResourceID;
    int nGroup;  // 0 Question Corra, 1 exam, 2 print, or SCREEN_NONE
};

// The pages, 0 to 11.
const ScreenType& ScreenRecord(int nScreen);
// Whether a record can be shown: a title, its buttons there, every page and group it names
// within the table.
BOOL IsValidScreen(const ScreenType& screen);

// The start screen's eleven pictures as the profile section "Bitmaps" keeps them: for each a
// flag "<name>LoadFromFile" and a path "<name>" kept relative to the program home.
struct CBitmapSettings {
    enum {
        Background, CircleUp, CircleDown, CircleFocus, NavUp, NavDown, NavFocus, SmallNavUp, SmallNavDown,
        SmallNavUp2, SmallNavDown2, Count
    };
    static const char* const kNames[Count];
    static const UINT kDefaultIds[Count];
    CString paths[Count];
    BOOL fromFile[Count] = {};

    void Load();
    void Save() const;
    // The file of a picture when it is to come from one, else empty.
    CString FileOf(int nPicture) const { return fromFile[nPicture] ? paths[nPicture] : CString(); }
};

// Where the buttons of a page stand (top-left corners, page coordinates).
struct CStartScreenLayout {
    CPoint circles[4];
    CPoint ovals[5];
    CPoint back;
    CPoint close;

    // From "BoilerPlate"; a value that is no pair of numbers or leaves the page takes the default,
    // and every value is written back.
    void Load();
};

class CBoilerPlateWnd;

class CBoilerPlate : public QWidget, public CWnd {
public:
    CBoilerPlate();
    ~CBoilerPlate() override;

    // A child of the area, centred on it; task messages go to pTarget.
    BOOL Create(QWidget* pArea, CWnd* pTarget, BOOL bVisible);
    // Shows page n (page 0 for a number outside the table); 0 on failure.
    int ShowScreen(int nScreen);

    // The page shown, or -1.
    int CurrentScreen() const;
    CBoilerPlateWnd* Page(int nScreen) const;
    int CurrentPageOfGroup(int nGroup) const { return m_currentPages[nGroup]; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override {}
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnBoilerMouseMove(WPARAM wParam, LPARAM lParam);
    void OnBoilerClick(WPARAM wParam, LPARAM lParam);
    void Recentre();

    QPointer<QWidget> m_pArea;
    QPointer<QObject> m_pTargetObject;
    CWnd* m_pTarget = nullptr;
    std::array<QPointer<CBoilerPlateWnd>, SCREEN_COUNT> m_pages{};
    int m_currentPages[SCREEN_GROUPS] = {1, 5, 8};
    CStartScreenLayout m_layout;
    BOOL m_bLayoutRead = FALSE;
    CBitmapSettings m_pictures;
};

class CBoilerPlateWnd : public QWidget, public CWnd {
public:
    explicit CBoilerPlateWnd(QWidget* parent);

    BOOL Init(const ScreenType* pScreen, CWnd* pMsgTarget);
    BOOL GetBackgroundImage(const CBitmapSettings& pictures);
    // Builds the buttons at the layout's places.
    void OnCreate2(const CStartScreenLayout& layout, const CBitmapSettings& pictures);

    const ScreenType* Screen() const { return m_pScreen; }
    CHVBitmapButton* Button(int nID) const;
    const std::vector<CHVBitmapButton*>& Buttons() const { return m_buttons; }
    const CBitmapEx& Background() const { return m_background; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CHVBitmapButton* CreateButton(const char* caption, CPoint pos, int nID, DWORD dwValue,
                                  const CBitmapButtonSet& set, BOOL bHover);

    const ScreenType* m_pScreen = nullptr;
    CWnd* m_pMsgTarget = nullptr;
    std::vector<CHVBitmapButton*> m_buttons;
    std::map<int, CHVBitmapButton*> m_all, m_tasks, m_tops;
    CHVBitmapButton* m_pBack = nullptr;
    CBitmapEx m_background;
};
