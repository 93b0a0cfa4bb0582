#pragma once

#include <QPushButton>

// A push button of a dialog. The button Enter would press carries a dark
// outer frame, as on the platform the program comes from: the push button
// that has the focus, else the dialog's default button. The toolkit's own
// mark for a default button is too faint to see.
class DialogPushButton : public QPushButton {
public:
    DialogPushButton(const QString& text, QWidget* pParent);

    bool IsEnterTarget() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
