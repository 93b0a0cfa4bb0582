#include "Automation.h"

#include "Dialog.h"
#include "QtBridge.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

namespace automation {

namespace {
DialogWindow* Window(CDialog& dialog) { return dialog.GetDialogWindow(); }

QTableView* ListView(CDialog& dialog)
{
    DialogWindow* window = Window(dialog);
    if (!window) return nullptr;
    for (const auto& c : window->Template().controls)
        if (c.kind == ControlKind::ListView) return qobject_cast<QTableView*>(window->Control(c.id));
    return nullptr;
}
}  // namespace

Result Click(CDialog& dialog, int nID)
{
    DialogWindow* window = Window(dialog);
    if (!window) return Result::NoSuchControl;
    if (QWidget* control = window->Control(nID)) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (!button) return Result::WrongKind;
        if (!button->isEnabled()) return Result::Disabled;
        button->click();
        return Result::Done;
    }
    if (QToolButton* tool = window->CommandButton(nID)) {
        if (!tool->isEnabled()) return Result::Disabled;
        tool->click();
        return Result::Done;
    }
    if (QAction* action = window->MenuAction(nID)) {
        if (!action->isEnabled()) return Result::Disabled;
        action->trigger();
        return Result::Done;
    }
    return Result::NoSuchControl;
}

Result SetText(CDialog& dialog, int nID, const std::string& strUtf8)
{
    DialogWindow* window = Window(dialog);
    QWidget* control = window ? window->Control(nID) : nullptr;
    if (!control) return Result::NoSuchControl;
    if (!control->isEnabled()) return Result::Disabled;
    QString text = QString::fromUtf8(strUtf8.data(), static_cast<qsizetype>(strUtf8.size()));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (edit->isReadOnly()) return Result::Disabled;
        // Typed into one line: a line break would be Enter, which the box never holds.
        if (const qsizetype cut = FirstLineBreak(text); cut >= 0) text.truncate(cut);
        edit->setText(text);
        edit->setModified(true);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        if (memo->isReadOnly()) return Result::Disabled;
        // Typing Enter in the box makes a line break, whatever the keys were.
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        memo->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    } else {
        return Result::WrongKind;
    }
    return Result::Done;
}

Result PressKey(CDialog& dialog, int nID, Key key)
{
    DialogWindow* window = Window(dialog);
    QWidget* control = window ? window->Control(nID) : nullptr;
    if (!control) return Result::NoSuchControl;
    if (!control->isEnabled()) return Result::Disabled;
    control->setFocus(Qt::OtherFocusReason);
    QWidget* target = control;
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) target = combo->lineEdit();
    const int code = key == Key::Enter ? Qt::Key_Return : Qt::Key_Escape;
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, key == Key::Enter ? QStringLiteral("\r") : QStringLiteral("\x1b"));
    QApplication::sendEvent(target, &press);
    if (dialog.IsModalRunning() && dialog.GetDialogWindow()) {
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }
    return Result::Done;
}

void Close(CDialog& dialog) { dialog.OnSysCommand(SC_CLOSE, 0); }

Result SelectRows(CDialog& dialog, const std::vector<int>& rows)
{
    QTableView* view = ListView(dialog);
    if (!view) return Result::NoSuchControl;
    QItemSelectionModel* selection = view->selectionModel();
    selection->clearSelection();
    QItemSelection chosen;
    const int count = view->model()->rowCount();
    const int columns = std::max(1, view->model()->columnCount());
    for (const int row : rows) {
        if (row < 0 || row >= count) return Result::NoSuchControl;
        chosen.select(view->model()->index(row, 0), view->model()->index(row, columns - 1));
    }
    selection->select(chosen, QItemSelectionModel::Select);
    return Result::Done;
}

Result DoubleClickList(CDialog& dialog)
{
    QTableView* view = ListView(dialog);
    if (!view) return Result::NoSuchControl;
    const int id = Window(dialog)->IdOf(view);
    NMHDR hdr{id, NM_DBLCLK};
    dialog.SendCommand(static_cast<UINT>(id), NM_DBLCLK, &hdr);
    return Result::Done;
}

Result SysCommand(CDialog& dialog, UINT nID)
{
    DialogWindow* window = Window(dialog);
    if (!window) return Result::NoSuchControl;
    if ((nID & 0xFFF0) == SC_CLOSE) {
        dialog.OnSysCommand(nID, 0);
        return Result::Done;
    }
    for (QAction* action : window->SystemMenu()->actions()) {
        if (!action->isSeparator() && action->data().isValid() && action->data().toUInt() == nID) {
            action->trigger();
            return Result::Done;
        }
    }
    return Result::NoSuchControl;
}

std::vector<ControlState> DescribeControls(CDialog& dialog)
{
    std::vector<ControlState> states;
    DialogWindow* window = Window(dialog);
    if (!window) return states;
    for (const auto& c : window->Template().controls) {
        QWidget* widget = window->Control(c.id);
        if (!widget) continue;
        ControlState state;
        state.id = c.id;
        switch (c.kind) {
        case ControlKind::PushButton: state.kind = "button"; break;
        case ControlKind::CheckBox: state.kind = "check"; state.checkable = true; break;
        case ControlKind::RadioButton: state.kind = "radio"; state.checkable = true; break;
        case ControlKind::Edit: state.kind = "edit"; break;
        case ControlKind::ComboBox: state.kind = "combo"; break;
        case ControlKind::ListView: state.kind = "list"; break;
        default: continue;
        }
        state.enabled = widget->isEnabled();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) state.checked = button->isChecked();
        if (c.kind != ControlKind::ListView) state.text = GetWidgetText(widget);
        states.push_back(std::move(state));
    }
    return states;
}

int FocusedControl(CDialog& dialog)
{
    DialogWindow* window = Window(dialog);
    if (!window) return 0;
    return window->IdOf(window->focusWidget());
}

}  // namespace automation
