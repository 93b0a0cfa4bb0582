#include "GroupFrame.h"

#include <QPainter>
#include <QStyle>

namespace {
constexpr int kTitleIndent = 6;   // from the left edge to the title's gap
constexpr int kTitlePadding = 2;  // blank on either side of the title
}  // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* pParent) : QGroupBox(title, pParent) {}

QRect GroupFrame::TitleRect() const
{
    if (title().isEmpty()) return {};
    const QFontMetrics metrics(font());
    const int width = metrics.size(Qt::TextShowMnemonic, title()).width() + 2 * kTitlePadding;
    return {kTitleIndent, 0, width, metrics.height()};
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect titleRect = TitleRect();
    const int top = titleRect.isValid() ? titleRect.center().y() : 0;
    // Etched: a shadow line with a light line inside and below it.
    const QRect frame = rect().adjusted(0, top, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    if (!titleRect.isValid()) return;
    painter.fillRect(titleRect, palette().color(QPalette::Window));
    style()->drawItemText(&painter, titleRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}
