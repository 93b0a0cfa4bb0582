#pragma once

#include <QGroupBox>

// A group box drawn as the dialog template means it: an etched frame whose
// top line runs through the middle of the title, the title just in from the
// left edge. The toolkit's styles put the title above the frame instead,
// which moves the frame down onto the controls laid out inside it.
class GroupFrame : public QGroupBox {
public:
    GroupFrame(const QString& title, QWidget* pParent);

    // The title's rectangle, in the group box's own coordinates.
    QRect TitleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
