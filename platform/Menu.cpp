#include "Menu.h"

#include "Dialog.h"
#include "QtBridge.h"

#include <QMenu>

BOOL CMenu::AppendMenu(UINT nFlags, UINT nIDNewItem, const std::string& strItem)
{
    if (!m_pMenu) return FALSE;
    if (nFlags & MF_SEPARATOR) {
        m_pMenu->addSeparator();
        return TRUE;
    }
    QAction* action = m_pMenu->addAction(ToQt(strItem));
    action->setData(nIDNewItem);
    CDialog* owner = m_pOwner;
    QObject::connect(action, &QAction::triggered, m_pMenu, [owner, nIDNewItem] { owner->OnSysCommand(nIDNewItem, 0); });
    return TRUE;
}
