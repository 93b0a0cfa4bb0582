#pragma once

#include "Automation.h"
#include "ModalDriver.h"

#include <string>
#include <vector>

class CCatalogDlg;

// Takes the user's place: reads a scenario one action per line and performs
// each on the window that is active, writing the transcript to stdout.
class ScenarioRunner : public CModalDriver {
public:
    explicit ScenarioRunner(std::vector<std::string> lines);

    void RunDialog(CDialog& dialog) override;
    int RunMessageBox(const std::string& caption, const std::string& text, UINT nType) override;
    bool RunFileDialog(const std::string& filter, const std::string& initialDir, std::string& path) override;

    // After the main window has ended: the rest of the input may hold no
    // action. Returns the process's exit status.
    int Finish();

private:
    enum class Active { Dialog, MessageBox, FileDialog };
    struct Action {
        std::size_t line = 0;  // 1-based
        std::string verb;
        std::string rest;  // everything after the verb and one space
    };

    bool NextAction(Action& action);
    [[noreturn]] void Fail(std::size_t line, const std::string& reason);
    [[noreturn]] void FailAtEnd(const std::string& reason);

    void PerformOnDialog(CDialog& dialog, const Action& action);
    void CheckResult(const Action& action, automation::Result result, int id);
    void PerformKey(CDialog& dialog, const Action& action);
    void PerformType(CDialog& dialog, const Action& action);
    static void ShowSelection(const CCatalogDlg& main);
    bool Show(const Action& action, Active active, CDialog* dialog);
    CCatalogDlg* MainWindow() const;

    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    std::string m_strStartDir;
    bool m_bEndPrinted = false;
};
