// The Modify command. Its dialog is still to come: for now it does nothing.
#include "CatalogDlg.h"

void CCatalogDlg::OnModify() {}
