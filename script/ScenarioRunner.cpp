#include "ScenarioRunner.h"

#include "Automation.h"
#include "CatalogDlg.h"
#include "CurrentDirectory.h"
#include "ResourceScript.h"
#include "Transcript.h"
#include "WinApp.h"
#include "Wnd.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

bool ParseNumber(const std::string& text, int& number)
{
    if (text.empty()) return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < INT32_MIN || value > INT32_MAX) return false;
    number = static_cast<int>(value);
    return true;
}

// A control or command id: a number, or the name the resources give it
// ("ID_TB_SEARCH", "IDC_ORIGINAL_TITLE").
bool ParseId(const std::string& text, int& id)
{
    long value = 0;
    if (ParseNumber(text, id)) return true;
    if (!AfxGetResources().FindSymbol(text, value) || value < INT32_MIN || value > INT32_MAX) return false;
    id = static_cast<int>(value);
    return true;
}

// Splits "ID REST" at the single space after ID.
void SplitFirst(const std::string& text, std::string& first, std::string& rest)
{
    const std::size_t space = text.find(' ');
    first = text.substr(0, space);
    rest = space == std::string::npos ? std::string() : text.substr(space + 1);
}

const char* ResultWord(INT_PTR result) { return result == IDOK ? "OK" : "CANCEL"; }

}  // namespace

ScenarioRunner::ScenarioRunner(std::vector<std::string> lines) : m_lines(std::move(lines))
{
    AfxGetCurrentDirectory(m_strStartDir);
}

bool ScenarioRunner::NextAction(Action& action)
{
    while (m_next < m_lines.size()) {
        std::string line = m_lines[m_next++];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        action.line = m_next;
        SplitFirst(line, action.verb, action.rest);
        return true;
    }
    return false;
}

void ScenarioRunner::Fail(std::size_t line, const std::string& reason)
{
    std::fflush(stdout);
    std::fprintf(stderr, "line %zu: %s\n", line, reason.c_str());
    std::fflush(stderr);
    std::_Exit(2);
}

void ScenarioRunner::FailAtEnd(const std::string& reason)
{
    std::fflush(stdout);
    std::fprintf(stderr, "line %zu: %s\n", m_lines.size() + 1, reason.c_str());
    std::fflush(stderr);
    std::_Exit(2);
}

CCatalogDlg* ScenarioRunner::MainWindow() const
{
    return AfxGetApp() ? dynamic_cast<CCatalogDlg*>(AfxGetApp()->m_pMainWnd) : nullptr;
}

void ScenarioRunner::RunDialog(CDialog& dialog)
{
    const bool bMain = AfxGetApp() && AfxGetApp()->m_pMainWnd == &dialog;
    if (!bMain) PrintLine("dialog " + std::to_string(dialog.GetTemplateID()) + " " + EscapeAnsi(dialog.GetCaption()));
    while (dialog.IsModalRunning()) {
        Action action;
        if (!NextAction(action)) {
            if (!bMain)
                FailAtEnd("the input ended while dialog " + std::to_string(dialog.GetTemplateID()) + " is open");
            // The input ends with the main window alone: it ends, saving
            // nothing and asking nothing.
            PrintLine("end");
            m_bEndPrinted = true;
            dialog.EndDialog(IDCANCEL);
            continue;
        }
        PerformOnDialog(dialog, action);
    }
    if (bMain) {
        if (!m_bEndPrinted) PrintLine(std::string("exit ") + ResultWord(dialog.GetModalResult()));
    } else {
        PrintLine("closed " + std::to_string(dialog.GetTemplateID()) + " " + ResultWord(dialog.GetModalResult()));
    }
}

void ScenarioRunner::PerformOnDialog(CDialog& dialog, const Action& action)
{
    using automation::Result;
    const bool bMain = AfxGetApp() && AfxGetApp()->m_pMainWnd == &dialog;
    const std::string& verb = action.verb;
    int id = 0;
    if (verb == "set") {
        std::string first, text;
        SplitFirst(action.rest, first, text);
        if (!ParseId(first, id)) Fail(action.line, "set needs a control id");
        CheckResult(action, automation::SetText(dialog, id, DecodeScenarioText(text)), id);
    } else if (verb == "click") {
        if (!ParseId(action.rest, id)) Fail(action.line, "click needs a control id");
        CheckResult(action, automation::Click(dialog, id), id);
    } else if (verb == "key") {
        PerformKey(dialog, action);
    } else if (verb == "type") {
        PerformType(dialog, action);
    } else if (verb == "close") {
        automation::Close(dialog);
    } else if (verb == "select") {
        std::vector<int> rows;
        std::istringstream in(action.rest);
        std::string word;
        while (in >> word) {
            int row = 0;
            if (!ParseNumber(word, row)) Fail(action.line, "select needs row numbers");
            rows.push_back(row);
        }
        if (automation::SelectRows(dialog, rows) != Result::Done) Fail(action.line, "no such row in the result list");
    } else if (verb == "dblclick") {
        if (automation::DoubleClickList(dialog) != Result::Done) Fail(action.line, "no list in the active window");
    } else if (verb == "syscmd") {
        if (!ParseId(action.rest, id)) Fail(action.line, "syscmd needs a command id");
        if (automation::SysCommand(dialog, static_cast<UINT>(id)) != Result::Done)
            Fail(action.line, "no system menu item " + std::to_string(id));
    } else if (verb == "ok" || verb == "cancel") {
        if (bMain) Fail(action.line, "no message box or dialog is open");
        const int button = verb == "ok" ? IDOK : IDCANCEL;
        const Result result = automation::Click(dialog, button);
        if (result == Result::NoSuchControl)
            dialog.SendCommand(static_cast<UINT>(button));
        else
            CheckResult(action, result, button);
    } else if (verb == "choose") {
        Fail(action.line, "no file dialog is open");
    } else if (verb == "answer") {
        Fail(action.line, "no message box is open");
    } else if (verb == "show") {
        if (!Show(action, Active::Dialog, &dialog)) Fail(action.line, "unknown show subject " + action.rest);
    } else {
        Fail(action.line, "unknown action " + verb);
    }
}

// Ends the run at the action's line, with the reason, unless the action on
// control id was done.
void ScenarioRunner::CheckResult(const Action& action, automation::Result result, int id)
{
    using automation::Result;
    switch (result) {
    case Result::Done:
        return;
    case Result::NoSuchControl:
        Fail(action.line, "no control " + std::to_string(id) + " in the active window");
    case Result::Disabled:
        Fail(action.line, "control " + std::to_string(id) + " is disabled");
    case Result::WrongKind:
        Fail(action.line, "control " + std::to_string(id) + " does not take this action");
    }
}

void ScenarioRunner::PerformKey(CDialog& dialog, const Action& action)
{
    std::string first, name;
    SplitFirst(action.rest, first, name);
    int id = 0;
    if (!ParseId(first, id)) Fail(action.line, "key needs a control id");
    automation::Key key{};
    if (!automation::KeyFromName(name, key)) Fail(action.line, "unknown key " + name);
    CheckResult(action, automation::PressKey(dialog, id, key), id);
}

void ScenarioRunner::PerformType(CDialog& dialog, const Action& action)
{
    std::string first, text;
    SplitFirst(action.rest, first, text);
    int id = 0;
    if (!ParseId(first, id)) Fail(action.line, "type needs a control id");
    CheckResult(action, automation::TypeText(dialog, id, DecodeScenarioText(text)), id);
}

void ScenarioRunner::ShowSelection(const CCatalogDlg& main)
{
    std::string line = "selection";
    for (int row = main.m_listCtrl.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = main.m_listCtrl.GetNextItem(row, LVNI_SELECTED))
        line += " " + std::to_string(row);
    PrintLine(line);
}

int ScenarioRunner::RunMessageBox(const std::string& caption, const std::string& text, UINT nType)
{
    PrintLine("message " + EscapeAnsi(caption) + ": " + EscapeAnsi(text));
    const std::vector<MessageBoxButton> buttons = MessageBoxButtons(nType);
    const auto press = [&buttons](const std::string& label) {
        for (const MessageBoxButton& button : buttons)
            if (button.strLabel == label) return button.nResult;
        return 0;
    };
    for (;;) {
        Action action;
        if (!NextAction(action)) FailAtEnd("the input ended while a message box is open");
        if (action.verb == "ok") {
            if (const int result = press("OK")) return result;
            Fail(action.line, "the message box has no OK button");
        }
        if (action.verb == "answer") {
            if (const int result = press(action.rest)) return result;
            Fail(action.line, "the message box has no button " + action.rest);
        }
        if (action.verb == "cancel" || action.verb == "close") return MessageBoxEscapeResult(nType);
        if (action.verb == "show") {
            if (!Show(action, Active::MessageBox, nullptr)) Fail(action.line, "unknown show subject " + action.rest);
            continue;
        }
        Fail(action.line, "a message box is open: " + action.verb + " cannot be done");
    }
}

bool ScenarioRunner::RunFileDialog(const std::string& filter, const std::string&, std::string& path)
{
    PrintLine("filedialog " + EscapeAnsi(filter));
    for (;;) {
        Action action;
        if (!NextAction(action)) FailAtEnd("the input ended while the file dialog is open");
        if (action.verb == "choose") {
            if (action.rest.empty()) return false;
            const std::filesystem::path chosen(action.rest);
            path = chosen.is_absolute() ? chosen.string() : (std::filesystem::path(m_strStartDir) / chosen).string();
            return true;
        }
        if (action.verb == "cancel" || action.verb == "close") return false;
        if (action.verb == "show") {
            if (!Show(action, Active::FileDialog, nullptr)) Fail(action.line, "unknown show subject " + action.rest);
            continue;
        }
        Fail(action.line, "the file dialog is open: " + action.verb + " cannot be done");
    }
}

bool ScenarioRunner::Show(const Action& action, Active active, CDialog* dialog)
{
    CCatalogDlg* main = MainWindow();
    if (!main) return false;
    const std::string& what = action.rest;
    if (what == "list") {
        CListCtrl& list = main->m_listCtrl;
        const int rows = list.GetItemCount();
        std::string colour = "default";
        if (list.HasTextColor()) {
            const COLORREF c = list.GetTextColor();
            colour =
                std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
        }
        PrintLine("list " + std::to_string(rows) + " colour " + colour);
        const int columns = list.GetColumnCount();
        for (int r = 0; r < rows; ++r) {
            std::string line = "row[" + std::to_string(r) + "]: ";
            for (int c = 0; c < columns; ++c) line += (c ? " | " : "") + EscapeAnsi(list.GetItemText(r, c));
            PrintLine(line);
        }
        return true;
    }
    if (what == "panel") {
        for (const int id : {1002, 1003, 1004, 1005, 1006, 1007, 1010, 1030, 1009}) {
            CWnd* control = main->GetDlgItem(id);
            PrintLine(std::to_string(id) + ": " + EscapeAnsi(control ? control->GetWindowText() : std::string()));
        }
        return true;
    }
    if (what == "lists") {
        for (const std::string& line : main->m_catalogue.DumpLists(EscapeAnsi)) PrintLine(line);
        return true;
    }
    if (what == "state") {
        const CCatalogDlg& m = *main;
        PrintLine("max-viewings " + std::to_string(m.m_catalogue.m_nMaxViewings));
        PrintLine("top-criterion " + std::to_string(m.m_nTopCriterion));
        PrintLine("active-choices " + std::to_string(m.m_nActiveFilesChoice) + " " +
                  std::to_string(m.m_nActiveCommentsChoice));
        std::string search = "search";
        for (const int flag : {m.m_bSearchOriginalTitle, m.m_bSearchTitle, m.m_bSearchCountry, m.m_bSearchYear,
                               m.m_bSearchDirector, m.m_bSearchCast, m.m_bSearchRating, m.m_bSearchApproximate,
                               m.m_bSearchViewings, m.m_bSearchSeen, m.m_bSearchToSee})
            search += " " + std::to_string(flag);
        PrintLine(search);
        for (const std::string& line : m.m_catalogue.DumpPaths(EscapeBytes)) PrintLine(line);
        return true;
    }
    if (what == "dialog") {
        if (active != Active::Dialog || !dialog) return true;  // a message box or file dialog has no template
        for (const auto& control : automation::DescribeControls(*dialog)) {
            std::string line =
                std::to_string(control.id) + " " + control.kind + " " + (control.enabled ? "enabled" : "disabled");
            if (control.checkable) line += control.checked ? " checked" : " clear";
            PrintLine(line + " " + EscapeAnsi(control.text));
        }
        return true;
    }
    if (what == "selection") {
        ShowSelection(*main);
        return true;
    }
    if (what == "focus") {
        PrintLine("focus " +
                  std::to_string(active == Active::Dialog && dialog ? automation::FocusedControl(*dialog) : 0));
        return true;
    }
    return false;
}

int ScenarioRunner::Finish()
{
    Action action;
    if (NextAction(action)) Fail(action.line, "the main window has ended");
    if (!m_bEndPrinted) PrintLine("end");
    return 0;
}
