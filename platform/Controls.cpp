#include "Controls.h"

#include "QtBridge.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

void CEdit::SetSel(int nStart, int nEnd)
{
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) {
        const int length = static_cast<int>(edit->text().size());
        if (nEnd < 0 || nEnd > length) nEnd = length;
        if (nStart < 0) {
            edit->deselect();
            return;
        }
        edit->setSelection(nStart, nEnd - nStart);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(m_pWidget)) {
        if (nStart == 0 && nEnd < 0) memo->selectAll();
    }
}

int CButton::GetCheck() const
{
    const auto* button = qobject_cast<const QAbstractButton*>(m_pWidget);
    return button && button->isChecked() ? 1 : 0;
}

void CButton::SetCheck(int nCheck)
{
    if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) button->setChecked(nCheck != 0);
}

QComboBox* CComboBox::Combo() const
{
    auto* combo = qobject_cast<QComboBox*>(m_pWidget);
    AfxAssertAttached(combo != nullptr, "CComboBox");
    return combo;
}

int CComboBox::AddString(const std::string& strItem)
{
    QComboBox* combo = Combo();
    combo->addItem(ToQt(strItem));
    return combo->count() - 1;
}

int CComboBox::GetCount() const { return Combo()->count(); }

int CComboBox::GetCurSel() const { return Combo()->currentIndex(); }

int CComboBox::SetCurSel(int nSelect)
{
    QComboBox* combo = Combo();
    if (nSelect < -1 || nSelect >= combo->count()) return -1;
    combo->setCurrentIndex(nSelect);
    if (nSelect < 0 && combo->isEditable()) combo->setEditText(QString());
    return nSelect;
}

std::string CComboBox::GetLBText(int nIndex) const
{
    const QComboBox* combo = Combo();
    return nIndex >= 0 && nIndex < combo->count() ? FromQt(combo->itemText(nIndex)) : std::string();
}

int CComboBox::SelectString(int nStartAfter, const std::string& strPrefix)
{
    QComboBox* combo = Combo();
    const QString prefix = ToQt(strPrefix);
    const int count = combo->count();
    for (int k = 1; k <= count; ++k) {
        const int i = (nStartAfter + k) % count;
        if (i < 0) continue;
        if (combo->itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            combo->setEditText(combo->itemText(i));
            return i;
        }
    }
    return -1;
}
