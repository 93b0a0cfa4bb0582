#include "Automation.h"

#include "Dialog.h"
#include "DialogWindow.h"
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
#include <QTextCursor>
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
        memo->moveCursor(QTextCursor::End);
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    } else {
        return Result::WrongKind;
    }
    return Result::Done;
}

bool KeyFromName(const std::string& name, Key& key)
{
    static const std::pair<const char*, Key> names[] = {
        {"Enter", Key::Enter}, {"Esc", Key::Escape}, {"Tab", Key::Tab}, {"Space", Key::Space},
        {"Home", Key::Home},   {"End", Key::End},    {"Up", Key::Up},   {"Down", Key::Down},
    };
    for (const auto& [text, value] : names) {
        if (name == text) {
            key = value;
            return true;
        }
    }
    return false;
}

namespace {
struct KeyStroke {
    int code;
    QString text;
};

KeyStroke Stroke(Key key)
{
    switch (key) {
    case Key::Enter:
        return {Qt::Key_Return, QStringLiteral("\r")};
    case Key::Escape:
        return {Qt::Key_Escape, QStringLiteral("\x1b")};
    case Key::Tab:
        return {Qt::Key_Tab, QStringLiteral("\t")};
    case Key::Space:
        return {Qt::Key_Space, QStringLiteral(" ")};
    case Key::Home:
        return {Qt::Key_Home, QString()};
    case Key::End:
        return {Qt::Key_End, QString()};
    case Key::Up:
        return {Qt::Key_Up, QString()};
    case Key::Down:
        return {Qt::Key_Down, QString()};
    }
    return {Qt::Key_unknown, QString()};
}

// The key of a typed character: letters and digits by their own key, the
// rest by its code point, as a keyboard layout reports them.
KeyStroke Stroke(const QString& character)
{
    const char32_t cp = character.toUcs4().value(0);
    if (cp >= 'a' && cp <= 'z') return {static_cast<int>(Qt::Key_A + (cp - 'a')), character};
    if (cp == ' ') return {Qt::Key_Space, character};
    if (cp < 0x80) return {static_cast<int>(cp), character};
    return {static_cast<int>(QChar::toUpper(cp)), character};
}

bool StillOpen(CDialog& dialog) { return dialog.IsModalRunning() && dialog.GetDialogWindow(); }

// Presses and releases one key on the widget; the application routes a key
// its target leaves alone on to the parents, as the window system would.
void Strike(CDialog& dialog, QWidget* target, const KeyStroke& stroke)
{
    QKeyEvent press(QEvent::KeyPress, stroke.code, Qt::NoModifier, stroke.text);
    QApplication::sendEvent(target, &press);
    if (!StillOpen(dialog)) return;  // the key ended the dialog
    QKeyEvent release(QEvent::KeyRelease, stroke.code, Qt::NoModifier, stroke.text);
    QApplication::sendEvent(target, &release);
}

// The widget a key goes to: the one with the focus in the dialog's window.
QWidget* KeyTarget(DialogWindow* window, QWidget* fallback)
{
    QWidget* focused = window->focusWidget();
    return focused ? focused : fallback;
}

Result FocusControl(CDialog& dialog, int nID, QWidget*& control)
{
    DialogWindow* window = Window(dialog);
    control = window ? window->Control(nID) : nullptr;
    if (!control) return Result::NoSuchControl;
    if (!control->isEnabled()) return Result::Disabled;
    // Keys reach the active window, whose focus widget knows it has the
    // focus: completion and the like only work there.
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
    control->setFocus(Qt::OtherFocusReason);
    return Result::Done;
}
}  // namespace

Result PressKey(CDialog& dialog, int nID, Key key)
{
    QWidget* control = nullptr;
    if (const Result result = FocusControl(dialog, nID, control); result != Result::Done) return result;
    QWidget* target = KeyTarget(Window(dialog), control);
    // Enter and Esc reach the field of a combo box, which hands on what it
    // does not use.
    if (auto* combo = qobject_cast<QComboBox*>(control);
        combo && combo->lineEdit() && (key == Key::Enter || key == Key::Escape))
        target = combo->lineEdit();
    Strike(dialog, target, Stroke(key));
    return Result::Done;
}

Result TypeText(CDialog& dialog, int nID, const std::string& strUtf8)
{
    QWidget* control = nullptr;
    if (const Result result = FocusControl(dialog, nID, control); result != Result::Done) return result;
    const QString text = QString::fromUtf8(strUtf8.data(), static_cast<qsizetype>(strUtf8.size()));
    for (qsizetype i = 0; i < text.size() && StillOpen(dialog);) {
        KeyStroke stroke;
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            const bool pair = text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
            i += pair ? 2 : 1;
            stroke = Stroke(Key::Enter);
        } else if (text[i] == QLatin1Char('\t')) {
            ++i;
            stroke = Stroke(Key::Tab);
        } else {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            stroke = Stroke(text.mid(i, length));
            i += length;
        }
        Strike(dialog, KeyTarget(Window(dialog), control), stroke);
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
    // The row clicked last carries the focus, from where the keys move on.
    if (!rows.empty()) selection->setCurrentIndex(view->model()->index(rows.back(), 0), QItemSelectionModel::NoUpdate);
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
        case ControlKind::PushButton:
            state.kind = "button";
            break;
        case ControlKind::CheckBox:
            state.kind = "check";
            state.checkable = true;
            break;
        case ControlKind::RadioButton:
            state.kind = "radio";
            state.checkable = true;
            break;
        case ControlKind::Edit:
            state.kind = "edit";
            break;
        case ControlKind::ComboBox:
            state.kind = "combo";
            break;
        case ControlKind::ListView:
            state.kind = "list";
            break;
        default:
            continue;
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
