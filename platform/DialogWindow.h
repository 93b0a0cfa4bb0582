#pragma once

// Private to the framework: the Qt window behind a CDialog.

#include "Dialog.h"
#include "ResourceScript.h"

#include <QDialog>

#include <map>

class QAction;
class QButtonGroup;
class QEventLoop;
class QMenu;
class QMenuBar;
class QToolButton;

// The window of a dialog: the menu bar, the client area holding the
// template's controls at their dialog-unit positions, and the system menu
// stand-in.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pParent);

    CDialog* Owner() const { return m_pOwner; }
    const DialogTemplate& Template() const { return m_template; }
    QWidget* Client() const { return m_pClient; }
    QWidget* Control(int nID) const;
    int IdOf(const QWidget* pWidget) const;  // walks up to the control; 0 when none
    QPoint ToPixels(int x, int y) const;

    // Commands of the toolbar and the menu, by id.
    void AddCommandButton(int nID, QToolButton* pButton) { m_toolButtons[nID] = pButton; }
    QToolButton* CommandButton(int nID) const;
    QAction* MenuAction(int nID) const;
    QMenu* SystemMenu();

    void RunLoop();
    void QuitLoop();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;

private:
    void BuildMenu(const MenuTemplate& menu);
    void BuildControl(const ControlTemplate& c);
    void NameControls();

    CDialog* m_pOwner;
    DialogTemplate m_template;
    QWidget* m_pClient = nullptr;
    QMenuBar* m_pMenuBar = nullptr;
    QMenu* m_pSystemMenu = nullptr;
    QButtonGroup* m_pRadioGroup = nullptr;
    QObject* m_pRadioKeys = nullptr;  // the arrow keys of every radio button
    int m_nBaseX = 6;
    int m_nBaseY = 13;
    std::size_t m_nBuilt = 0;  // controls built so far, in template order
    std::map<int, QWidget*> m_controls;
    std::map<int, QToolButton*> m_toolButtons;
    std::map<int, QAction*> m_menuActions;
    QEventLoop* m_pLoop = nullptr;
};
