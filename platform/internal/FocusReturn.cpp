#include "FocusReturn.h"

#include <QApplication>

FocusReturn::FocusReturn() : m_pWindow(QApplication::activeWindow())
{
    if (m_pWindow) m_pFocus = m_pWindow->focusWidget();
}

FocusReturn::~FocusReturn()
{
    if (!m_pWindow || !m_pWindow->isVisible()) return;
    m_pWindow->activateWindow();
    QApplication::setActiveWindow(m_pWindow);
    if (m_pFocus && m_pFocus->isEnabled() && m_pFocus->window() == m_pWindow)
        m_pFocus->setFocus(Qt::ActiveWindowFocusReason);
}
