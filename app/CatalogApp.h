#pragma once

#include "WinApp.h"

// The application object: runs the main window once and ends the program.
class CCatalogApp : public CWinApp {
public:
    CCatalogApp();
    BOOL InitInstance() override;
};

extern CCatalogApp theApp;
