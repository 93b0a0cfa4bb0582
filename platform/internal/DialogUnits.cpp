#include "DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = std::max(1, (alphabet / 26 + 1) / 2);
    m_nBaseY = std::max(1, metrics.height());
}

QFont DialogFont(const DialogTemplate& tmpl)
{
    QFont font;
    font.setFamilies({QString::fromStdString(tmpl.fontName), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(tmpl.fontPoints > 0 ? tmpl.fontPoints : 8);
    return font;
}

QFont FitDialogFont(QFont font, const std::function<QSize(const QFont&)>& windowSize, const QSize& room)
{
    constexpr double kStep = 0.25;
    const double smallest = font.pointSizeF() / 2;
    const auto fits = [&](const QFont& candidate) {
        const QSize size = windowSize(candidate);
        return size.width() <= room.width() && size.height() <= room.height();
    };
    while (!fits(font) && font.pointSizeF() - kStep >= smallest) font.setPointSizeF(font.pointSizeF() - kStep);
    return font;
}
