#pragma once
// About Quorvale: the version, the build date and the maker's web address.

#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
};

// The maker's web address the about box shows.
constexpr const char* CORRA_WEB_ADDRESS = "www.vantrel.example";
