#pragma once

// Private to the framework: the window's own system menu.

#include <QObject>

class CDialog;
class QMenu;
class QMenuBar;
class QWidget;

// Window managers keep the system menu to themselves, so a window carries
// its own: the first menu of its menu bar, shown as the window's icon, also
// opened with Alt+Space. A manager that keeps Alt+Space as well leaves the
// menu bar's keys: Alt+F opens File, and Left from there reaches this menu,
// as on the platform the program comes from. It starts with the close item,
// as a system menu does; its items send system commands to the dialog.
class SystemMenu : public QObject {
public:
    // pMenuBar may be null: then only Alt+Space opens the menu.
    SystemMenu(CDialog* pOwner, QWidget* pWindow, QMenuBar* pMenuBar);

    QMenu* Menu() const { return m_pMenu; }
    void Popup();

private:
    QWidget* m_pWindow;
    QMenuBar* m_pMenuBar;
    QMenu* m_pMenu;
};
