#include "ToolBarCtrl.h"

#include "Dialog.h"
#include "DialogWindow.h"
#include "QtBridge.h"
#include "ResourceScript.h"

#include <QBitmap>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {
// The images of the toolbar, cut from the strip; kept on the toolbar widget.
constexpr const char* kImages = "cinetroveImages";

// Above this many device pixels to a pixel, a strip drawn at twice the size
// is used where there is one: the strip of the template's size, smoothed up
// to twice its size, would be blurred.
constexpr double kLargeArtScale = 1.5;

// "NAME@2x.EXT", the strip drawn at twice the size of "NAME.EXT".
std::string LargeArtName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name + "@2x" : name.substr(0, dot) + "@2x" + name.substr(dot);
}

QSize Scaled(const CSize& size, double dScale) { return {qRound(size.cx * dScale), qRound(size.cy * dScale)}; }
}  // namespace

BOOL CToolBarCtrl::Create(unsigned dwStyle, const CRect&, CDialog* pParentWnd, UINT nID)
{
    DialogWindow* window = pParentWnd ? pParentWnd->GetDialogWindow() : nullptr;
    if (!window) return FALSE;
    auto* bar = new QToolBar(window->Client());
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    bar->setObjectName(QStringLiteral("control%1").arg(nID));
    m_pParent = pParentWnd;
    Attach(bar, static_cast<int>(nID));
    AutoSize();
    return TRUE;
}

BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    m_buttonSize = size;
    return TRUE;
}

BOOL CToolBarCtrl::SetBitmapSize(CSize size)
{
    m_bitmapSize = size;
    if (auto* bar = qobject_cast<QToolBar*>(m_pWidget)) bar->setIconSize(Scaled(size, PixelScaleOf(bar)));
    return TRUE;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    auto* bar = qobject_cast<QToolBar*>(m_pWidget);
    if (!bar) return -1;
    const std::string name = AfxGetResources().BitmapFile(static_cast<int>(nBitmapID));
    // The images are drawn on the screen at the window's scale times the
    // screen's pixels to a pixel.
    const double dScale = bar->devicePixelRatioF() * PixelScaleOf(bar);
    int nArtScale = 1;
    std::string_view bytes = AfxGetResourceFile(name);
    if (const std::string_view large = AfxGetResourceFile(LargeArtName(name));
        dScale > kLargeArtScale && !large.empty()) {
        bytes = large;
        nArtScale = 2;
    }
    QImage strip;
    strip.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    if (strip.isNull()) return -1;
    // The strip's button-face grey becomes the toolbar's own face.
    QPixmap pixmap = QPixmap::fromImage(strip);
    pixmap.setMask(pixmap.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    QList<QVariant> images = bar->property(kImages).toList();
    const int width = m_bitmapSize.cx * nArtScale;
    const int height = m_bitmapSize.cy * nArtScale;
    for (int i = 0; i < nNumButtons; ++i) {
        QPixmap image = pixmap.copy(i * width, 0, width, height);
        image.setDevicePixelRatio(nArtScale);
        images.append(QIcon(image));
    }
    bar->setProperty(kImages, images);
    const int first = m_nImages;
    m_nImages += nNumButtons;
    return first;
}

int CToolBarCtrl::AddStrings(const char* pszStrings)
{
    const int first = static_cast<int>(m_labels.size());
    for (const char* p = pszStrings; p && *p; p += std::char_traits<char>::length(p) + 1) m_labels.emplace_back(p);
    return first;
}

BOOL CToolBarCtrl::AddButtons(int nNumButtons, const TBBUTTON* pButtons)
{
    auto* bar = qobject_cast<QToolBar*>(m_pWidget);
    if (!bar) return FALSE;
    const QList<QVariant> images = bar->property(kImages).toList();
    DialogWindow* window = m_pParent->GetDialogWindow();
    const double dScale = window->PixelScale();
    for (int i = 0; i < nNumButtons; ++i) {
        const TBBUTTON& b = pButtons[i];
        m_buttons.push_back(b);
        if (b.fsStyle & TBSTYLE_SEP) {
            auto* gap = new QWidget(bar);
            gap->setFixedWidth(qRound(b.iBitmap * dScale));
            bar->addWidget(gap);
            continue;
        }
        auto* button = new QToolButton(bar);
        if (b.iBitmap >= 0 && b.iBitmap < images.size()) button->setIcon(images[b.iBitmap].value<QIcon>());
        if (b.iString >= 0 && b.iString < static_cast<INT_PTR>(m_labels.size())) {
            const QString label = ToQt(m_labels[static_cast<std::size_t>(b.iString)]);
            button->setText(label);
            button->setAccessibleName(label);
        }
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(Scaled(m_bitmapSize, dScale));
        button->setMinimumSize(Scaled(m_buttonSize, dScale));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled((b.fsState & TBSTATE_ENABLED) != 0);
        CDialog* owner = m_pParent;
        const UINT command = static_cast<UINT>(b.idCommand);
        QObject::connect(button, &QToolButton::clicked, bar, [owner, command] { owner->SendCommand(command); });
        bar->addWidget(button);
        window->AddCommandButton(b.idCommand, button);
    }
    return TRUE;
}

void CToolBarCtrl::AutoSize()
{
    auto* bar = qobject_cast<QToolBar*>(m_pWidget);
    if (!bar || !bar->parentWidget()) return;
    // The buttons share one width, the widest label's, as the platform's
    // toolbar with texts has them.
    int width = 0;
    const int least = Scaled(m_buttonSize, PixelScaleOf(bar)).width();
    const QList<QToolButton*> buttons = bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    for (const QToolButton* button : buttons) {
        if (button->text().isEmpty()) continue;
        const int label = button->fontMetrics().horizontalAdvance(button->text());
        width = std::max({width, label + 8, button->iconSize().width() + 8, least});
    }
    for (QToolButton* button : buttons)
        if (!button->text().isEmpty()) button->setFixedWidth(width);
    // Along the top edge, across the window's width, as high as its buttons.
    bar->adjustSize();
    bar->setGeometry(0, 0, bar->parentWidget()->width(), bar->sizeHint().height());
}

int CToolBarCtrl::GetButtonCount() const { return static_cast<int>(m_buttons.size()); }

bool CToolBarCtrl::GetButtonInfo(int nIndex, TBBUTTON& button) const
{
    if (nIndex < 0 || nIndex >= GetButtonCount()) return false;
    button = m_buttons[static_cast<std::size_t>(nIndex)];
    return true;
}

std::string CToolBarCtrl::GetButtonText(int nIndex) const
{
    TBBUTTON b{};
    if (!GetButtonInfo(nIndex, b) || (b.fsStyle & TBSTYLE_SEP) || b.iString < 0 ||
        b.iString >= static_cast<INT_PTR>(m_labels.size()))
        return {};
    return m_labels[static_cast<std::size_t>(b.iString)];
}
