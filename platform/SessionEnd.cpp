#include "SessionEnd.h"

#include "WinApp.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

int g_signalPipe[2] = {-1, -1};
bool g_bEnded = false;  // OnEndSession ran for a signal or the display
QtMessageHandler g_previousHandler = nullptr;

// Async-signal-safe: one write to a non-blocking pipe, errno kept.
extern "C" void OnEndSignal(int nSignal)
{
    const int nSavedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(nSignal);
    [[maybe_unused]] const ssize_t nWritten = ::write(g_signalPipe[1], &byte, 1);
    errno = nSavedErrno;
}

void EndSessionOnce()
{
    if (g_bEnded) return;
    g_bEnded = true;
    if (CWinApp* pApp = AfxGetApp()) pApp->OnEndSession();
    std::fflush(nullptr);
}

bool DisplayConnectionBroken()
{
    const auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 && pX11->connection() && xcb_connection_has_error(pX11->connection()) != 0;
}

// The toolkit warns once it finds the display's connection broken and ends
// the process right after; what is unsaved is written before the warning
// goes on.
void OnToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && DisplayConnectionBroken()) EndSessionOnce();
    if (g_previousHandler) {
        g_previousHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

}  // namespace

struct SessionEndWatch::Watch {
    std::unique_ptr<QSocketNotifier> notifier;
    QMetaObject::Connection commitData;
};

SessionEndWatch::SessionEndWatch() : m_pWatch(std::make_unique<Watch>())
{
    if (::pipe2(g_signalPipe, O_NONBLOCK | O_CLOEXEC) == 0) {
        m_pWatch->notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_pWatch->notifier.get(), &QSocketNotifier::activated, [] {
            unsigned char byte = 0;
            if (::read(g_signalPipe[0], &byte, 1) != 1) return;
            EndSessionOnce();
            // Ended as the signal itself would end it, so the parent sees
            // which signal it was.
            std::signal(byte, SIG_DFL);
            std::raise(byte);
        });
        struct sigaction action {};
        action.sa_handler = OnEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int nSignal : kSignals) ::sigaction(nSignal, &action, nullptr);
    }
    g_previousHandler = qInstallMessageHandler(OnToolkitMessage);
    m_pWatch->commitData = QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, [](QSessionManager& manager) {
        CWinApp* pApp = AfxGetApp();
        if (!pApp) return;
        if (!manager.allowsInteraction()) {
            // No question may be asked: what is unsaved is kept as copies.
            pApp->OnEndSession();
            return;
        }
        const BOOL bMayEnd = pApp->OnQueryEndSession();
        manager.release();
        if (!bMayEnd) manager.cancel();
    });
}

SessionEndWatch::~SessionEndWatch()
{
    QObject::disconnect(m_pWatch->commitData);
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
    for (const int nSignal : kSignals) std::signal(nSignal, SIG_DFL);
    m_pWatch->notifier.reset();
    for (int& fd : g_signalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}
