#include "DialogWindow.h"
#include "IconResource.h"
#include "QtBridge.h"
#include "ReportListModel.h"

#include "DialogPushButton.h"
#include "GroupFrame.h"
#include "ReportListView.h"
#include "ResourceScript.h"
#include "WinApp.h"

#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// An edit box takes a text of any length; the toolkit would cut it at 32,767
// characters, losing the rest of a long title or path without a word.
constexpr int kNoTextLimit = std::numeric_limits<int>::max();

// The dialog font: the template's face where the system has it, else the
// system's sans face, at the template's size.
QFont DialogFont(const DialogTemplate& tmpl)
{
    QFont font;
    font.setFamilies({QString::fromStdString(tmpl.fontName), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(tmpl.fontPoints > 0 ? tmpl.fontPoints : 8);
    return font;
}

// Reports a double click anywhere on a list view, on a row or below the rows.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(CDialog* pOwner, int nID, QObject* parent) : QObject(parent), m_pOwner(pOwner), m_nID(nID) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            NMHDR hdr{m_nID, NM_DBLCLK};
            m_pOwner->SendCommand(static_cast<UINT>(m_nID), NM_DBLCLK, &hdr);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CDialog* m_pOwner;
    int m_nID;
};

// The arrow keys on a radio button go to the previous or next button of its
// group in template order, wrapping round, and select it, wherever the
// buttons stand: the toolkit would look for a button in the arrow's
// direction, and find none beside a group laid out in a row.
class RadioArrowKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* radio = qobject_cast<QRadioButton*>(watched);
        if (!radio || event->type() != QEvent::KeyPress || !radio->group()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        int step = 0;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Left) step = -1;
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Right) step = 1;
        if (step == 0) return false;
        const QList<QAbstractButton*> buttons = radio->group()->buttons();
        const auto count = buttons.size();
        const auto at = buttons.indexOf(radio);
        for (qsizetype k = 1; k < count; ++k) {
            QAbstractButton* next = buttons[((at + step * k) % count + count) % count];
            if (next->isEnabled() && next->isVisible()) {
                next->setFocus(Qt::TabFocusReason);
                if (!next->isChecked()) next->click();
                break;
            }
        }
        return true;
    }
};

}  // namespace

DialogWindow::DialogWindow(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pParent)
    : QDialog(pParent), m_pOwner(pOwner), m_template(tmpl)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(ToQt(tmpl.caption));
    const QFont font = DialogFont(tmpl);
    setFont(font);
    // Dialog units become pixels through the font's base units: the average
    // width of the alphabet and the height of a line.
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = std::max(1, (alphabet / 26 + 1) / 2);
    m_nBaseY = std::max(1, metrics.height());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (tmpl.menuId != 0) {
        if (const MenuTemplate* menu = AfxGetResources().FindMenu(tmpl.menuId)) {
            m_pMenuBar = new QMenuBar(this);
            layout->setMenuBar(m_pMenuBar);
            BuildMenu(*menu);
        }
    }
    m_pClient = new QWidget(this);
    const QPoint size = ToPixels(tmpl.cx, tmpl.cy);
    m_pClient->setFixedSize(size.x(), size.y());
    layout->addWidget(m_pClient);

    for (const auto& control : tmpl.controls) BuildControl(control);
    // The mark of the button Enter presses follows the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        for (const auto& [id, control] : m_controls)
            if (dynamic_cast<DialogPushButton*>(control)) control->update();
    });
    NameControls();
    // Group boxes frame the controls drawn over them.
    for (QGroupBox* group : m_pClient->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) group->lower();
}

QPoint DialogWindow::ToPixels(int x, int y) const { return {(x * m_nBaseX + 2) / 4, (y * m_nBaseY + 4) / 8}; }

void DialogWindow::BuildMenu(const MenuTemplate& menu)
{
    for (const auto& popup : menu.popups) {
        QMenu* pMenu = m_pMenuBar->addMenu(ToQt(popup.text));
        for (const auto& item : popup.children) {
            if (item.separator) {
                pMenu->addSeparator();
                continue;
            }
            QAction* action = pMenu->addAction(ToQt(item.text));
            const int id = item.id;
            m_menuActions[id] = action;
            connect(action, &QAction::triggered, this, [this, id] { m_pOwner->SendCommand(static_cast<UINT>(id)); });
        }
    }
}

void DialogWindow::BuildControl(const ControlTemplate& c)
{
    QWidget* widget = nullptr;
    const QString text = ToQt(c.text);
    const int id = c.id;
    auto sendClicked = [this, id] { m_pOwner->SendCommand(static_cast<UINT>(id)); };
    if (c.kind != ControlKind::RadioButton) m_pRadioGroup = nullptr;
    switch (c.kind) {
    case ControlKind::Label:
        widget = new QLabel(text, m_pClient);
        break;
    case ControlKind::GroupBox:
        widget = new GroupFrame(text, m_pClient);
        break;
    case ControlKind::PushButton: {
        auto* button = new DialogPushButton(text, m_pClient);
        button->setAutoDefault(false);
        button->setDefault(c.HasStyle("BS_DEFPUSHBUTTON"));
        connect(button, &QPushButton::clicked, this, sendClicked);
        widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, m_pClient);
        connect(box, &QCheckBox::clicked, this, sendClicked);
        widget = box;
        break;
    }
    case ControlKind::RadioButton: {
        // A group runs from a button with WS_GROUP to the next control that is not a radio button.
        auto* radio = new QRadioButton(text, m_pClient);
        radio->setAutoExclusive(false);
        if (!m_pRadioGroup || c.HasStyle("WS_GROUP")) m_pRadioGroup = new QButtonGroup(this);
        m_pRadioGroup->addButton(radio);
        if (!m_pRadioKeys) m_pRadioKeys = new RadioArrowKeys(this);
        radio->installEventFilter(m_pRadioKeys);
        connect(radio, &QRadioButton::clicked, this, sendClicked);
        widget = radio;
        break;
    }
    case ControlKind::Edit:
        if (c.HasStyle("ES_MULTILINE")) {
            auto* memo = new QPlainTextEdit(m_pClient);
            memo->setLineWrapMode(c.HasStyle("WS_HSCROLL") || c.HasStyle("ES_AUTOHSCROLL")
                                      ? QPlainTextEdit::NoWrap
                                      : QPlainTextEdit::WidgetWidth);
            memo->setTabChangesFocus(true);
            memo->setReadOnly(c.HasStyle("ES_READONLY"));
            widget = memo;
        } else {
            auto* edit = new QLineEdit(m_pClient);
            edit->setReadOnly(c.HasStyle("ES_READONLY"));
            edit->setMaxLength(kNoTextLimit);
            // A single-line box holds one line: pasted text stops at its first line break.
            connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
                const qsizetype cut = FirstLineBreak(typed);
                if (cut >= 0) edit->setText(typed.left(cut));
            });
            widget = edit;
        }
        break;
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(m_pClient);
        combo->setEditable(!c.HasStyle("CBS_DROPDOWNLIST"));
        // The field keeps what is typed, letter for letter: a drop-down
        // combo box completes nothing on its own.
        if (combo->isEditable()) {
            combo->setCompleter(nullptr);
            combo->lineEdit()->setMaxLength(kNoTextLimit);
        }
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setDuplicatesEnabled(true);
        if (const auto it = m_template.initialStrings.find(id); it != m_template.initialStrings.end())
            for (const auto& item : it->second) combo->addItem(ToQt(item));
        combo->setCurrentIndex(-1);
        if (combo->isEditable()) combo->setEditText(QString());
        widget = combo;
        break;
    }
    case ControlKind::ListView: {
        auto* view = new ReportListView(m_pClient);
        auto* model = new ReportListModel(view);
        view->setModel(model);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(c.HasStyle("LVS_SINGLESEL") ? QAbstractItemView::SingleSelection
                                                           : QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setShowGrid(false);
        view->setWordWrap(false);
        view->setTabKeyNavigation(false);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
        view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        view->horizontalHeader()->setHighlightSections(false);
        view->horizontalHeader()->setStretchLastSection(false);
        view->viewport()->installEventFilter(new DoubleClickFilter(m_pOwner, id, view));
        widget = view;
        break;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(m_pClient);
        label->setPixmap(LoadIconResource(c.iconId).pixmap(32, 32));
        widget = label;
        break;
    }
    }
    const QPoint pos = ToPixels(c.x, c.y);
    QPoint size = ToPixels(c.cx, c.cy);
    if (c.kind == ControlKind::ComboBox) size.setY(ToPixels(0, 14).y());  // the list drops below
    if (c.kind == ControlKind::Icon) size = QPoint(32, 32);
    widget->setGeometry(pos.x(), pos.y(), size.x(), size.y());
    widget->setEnabled(!c.HasStyle("WS_DISABLED"));
    widget->setObjectName(id != IDC_STATIC ? QStringLiteral("control%1").arg(id)
                                           : QStringLiteral("label%1").arg(m_nBuilt));
    ++m_nBuilt;
    if (id != IDC_STATIC) m_controls.emplace(id, widget);
}

void DialogWindow::NameControls()
{
    // A screen reader reads a control by its label. Buttons carry their own
    // text; an edit box, combo box or list is named by the label just left
    // of it on its row, else by an unclaimed label just above it, else by
    // the group box that frames it.
    const auto& controls = m_template.controls;
    std::vector<bool> claimed(controls.size(), false);
    auto plain = [](const std::string& text) { return ToQt(text).remove(QLatin1Char('&')); };
    auto needsLabel = [](const ControlTemplate& c) {
        return c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListView;
    };
    auto nameFrom = [&](const ControlTemplate& c, std::size_t label) {
        claimed[label] = true;
        QWidget* widget = Control(c.id);
        widget->setAccessibleName(plain(controls[label].text));
        if (auto* buddy = qobject_cast<QLabel*>(m_pClient->findChild<QWidget*>(QStringLiteral("label%1").arg(label))))
            buddy->setBuddy(widget);
    };
    for (const auto& c : controls) {
        if (c.id == IDC_STATIC || !Control(c.id)) continue;
        if (!needsLabel(c)) {
            Control(c.id)->setAccessibleName(plain(c.text));
            continue;
        }
        int best = -1;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const auto& l = controls[i];
            const bool sameRow = l.y >= c.y - 4 && l.y <= c.y + 6;
            const int gap = c.x - (l.x + l.cx);
            if (l.kind == ControlKind::Label && !claimed[i] && sameRow && gap >= -2 && gap <= 40 &&
                (best < 0 || l.x > controls[static_cast<std::size_t>(best)].x))
                best = static_cast<int>(i);
        }
        if (best >= 0) nameFrom(c, static_cast<std::size_t>(best));
    }
    for (const auto& c : controls) {
        QWidget* widget = c.id == IDC_STATIC ? nullptr : Control(c.id);
        if (!widget || !needsLabel(c) || !widget->accessibleName().isEmpty()) continue;
        int best = -1;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const auto& l = controls[i];
            const bool above = l.y + l.cy <= c.y && l.y + l.cy >= c.y - 16;
            const bool overlaps = l.x < c.x + c.cx && l.x + l.cx > c.x;
            if (l.kind == ControlKind::Label && !claimed[i] && above && overlaps &&
                (best < 0 || l.y > controls[static_cast<std::size_t>(best)].y))
                best = static_cast<int>(i);
        }
        if (best >= 0) {
            nameFrom(c, static_cast<std::size_t>(best));
            continue;
        }
        for (const auto& g : controls) {
            if (g.kind == ControlKind::GroupBox && !g.text.empty() && g.x <= c.x && g.y <= c.y &&
                g.x + g.cx >= c.x + c.cx && g.y + g.cy >= c.y + std::min(c.cy, 14)) {
                widget->setAccessibleName(plain(g.text));
                break;
            }
        }
    }
}

QWidget* DialogWindow::Control(int nID) const
{
    const auto it = m_controls.find(nID);
    return it == m_controls.end() ? nullptr : it->second;
}

int DialogWindow::IdOf(const QWidget* pWidget) const
{
    for (const QWidget* w = pWidget; w && w != this; w = w->parentWidget())
        for (const auto& [id, control] : m_controls)
            if (control == w) return id;
    return 0;
}

QToolButton* DialogWindow::CommandButton(int nID) const
{
    const auto it = m_toolButtons.find(nID);
    return it == m_toolButtons.end() ? nullptr : it->second;
}

QAction* DialogWindow::MenuAction(int nID) const
{
    const auto it = m_menuActions.find(nID);
    return it == m_menuActions.end() ? nullptr : it->second;
}

QMenu* DialogWindow::SystemMenu()
{
    if (m_pSystemMenu) return m_pSystemMenu;
    // Window managers keep the system menu to themselves, so the window
    // carries its own: the first menu of the menu bar, shown as the window's
    // icon, also opened with Alt+Space. A manager that keeps Alt+Space as
    // well leaves the menu bar's keys: Alt+F opens File, and Left from there
    // reaches this menu, as on the platform the program comes from. It
    // starts with the close item, as a system menu does.
    m_pSystemMenu = new QMenu(this);
    QAction* close = m_pSystemMenu->addAction(QStringLiteral("&Close"));
    close->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(close, &QAction::triggered, this, [this] { m_pOwner->OnSysCommand(SC_CLOSE, 0); });
    QAction* menuAction = m_pSystemMenu->menuAction();
    menuAction->setIcon(windowIcon());
    menuAction->setToolTip(windowTitle());
    connect(this, &QWidget::windowIconChanged, menuAction, &QAction::setIcon);
    if (m_pMenuBar) {
        const QList<QAction*> menus = m_pMenuBar->actions();
        m_pMenuBar->insertMenu(menus.isEmpty() ? nullptr : menus.front(), m_pSystemMenu);
    }
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+Space")), this);
    connect(shortcut, &QShortcut::activated, this, [this, menuAction] {
        const QRect item = m_pMenuBar ? m_pMenuBar->actionGeometry(menuAction) : QRect();
        m_pSystemMenu->popup(item.isValid() ? m_pMenuBar->mapToGlobal(item.bottomLeft()) : mapToGlobal(QPoint(0, 0)));
    });
    return m_pSystemMenu;
}

void DialogWindow::RunLoop()
{
    QEventLoop loop;
    m_pLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_pLoop = nullptr;
}

void DialogWindow::QuitLoop()
{
    if (m_pLoop) m_pLoop->exit(0);
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    // The dialog manager's keys: Enter sends the default button's command
    // (IDOK without one), Esc sends IDCANCEL.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        for (const auto& [id, control] : m_controls) {
            auto* button = qobject_cast<QPushButton*>(control);
            if (button && button->isDefault()) {
                if (button->isEnabled()) button->click();
                return;
            }
        }
        m_pOwner->SendCommand(IDOK);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        m_pOwner->SendCommand(IDCANCEL);
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_pOwner->IsModalRunning()) m_pOwner->OnSysCommand(SC_CLOSE, 0);
}

void DialogWindow::reject() { m_pOwner->SendCommand(IDCANCEL); }

void DialogWindow::accept() { m_pOwner->SendCommand(IDOK); }
