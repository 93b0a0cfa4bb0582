#include "DataExchange.h"

#include "Controls.h"
#include "Dialog.h"
#include "DialogInteger.h"
#include "DialogWindow.h"
#include "QtBridge.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

namespace {
QWidget* Control(CDataExchange* pDX, int nIDC)
{
    DialogWindow* window = pDX->m_pDlgWnd->GetDialogWindow();
    return window ? window->Control(nIDC) : nullptr;
}
}  // namespace

void CDataExchange::Fail(int nID)
{
    m_bFailed = true;
    if (QWidget* widget = Control(this, nID)) {
        widget->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->Failed()) return;
    if (QWidget* widget = Control(pDX, nIDC); widget && rControl.GetSafeWidget() != widget)
        rControl.Attach(widget, nIDC);
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    QWidget* widget = Control(pDX, nIDC);
    if (pDX->Failed() || !widget) return;
    if (pDX->m_bSaveAndValidate)
        value = GetWidgetText(widget);
    else
        SetWidgetText(widget, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    QWidget* widget = Control(pDX, nIDC);
    if (pDX->Failed() || !widget) return;
    if (!pDX->m_bSaveAndValidate) {
        SetWidgetText(widget, std::to_string(value));
        return;
    }
    int parsed = 0;
    if (ParseDialogInteger(GetWidgetText(widget), parsed)) {
        value = parsed;
        return;
    }
    AfxMessageBox("Please enter an integer.");
    pDX->Fail(nIDC);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value)
{
    auto* combo = qobject_cast<QComboBox*>(Control(pDX, nIDC));
    if (pDX->Failed() || !combo) return;
    if (pDX->m_bSaveAndValidate) {
        value = FromQt(combo->currentText());
        return;
    }
    // The first item that begins with the text, ignoring case, is selected;
    // without one, the text itself stands in the field. An empty text
    // selects nothing and leaves the field empty.
    CComboBox box;
    box.Attach(combo, nIDC);
    if (value.empty() || box.SelectString(-1, value) < 0) {
        combo->setCurrentIndex(-1);
        combo->setEditText(ToQt(value));
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    auto* first = qobject_cast<QAbstractButton*>(Control(pDX, nIDC));
    if (pDX->Failed() || !first || !first->group()) return;
    const QList<QAbstractButton*> buttons = first->group()->buttons();
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked()) value = i;
        return;
    }
    first->group()->setExclusive(false);
    for (int i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == value);
    first->group()->setExclusive(true);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    auto* box = qobject_cast<QAbstractButton*>(Control(pDX, nIDC));
    if (pDX->Failed() || !box) return;
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}
