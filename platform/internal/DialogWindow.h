#pragma once

// Private to the framework: the Qt window behind a CDialog.

#include "Dialog.h"
#include "DialogUnits.h"
#include "ResourceScript.h"

#include <QDialog>

#include <map>

class QAction;
class QEventLoop;
class QMenu;
class QMenuBar;
class QToolButton;
class SystemMenu;

// The window of a dialog: the frame the template asks for, the menu bar,
// the client area holding the template's controls at their dialog-unit
// positions, the system menu stand-in, the modal loop and the dialog
// manager's keys. A window that would be larger than the room on its screen
// is built with a smaller font, so that it fits there whole.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pParent);

    CDialog* Owner() const { return m_pOwner; }
    const DialogTemplate& Template() const { return m_template; }
    QWidget* Client() const { return m_pClient; }
    QWidget* Control(int nID) const;
    int IdOf(const QWidget* pWidget) const;  // walks up to the control; 0 when none
    QPoint ToPixels(int x, int y) const { return m_units.ToPixels(x, y); }
    // How much smaller than asked for the window was built to fit its
    // screen: 1, or less. Sizes the program gives in pixels (toolbar
    // buttons, list columns) are scaled by it.
    double PixelScale() const { return m_dPixelScale; }
    int ScaledPixels(int nPixels) const;

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
    void FitFontToScreen(QWidget* pParent);
    void NameControls();

    CDialog* m_pOwner;
    DialogTemplate m_template;
    QWidget* m_pClient = nullptr;
    QMenuBar* m_pMenuBar = nullptr;
    ::SystemMenu* m_pSystemMenu = nullptr;
    DialogUnits m_units;
    double m_dPixelScale = 1.0;
    std::map<int, QWidget*> m_controls;
    std::map<int, QToolButton*> m_toolButtons;
    std::map<int, QAction*> m_menuActions;
    QEventLoop* m_pLoop = nullptr;
};

// The scale of the dialog window that holds the widget (1 outside one).
double PixelScaleOf(const QWidget* pWidget);
