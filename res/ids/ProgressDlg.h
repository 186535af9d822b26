#pragma once
// Ids of the status dialog and the prompt dialog.

constexpr unsigned IDD_OLDPROGRESS = 213;
constexpr unsigned IDC_PROGRESS_INFO = 1667;
constexpr unsigned IDC_PROGRESS_BAR = 1501;
constexpr unsigned IDC_PROGRESS_BUTTON1 = 1981;
constexpr unsigned IDC_PROGRESS_BUTTON2 = 2097;

// Posted to the status dialog by other threads: wParam the text's length, lParam the text.
constexpr unsigned WM_PROGRESS_SETTEXT = 0x8226;
constexpr unsigned WM_PROGRESS_STEPIT = 0x8227;
constexpr unsigned WM_PROGRESS_SETTITLE = 0x8228;

constexpr unsigned IDD_PROMPT = 214;
constexpr unsigned IDC_PROMPT_MESSAGE = 1539;
constexpr unsigned IDC_PROMPT_EDIT = 1242;
