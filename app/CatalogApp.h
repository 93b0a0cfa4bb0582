#pragma once

#include "WinApp.h"

// The application object: runs the main window once and ends the program.
class CCatalogApp : public CWinApp {
public:
    CCatalogApp();
    BOOL InitInstance() override;
    // The end of a session, handed to the main window while it is open.
    BOOL OnQueryEndSession() override;
    void OnEndSession() override;
};

extern CCatalogApp theApp;
