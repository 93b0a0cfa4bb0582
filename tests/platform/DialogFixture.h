#pragma once

// What the platform tests share: a test dialog built from the templates that
// DialogFixture.cpp registers (500, with one control of each kind; 501, the
// main window's layout, too large for the test screen; 502, with a menu and
// a minimise box), a modal driver that records what a person would have
// seen, and the fixture that installs it.

#include "Automation.h"
#include "Controls.h"
#include "Dialog.h"
#include "ListCtrl.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Records what a person would have seen, and acts through a callback. The
// callback must end the dialog the way the test means it to: a dialog it
// leaves open is a failure (and is ended, so that the test goes on).
class TestDriver : public CModalDriver {
public:
    std::function<void(CDialog&)> onDialog;
    std::vector<std::string> messages;
    int dialogsRun = 0;

    void RunDialog(CDialog& dialog) override
    {
        ++dialogsRun;
        if (onDialog) onDialog(dialog);
        if (!dialog.IsModalRunning()) return;
        ADD_FAILURE() << "the dialog was left open by the test";
        dialog.EndDialog(IDCANCEL);
    }
    int RunMessageBox(const std::string& caption, const std::string& text, UINT) override
    {
        messages.push_back(caption + ": " + text);
        return IDOK;
    }
    bool RunFileDialog(const std::string&, const std::string&, std::string&) override { return false; }
};

class TestDlg : public CDialog {
public:
    TestDlg() : CDialog(500) {}
    std::string m_strName = "first";
    int m_nNumber = 5;
    std::string m_strKind;
    int m_nFirstGroup = 1;
    int m_nSecondGroup = -1;
    CEdit m_editMemo;
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 12, m_editMemo);
        DDX_Control(pDX, 30, m_list);
        DDX_Text(pDX, 10, m_strName);
        DDX_Text(pDX, 11, m_nNumber);
        DDX_CBString(pDX, 13, m_strKind);
        DDX_Radio(pDX, 20, m_nFirstGroup);
        DDX_Radio(pDX, 22, m_nSecondGroup);
    }
};

// Runs TestDlg (or any dialog) with the driver in the user's place; a
// dialog that never reached the driver fails the test, whose checks would
// otherwise not have run.
class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { AfxSetModalDriver(&driver); }
    void TearDown() override { AfxSetModalDriver(nullptr); }

    INT_PTR Run(CDialog& dlg, std::function<void(CDialog&)> act)
    {
        driver.onDialog = std::move(act);
        const int before = driver.dialogsRun;
        const INT_PTR result = dlg.DoModal();
        EXPECT_EQ(driver.dialogsRun, before + 1) << "the dialog never reached the driver";
        return result;
    }

    TestDriver driver;
};

// What every automation call of a test must give.
inline constexpr automation::Result kDone = automation::Result::Done;
