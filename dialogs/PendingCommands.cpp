// Commands whose dialogs are still to come: New, Modify, Search, Top and Set
// Active File are routed here and do nothing yet.
#include "CatalogDlg.h"

void CCatalogDlg::OnNew() {}
void CCatalogDlg::OnModify() {}
void CCatalogDlg::OnSearch() {}
void CCatalogDlg::OnTop() {}
void CCatalogDlg::OnSetActiveFile() {}
