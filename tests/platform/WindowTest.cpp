// The window of a dialog on the real toolkit, without a display: its frame,
// its size on a small screen, the system menu's place in the menu bar.
#include "DialogFixture.h"
#include "DialogWindow.h"
#include "IconResource.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyleOptionMenuItem>

namespace {

// The window manager is asked for the boxes the template has: a close box
// always with the system menu, a minimise or maximise box only where named.
TEST_F(Dialogs, TheFrameHasTheBoxesOfTheTemplateOnly)
{
    const auto flagsOf = [this](UINT nTemplate) {
        CDialog dlg(nTemplate);
        Qt::WindowFlags flags;
        Run(dlg, [&](CDialog& d) {
            flags = d.GetDialogWindow()->windowFlags();
            automation::Close(d);
        });
        return flags;
    };
    const Qt::WindowFlags plain = flagsOf(500);
    EXPECT_TRUE(plain & Qt::WindowTitleHint);
    EXPECT_TRUE(plain & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(plain & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const Qt::WindowFlags minimisable = flagsOf(502);
    EXPECT_TRUE(minimisable & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(minimisable & Qt::WindowMaximizeButtonHint);
}

// A window larger than its screen is built smaller, texts and places
// together, until it fits the screen with the manager's frame; a window
// that fits keeps its size.
TEST_F(Dialogs, AWindowLargerThanTheScreenIsScaledDownToFit)
{
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    CDialog large(501);
    Run(large, [&](CDialog& d) {
        DialogWindow* window = d.GetDialogWindow();
        const QPoint natural = DialogUnits(DialogFont(window->Template())).ToPixels(521, 323);
        ASSERT_GT(natural.x(), room.width());  // the template does not fit as it stands
        const QSize size = window->sizeHint();
        EXPECT_LE(size.width() + 10, room.width());
        EXPECT_LE(size.height() + 40, room.height());
        EXPECT_LT(window->PixelScale(), 1.0);
        EXPECT_GT(window->PixelScale(), 0.7);
        automation::Close(d);
    });
    TestDlg small;
    Run(small, [&](CDialog& d) {
        DialogWindow* window = d.GetDialogWindow();
        EXPECT_EQ(window->PixelScale(), 1.0);
        const QPoint natural = DialogUnits(DialogFont(window->Template())).ToPixels(200, 120);
        EXPECT_EQ(window->Client()->size(), QSize(natural.x(), natural.y()));
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

// The system menu stands first in the menu bar as the window's icon, and its
// item keeps showing the icon while the menu is open (the toolkit's style
// paints an open item as a highlight with its text, and this one has none).
TEST_F(Dialogs, TheSystemMenuKeepsTheIconWhileOpen)
{
    QPixmap navy(16, 16);
    navy.fill(QColor(0, 0, 128));
    const IconHandle icon{QIcon(navy)};
    CDialog dlg(502);
    Run(dlg, [&](CDialog& d) {
        d.SetIcon(&icon, FALSE);
        ASSERT_NE(d.GetSystemMenu(FALSE), nullptr);
        DialogWindow* window = d.GetDialogWindow();
        auto* bar = window->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        QAction* item = window->SystemMenu()->menuAction();
        EXPECT_EQ(bar->actions().value(0), item);
        // The item as the menu bar paints it while its menu is open.
        QStyleOptionMenuItem open;
        open.initFrom(bar);
        open.state |= QStyle::State_Selected | QStyle::State_Sunken | QStyle::State_Enabled;
        open.menuItemType = QStyleOptionMenuItem::Normal;
        open.icon = item->icon();
        open.rect = QRect(QPoint(0, 0), bar->actionGeometry(item).size());
        QImage shown(open.rect.size(), QImage::Format_RGB32);
        shown.fill(Qt::white);
        QPainter painter(&shown);
        bar->style()->drawControl(QStyle::CE_MenuBarItem, &open, &painter, bar);
        painter.end();
        int iconPixels = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) iconPixels += shown.pixelColor(x, y) == QColor(0, 0, 128);
        EXPECT_GT(iconPixels, 16 * 16 / 2);
        automation::Close(d);
    });
}

}  // namespace
