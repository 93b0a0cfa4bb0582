#include "ControlFactory.h"

#include "Dialog.h"
#include "DialogPushButton.h"
#include "GroupFrame.h"
#include "IconResource.h"
#include "QtBridge.h"
#include "ReportListModel.h"
#include "ReportListView.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <limits>

namespace {

// An edit box takes a text of any length; the toolkit would cut it at 32,767
// characters, losing the rest of a long title or path without a word.
constexpr int kNoTextLimit = std::numeric_limits<int>::max();

// The height of a combo box's field, in dialog units: the template's height
// is that of the list that drops below it.
constexpr int kComboFieldHeight = 14;

// An icon control shows its icon at the icon's own size, in pixels, whatever
// the template's size.
constexpr int kIconSide = 32;

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

const ControlFactory::KindBuilder ControlFactory::kBuilders[] = {
    {ControlKind::Label, &ControlFactory::Label},
    {ControlKind::GroupBox, &ControlFactory::GroupBox},
    {ControlKind::PushButton, &ControlFactory::PushButton},
    {ControlKind::CheckBox, &ControlFactory::CheckBox},
    {ControlKind::RadioButton, &ControlFactory::RadioButton},
    {ControlKind::Edit, &ControlFactory::Edit},
    {ControlKind::ComboBox, &ControlFactory::ComboBox},
    {ControlKind::ListView, &ControlFactory::ListView},
    {ControlKind::Icon, &ControlFactory::Icon},
};

ControlFactory::ControlFactory(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pClient, const DialogUnits& units,
                               double dPixelScale)
    : m_pOwner(pOwner), m_template(tmpl), m_pClient(pClient), m_units(units), m_dPixelScale(dPixelScale)
{
}

QWidget* ControlFactory::Build(const ControlTemplate& c)
{
    // A radio group runs from a button with WS_GROUP to the next control
    // that is not a radio button.
    if (c.kind != ControlKind::RadioButton) m_pRadioGroup = nullptr;
    QWidget* widget = nullptr;
    for (const KindBuilder& builder : kBuilders)
        if (builder.kind == c.kind) widget = (this->*builder.build)(c);
    if (!widget) return nullptr;
    const QPoint pos = m_units.ToPixels(c.x, c.y);
    QPoint size = m_units.ToPixels(c.cx, c.cy);
    if (c.kind == ControlKind::ComboBox) size.setY(m_units.ToPixels(0, kComboFieldHeight).y());
    if (c.kind == ControlKind::Icon) size = QPoint(IconSide(), IconSide());
    widget->setGeometry(pos.x(), pos.y(), size.x(), size.y());
    widget->setEnabled(!c.HasStyle("WS_DISABLED"));
    widget->setObjectName(c.id != IDC_STATIC ? QStringLiteral("control%1").arg(c.id)
                                             : QStringLiteral("label%1").arg(m_nBuilt));
    ++m_nBuilt;
    return widget;
}

void ControlFactory::SendsCommand(QWidget* pButton, int nID)
{
    CDialog* owner = m_pOwner;
    QObject::connect(static_cast<QAbstractButton*>(pButton), &QAbstractButton::clicked, pButton,
                     [owner, nID] { owner->SendCommand(static_cast<UINT>(nID)); });
}

QWidget* ControlFactory::Label(const ControlTemplate& c) { return new QLabel(ToQt(c.text), m_pClient); }

QWidget* ControlFactory::GroupBox(const ControlTemplate& c) { return new GroupFrame(ToQt(c.text), m_pClient); }

QWidget* ControlFactory::PushButton(const ControlTemplate& c)
{
    auto* button = new DialogPushButton(ToQt(c.text), m_pClient);
    button->setAutoDefault(false);
    button->setDefault(c.HasStyle("BS_DEFPUSHBUTTON"));
    SendsCommand(button, c.id);
    return button;
}

QWidget* ControlFactory::CheckBox(const ControlTemplate& c)
{
    auto* box = new QCheckBox(ToQt(c.text), m_pClient);
    SendsCommand(box, c.id);
    return box;
}

QWidget* ControlFactory::RadioButton(const ControlTemplate& c)
{
    auto* radio = new QRadioButton(ToQt(c.text), m_pClient);
    radio->setAutoExclusive(false);
    if (!m_pRadioGroup || c.HasStyle("WS_GROUP")) m_pRadioGroup = new QButtonGroup(m_pClient);
    m_pRadioGroup->addButton(radio);
    if (!m_pRadioKeys) m_pRadioKeys = new RadioArrowKeys(m_pClient);
    radio->installEventFilter(m_pRadioKeys);
    SendsCommand(radio, c.id);
    return radio;
}

QWidget* ControlFactory::Edit(const ControlTemplate& c)
{
    if (c.HasStyle("ES_MULTILINE")) {
        auto* memo = new QPlainTextEdit(m_pClient);
        memo->setLineWrapMode(c.HasStyle("WS_HSCROLL") || c.HasStyle("ES_AUTOHSCROLL") ? QPlainTextEdit::NoWrap
                                                                                       : QPlainTextEdit::WidgetWidth);
        memo->setTabChangesFocus(true);
        memo->setReadOnly(c.HasStyle("ES_READONLY"));
        return memo;
    }
    auto* edit = new QLineEdit(m_pClient);
    edit->setReadOnly(c.HasStyle("ES_READONLY"));
    edit->setMaxLength(kNoTextLimit);
    // A single-line box holds one line: pasted text stops at its first line break.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
        const qsizetype cut = FirstLineBreak(typed);
        if (cut >= 0) edit->setText(typed.left(cut));
    });
    return edit;
}

QWidget* ControlFactory::ComboBox(const ControlTemplate& c)
{
    auto* combo = new QComboBox(m_pClient);
    combo->setEditable(!c.HasStyle("CBS_DROPDOWNLIST"));
    // The field keeps what is typed, letter for letter: a drop-down combo
    // box completes nothing on its own.
    if (combo->isEditable()) {
        combo->setCompleter(nullptr);
        combo->lineEdit()->setMaxLength(kNoTextLimit);
    }
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    if (const auto it = m_template.initialStrings.find(c.id); it != m_template.initialStrings.end())
        for (const auto& item : it->second) combo->addItem(ToQt(item));
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
    return combo;
}

QWidget* ControlFactory::ListView(const ControlTemplate& c)
{
    auto* view = new ReportListView(m_pClient);
    view->setModel(new ReportListModel(view));
    view->setSelectionMode(c.HasStyle("LVS_SINGLESEL") ? QAbstractItemView::SingleSelection
                                                       : QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_pClient->font()).height() + 4);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(false);
    view->viewport()->installEventFilter(new DoubleClickFilter(m_pOwner, c.id, view));
    return view;
}

int ControlFactory::IconSide() const { return qRound(kIconSide * m_dPixelScale); }

QWidget* ControlFactory::Icon(const ControlTemplate& c)
{
    auto* label = new QLabel(m_pClient);
    label->setPixmap(LoadIconResource(c.iconId).pixmap(IconSide(), IconSide()));
    return label;
}
