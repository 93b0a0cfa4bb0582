#pragma once

// What the platform tests share: a test dialog built from the templates that
// DialogFixture.cpp registers (500, with one control of each kind, and 501,
// the main window's layout), a modal driver that records what a person
// would have seen, and the fixture that installs it.

#include "Controls.h"
#include "Dialog.h"
#include "ListCtrl.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Records what a person would have seen, and acts through a callback.
class TestDriver : public CModalDriver {
public:
    std::function<void(CDialog&)> onDialog;
    std::vector<std::string> messages;

    void RunDialog(CDialog& dialog) override
    {
        if (onDialog) onDialog(dialog);
        if (dialog.IsModalRunning()) dialog.EndDialog(IDCANCEL);
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

// Runs TestDlg (or any dialog) with the driver in the user's place.
class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { AfxSetModalDriver(&driver); }
    void TearDown() override { AfxSetModalDriver(nullptr); }

    INT_PTR Run(TestDlg& dlg, std::function<void(CDialog&)> act)
    {
        driver.onDialog = std::move(act);
        return dlg.DoModal();
    }

    TestDriver driver;
};
