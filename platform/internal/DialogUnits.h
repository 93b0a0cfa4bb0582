#pragma once

// Private to the framework: the dialog font and the dialog units of a
// template.

#include "ResourceScript.h"

#include <QFont>
#include <QPoint>
#include <QSize>

#include <functional>

// Dialog units become pixels through the dialog font's base units, as on the
// platform the templates come from: a horizontal unit is a quarter of the
// average width of the alphabet's letters, a vertical unit an eighth of the
// height of a line.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QPoint ToPixels(int x, int y) const { return {(x * m_nBaseX + 2) / 4, (y * m_nBaseY + 4) / 8}; }

private:
    int m_nBaseX = 6;
    int m_nBaseY = 13;
};

// The template's font where the system has its face, else the system's sans
// face, at the template's size.
QFont DialogFont(const DialogTemplate& tmpl);

// The font made smaller, a quarter point at a time and down to half its
// size at most, until the window that `windowSize` lays out with it fits in
// `room`: a window larger than the screen is scaled down whole, texts and
// places together, instead of running off the screen's edges.
QFont FitDialogFont(QFont font, const std::function<QSize(const QFont&)>& windowSize, const QSize& room);
