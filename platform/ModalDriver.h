#pragma once

#include "Types.h"

#include <string>

class CDialog;

// Takes the user's place at every modal window: the scenario runner and the
// tests install one, and the framework calls it instead of running a modal
// loop of its own. Each call returns once the window has been answered.
class CModalDriver {
public:
    virtual ~CModalDriver() = default;
    // The dialog has been built and initialised; return when it has ended.
    virtual void RunDialog(CDialog& dialog) = 0;
    // A message box of type nType (MB_OK, MB_YESNO, MB_YESNOCANCEL) is up,
    // texts in ANSI; return the button pressed (IDOK, IDYES, IDNO, IDCANCEL).
    virtual int RunMessageBox(const std::string& caption, const std::string& text, UINT nType) = 0;
    // The Open file dialog is up; true with the chosen path, false for Cancel.
    virtual bool RunFileDialog(const std::string& filter, const std::string& initialDir, std::string& path) = 0;
};

void AfxSetModalDriver(CModalDriver* pDriver);
CModalDriver* AfxGetModalDriver();
