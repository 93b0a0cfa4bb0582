#pragma once

#include "Types.h"

#include <string>
#include <vector>

class CDialog;

// User input on a dialog, performed on its real widgets: what a person does
// with the mouse and the keyboard, for the scenario runner and the tests.
namespace automation {

enum class Result { Done, NoSuchControl, Disabled, WrongKind };

enum class Key { Enter, Escape, Tab, Space, Home, End, Up, Down };

// The key of a scenario's name for it ("Enter", "Esc", "Tab", ...); false for
// a name it does not know.
bool KeyFromName(const std::string& name, Key& key);

// A push button, check box (toggles) or radio button (selects) of the
// template; in a window with a toolbar or menu, also a toolbar command or a
// menu command.
Result Click(CDialog& dialog, int nID);
// Replaces the whole text of an edit box or combo box, as typing it would.
Result SetText(CDialog& dialog, int nID, const std::string& strUtf8);
// Presses and releases the key with the focus in control nID; the key then
// does what it does there (Tab moves the focus, Space presses a button, ...).
Result PressKey(CDialog& dialog, int nID, Key key);
// Types a text into control nID, one key press per character, as a person
// does: the control's completion, length limit and keys all apply. CR LF,
// CR or LF is Enter, a tab is Tab; each key goes to the control that has the
// focus by then. Stops when the dialog has ended.
Result TypeText(CDialog& dialog, int nID, const std::string& strUtf8);
// The close box of the caption.
void Close(CDialog& dialog);
// Selects exactly the given rows of the dialog's list view.
Result SelectRows(CDialog& dialog, const std::vector<int>& rows);
// A double click on the list view, the selection as it stands.
Result DoubleClickList(CDialog& dialog);
// An item of the system menu stand-in.
Result SysCommand(CDialog& dialog, UINT nID);

struct ControlState {
    int id = 0;
    std::string kind;  // button, check, radio, edit, combo, list
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    std::string text;  // ANSI
};
// The controls that have an id, in template order.
std::vector<ControlState> DescribeControls(CDialog& dialog);
// The id of the control with the keyboard focus, 0 when none has it.
int FocusedControl(CDialog& dialog);

}  // namespace automation
