#pragma once

#include <memory>

// While it lives (the application's run), hands the application object the
// ways a session ends without the main window's say:
// - the session manager's request to save: CWinApp::OnQueryEndSession, which
//   may ask the user; FALSE asks the manager not to end the session. Without
//   leave to ask, CWinApp::OnEndSession is called instead;
// - SIGTERM and SIGHUP: the handler only writes the signal's number to a
//   pipe; the event loop reads it, calls CWinApp::OnEndSession, and ends the
//   process with that signal, as the signal's default action would;
// - the display's connection lost: the toolkit warns, then ends the process
//   (exit status 1); the warning's handler, finding the connection broken,
//   calls CWinApp::OnEndSession first.
// OnEndSession runs at most once for a signal or the display.
class SessionEndWatch {
public:
    SessionEndWatch();
    ~SessionEndWatch();
    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    struct Watch;
    std::unique_ptr<Watch> m_pWatch;
};
