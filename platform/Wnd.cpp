#include "Wnd.h"

#include "DialogPushButton.h"
#include "FocusReturn.h"
#include "ModalDriver.h"
#include "QtBridge.h"
#include "WinApp.h"

#include <QGridLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

CWnd::~CWnd() = default;

void CWnd::Attach(QWidget* pWidget, int nID)
{
    m_pWidget = pWidget;
    m_nID = nID;
}

void CWnd::Detach()
{
    m_pWidget = nullptr;
    m_nID = 0;
}

void CWnd::SetWindowText(const std::string& strText)
{
    if (m_pWidget) SetWidgetText(m_pWidget, strText);
}

std::string CWnd::GetWindowText() const { return m_pWidget ? GetWidgetText(m_pWidget) : std::string(); }

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget) return FALSE;
    const BOOL wasDisabled = m_pWidget->isEnabled() ? FALSE : TRUE;
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_pWidget && m_pWidget->isEnabled() ? TRUE : FALSE; }

void CWnd::SetFocus()
{
    if (m_pWidget) m_pWidget->setFocus(Qt::OtherFocusReason);
}

namespace {
// A small box is at least as wide as its caption with the caption's icon
// and buttons, so that the caption is never cut.
void WidenToCaption(QMessageBox& box)
{
    constexpr int kCaptionExtras = 120;  // the icon and the buttons of the caption
    QFont captionFont = box.font();
    captionFont.setBold(true);
    const int width = QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) + kCaptionExtras;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

int ShowMessageBox(QWidget* pOwner, const std::string& strText, const std::string& strCaption)
{
    const FocusReturn focusReturn;
    if (CModalDriver* driver = AfxGetModalDriver()) {
        driver->RunMessageBox(strCaption, strText);
        return IDOK;
    }
    // A box shown before its owner has appeared stands where the owner will
    // open, centred on the screen; the hidden owner has no place yet.
    QMessageBox box(pOwner && pOwner->isVisible() ? pOwner : nullptr);
    box.setWindowTitle(ToQt(strCaption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQt(strText));
    box.setIcon(QMessageBox::NoIcon);
    // A plain OK, no icon on it, marked as the button Enter presses.
    auto* ok = new DialogPushButton(QStringLiteral("OK"), &box);
    box.addButton(ok, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    WidenToCaption(box);
    box.exec();
    return IDOK;
}
}  // namespace

int CWnd::MessageBox(const std::string& strText, const char* pszCaption, UINT)
{
    return ShowMessageBox(m_pWidget ? m_pWidget->window() : nullptr, strText,
                          pszCaption ? std::string(pszCaption) : AfxGetAppTitle());
}

int AfxMessageBox(const std::string& strText, UINT)
{
    CWnd* main = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    return ShowMessageBox(main ? main->GetSafeWidget() : nullptr, strText, AfxGetAppTitle());
}
