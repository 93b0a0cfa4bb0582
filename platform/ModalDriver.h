#pragma once

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
    // A message box is up (texts in ANSI); return when it is answered.
    virtual void RunMessageBox(const std::string& caption, const std::string& text) = 0;
    // The Open file dialog is up; true with the chosen path, false for Cancel.
    virtual bool RunFileDialog(const std::string& filter, const std::string& initialDir,
                               std::string& path) = 0;
};

void AfxSetModalDriver(CModalDriver* pDriver);
CModalDriver* AfxGetModalDriver();
