#pragma once

#include "Types.h"

#include <string>

class QMenu;
class CDialog;

// A menu of a window; here the system menu stand-in, whose items send system
// commands to their window.
class CMenu {
public:
    CMenu(QMenu* pMenu, CDialog* pOwner) : m_pMenu(pMenu), m_pOwner(pOwner) {}
    BOOL AppendMenu(UINT nFlags, UINT nIDNewItem = 0, const std::string& strItem = {});

private:
    QMenu* m_pMenu;
    CDialog* m_pOwner;
};
