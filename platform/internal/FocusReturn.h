#pragma once

#include <QPointer>
#include <QWidget>

// While a modal window is up: remembers the window that was active and the
// control that had the focus in it, and when the modal window closes makes
// that window active again and gives the control its focus back. Without a
// window manager nobody else would; with one, the focus would otherwise go
// to whatever the manager picks.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_pWindow;
    QPointer<QWidget> m_pFocus;
};
