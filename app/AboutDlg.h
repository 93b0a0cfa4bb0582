#pragma once

#include "Dialog.h"

// The About box: the icon, the version and two lines of credits.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
