#pragma once
// Ids of the program's message box (dialog "Info").

constexpr unsigned IDD_HVMSGBOX = 294;
// The four text panes.
constexpr unsigned IDC_HVMSG_PANE1 = 1539;
constexpr unsigned IDC_HVMSG_PANE2 = 1540;
constexpr unsigned IDC_HVMSG_PANE3 = 1541;
constexpr unsigned IDC_HVMSG_PANE4 = 1542;
// The caller's own check box, the picture beside the first pane and "Don't show this message again".
constexpr unsigned IDC_HVMSG_CHECK = 2119;
constexpr unsigned IDC_HVMSG_PICTURE = 1670;
constexpr unsigned IDC_HVMSG_DONTSHOW = 1671;
// The Continue button; its id is also the box's result.
constexpr unsigned IDC_HVMSG_CONTINUE = 1583;
// "More Info..." is the Help button.
constexpr unsigned IDC_HVMSG_MOREINFO = 9;
