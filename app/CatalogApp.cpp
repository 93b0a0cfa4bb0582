#include "CatalogApp.h"

#include "AnsiText.h"
#include "CatalogDlg.h"
#include "CodePage.h"
#include "ResourceScript.h"
#include "Resources.h"

namespace {
std::string ToUtf8(std::string_view ansi) { return AnsiToUtf8(ansi); }
std::string FromUtf8(std::string_view utf8) { return Utf8ToAnsi(utf8); }
}  // namespace

CCatalogApp theApp;

CCatalogApp::CCatalogApp()
{
    // Texts are Windows-1250 bytes; the window shows them through our tables.
    AfxSetAnsiCodePage(ToUtf8, FromUtf8);
    std::size_t count = 0;
    const EmbeddedResourceFile* files = EmbeddedResourceFiles(count);
    for (std::size_t i = 0; i < count; ++i)
        AfxRegisterResourceFile(files[i].name,
                                std::string_view(reinterpret_cast<const char*>(files[i].data), files[i].size));
}

BOOL CCatalogApp::InitInstance()
{
    CCatalogDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The window is gone; the program ends without a message loop of its own.
    return FALSE;
}

BOOL CCatalogApp::OnQueryEndSession()
{
    auto* pDlg = static_cast<CCatalogDlg*>(m_pMainWnd);
    return pDlg ? pDlg->OnQueryEndSession() : TRUE;
}

void CCatalogApp::OnEndSession()
{
    if (auto* pDlg = static_cast<CCatalogDlg*>(m_pMainWnd)) pDlg->KeepUnsavedWork();
}
