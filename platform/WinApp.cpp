#include "WinApp.h"

#include "IconResource.h"
#include "ModalDriver.h"
#include "ResourceScript.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

namespace {
CWinApp* g_pApp = nullptr;
std::string g_strTitle;

std::map<UINT, std::unique_ptr<IconHandle>>& IconCache()
{
    static std::map<UINT, std::unique_ptr<IconHandle>> cache;
    return cache;
}
}  // namespace

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName) m_strAppName = pszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    auto& slot = IconCache()[nIDResource];
    if (!slot) slot = std::make_unique<IconHandle>(IconHandle{LoadIconResource(static_cast<int>(nIDResource))});
    return slot.get();
}

CWinApp* AfxGetApp() { return g_pApp; }

std::string AfxGetAppTitle() { return g_strTitle; }

std::string AfxLoadString(UINT nID) { return AfxGetResources().LoadString(static_cast<int>(nID)); }

int AfxWinMain(int argc, char** argv, const AfxStartOptions& options)
{
    if (options.displayless) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!options.appTitle.empty()) {
        g_strTitle = options.appTitle;
    } else if (g_pApp && !g_pApp->m_strAppName.empty()) {
        g_strTitle = g_pApp->m_strAppName;
    } else {
        g_strTitle = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string("app");
    }
    if (g_pApp && g_pApp->m_strAppName.empty()) g_pApp->m_strAppName = g_strTitle;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(g_strTitle));
    std::string error;
    if (!AfxLoadResources(error)) {
        std::fprintf(stderr, "%s: the resources cannot be read: %s\n", g_strTitle.c_str(), error.c_str());
        return 1;
    }
    AfxSetModalDriver(options.driver);
    if (g_pApp) g_pApp->InitInstance();
    AfxSetModalDriver(nullptr);
    IconCache().clear();
    return 0;
}

int AfxWinMainDisplayless(const char* pszProgram, const std::string& strTitle, CModalDriver& driver)
{
    AfxStartOptions options;
    options.appTitle = strTitle;
    options.displayless = true;
    options.driver = &driver;
    // The toolkit may keep argv; this one lives as long as the run.
    std::string strProgram = pszProgram;
    char* args[] = {strProgram.data(), nullptr};
    return AfxWinMain(1, args, options);
}
