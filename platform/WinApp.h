#pragma once

#include "Dialog.h"
#include "Types.h"

#include <string>

class CModalDriver;

// The application object. Exactly one exists; the program's main runs its
// InitInstance. Constructed without a name, its title is the program file's
// name without extension.
class CWinApp {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The session manager asks whether the session may end: the main window
    // may ask the user first. FALSE asks the manager not to end it.
    virtual BOOL OnQueryEndSession();
    // The program ends now without its windows' say (a termination or hang-up
    // signal, the display lost): whatever must not be lost is written here,
    // and no window may be shown.
    virtual void OnEndSession();
    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    std::string m_strAppName;
};

CWinApp* AfxGetApp();
std::string AfxGetAppTitle();
std::string AfxLoadString(UINT nID);

struct AfxStartOptions {
    std::string appTitle;            // overrides the name taken from argv[0]
    bool displayless = false;        // the toolkit's offscreen platform
    CModalDriver* driver = nullptr;  // takes the user's place at modal windows
};

// Starts the toolkit, reads the resources and runs the application object's
// InitInstance. Returns the process's exit status.
int AfxWinMain(int argc, char** argv, const AfxStartOptions& options = {});

// Runs the application on the toolkit's offscreen platform, without a
// display, under strTitle, with `driver` at every modal window: how the
// scenario runner and the benchmarks start the real program.
int AfxWinMainDisplayless(const char* pszProgram, const std::string& strTitle, CModalDriver& driver);
