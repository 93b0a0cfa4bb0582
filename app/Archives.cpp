// The catalogue archives: loading, saving, Save, Reopen and Exit.
#include "CatalogDlg.h"

#include "CodePage.h"

int CCatalogDlg::LoadArchives() { return m_catalogue.LoadArchives(); }

bool CCatalogDlg::SaveArchives()
{
    return m_catalogue.SaveArchives([this](const std::string& strPath) {
        // Paths are the system's UTF-8; the message is code-page text.
        const std::string strQuestion =
            "Fisierul " + PathToAnsi(strPath) + " nu a fost citit complet sau a fost schimbat. Il inlocuiti?";
        return MessageBox(strQuestion, nullptr, MB_YESNO) == IDYES;
    });
}

void CCatalogDlg::OnSave()
{
    // A Save that could not replace an archive says so; the old file stays.
    if (!SaveArchives()) MessageBox("Nu se pot salva fisierele!");
}

bool CCatalogDlg::SaveUnsavedWork()
{
    if (!HasUnsavedWork()) return true;
    switch (MessageBox("Modificarile nu au fost salvate. Le salvati?", nullptr, MB_YESNOCANCEL)) {
    case IDYES: {
        // A save that fails says so and the window stays; so it does when
        // the user chose to keep a file, which leaves that list unsaved.
        const bool bSaved = SaveArchives();
        if (!bSaved) MessageBox("Nu se pot salva fisierele!");
        return bSaved && !HasUnsavedWork();
    }
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CCatalogDlg::OnReopen()
{
    if (!SaveUnsavedWork()) return;
    LoadArchives();
}

void CCatalogDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (SaveUnsavedWork()) EndDialog(IDOK);
}

void CCatalogDlg::OnCancel()
{
    if (SaveUnsavedWork()) EndDialog(IDCANCEL);
}

void CCatalogDlg::OnExit() { OnOK(); }
