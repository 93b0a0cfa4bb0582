// The framework's dialogs on the real toolkit, without a display: data
// exchange, the controls the program relies on, keys and modal windows.
#include "Automation.h"
#include "Controls.h"
#include "Dialog.h"
#include "FileDialog.h"
#include "ListCtrl.h"
#include "ModalDriver.h"
#include "DialogWindow.h"
#include "ResourceScript.h"
#include "ToolBarCtrl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>

namespace {

const char* kScript = R"(
500 DIALOG 0, 0, 200, 120
CAPTION "Test"
FONT 8, "MS Sans Serif"
BEGIN
    EDITTEXT        10,5,5,80,14,ES_AUTOHSCROLL
    EDITTEXT        11,5,25,80,14,ES_AUTOHSCROLL
    EDITTEXT        12,5,45,80,40,ES_MULTILINE | ES_WANTRETURN
    COMBOBOX        13,100,5,80,60,CBS_DROPDOWN
    CONTROL         "A",20,"Button",BS_AUTORADIOBUTTON | WS_GROUP,100,25,30,10
    CONTROL         "B",21,"Button",BS_AUTORADIOBUTTON,100,35,30,10
    CONTROL         "C",22,"Button",BS_AUTORADIOBUTTON | WS_GROUP,140,25,30,10
    CONTROL         "D",23,"Button",BS_AUTORADIOBUTTON,140,35,30,10
    CONTROL         "",30,"SysListView32",LVS_REPORT,5,90,190,25
    DEFPUSHBUTTON   "OK",IDOK,100,50,40,14
    PUSHBUTTON      "Cancel",IDCANCEL,150,50,40,14
END
501 DIALOG 0, 0, 521, 323
CAPTION "Labels"
FONT 8, "MS Sans Serif"
BEGIN
    GROUPBOX        "Rezultate",IDC_STATIC,7,41,507,160
    CONTROL         "",1001,"SysListView32",LVS_REPORT,15,51,491,143
    LTEXT           "Titlu Original",IDC_STATIC,22,216,40,8
    LTEXT           "An aparitie",IDC_STATIC,181,256,37,8
    LTEXT           "Tara",IDC_STATIC,22,256,16,8
    EDITTEXT        1002,72,213,209,14,ES_AUTOHSCROLL
    EDITTEXT        1004,72,253,85,14,ES_AUTOHSCROLL
    EDITTEXT        1005,224,253,57,14,ES_AUTOHSCROLL
    LTEXT           "Comentarii",IDC_STATIC,469,236,34,8
    EDITTEXT        1009,303,254,200,54,ES_MULTILINE
    LTEXT           "Calificativ",IDC_STATIC,303,216,31,8
    COMBOBOX        1010,363,214,140,94,CBS_DROPDOWN
    LTEXT           "Numar vizionari",IDC_STATIC,303,236,49,8
    EDITTEXT        1030,363,233,92,14,ES_AUTOHSCROLL
    PUSHBUTTON      "&Filme",1029,103,74,50,14
END
500 DLGINIT
BEGIN
    13, "Bun",
    13, "Deosebit",
    13, "De vazut",
END
)";

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

TEST_F(Dialogs, OkExchangesInwardsAndARefusedNumberKeepsTheDialogOpen)
{
    TestDlg dlg;
    int focusAfterRefusal = 0;
    const INT_PTR result = Run(dlg, [&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "first");
        EXPECT_EQ(d.GetDlgItem(11)->GetWindowText(), "5");
        automation::SetText(d, 10, "second");
        automation::SetText(d, 11, "12x");
        automation::Click(d, IDOK);
        EXPECT_TRUE(d.IsModalRunning());
        focusAfterRefusal = automation::FocusedControl(d);
        automation::SetText(d, 11, " -7 ");
        automation::PressKey(d, 10, automation::Key::Enter);  // the default button
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(driver.messages, std::vector<std::string>{": Please enter an integer."});
    EXPECT_EQ(focusAfterRefusal, 11);
    EXPECT_EQ(dlg.m_strName, "second");
    EXPECT_EQ(dlg.m_nNumber, -7);
}

TEST_F(Dialogs, ASingleLineBoxKeepsOnlyTheFirstLineOfWhatIsTyped)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        automation::SetText(d, 10, "first\nsecond");
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "first");
        automation::SetText(d, 10, "one\r\ntwo");
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "one");
    });
}

TEST_F(Dialogs, EscapeCancelsWithoutExchange)
{
    TestDlg dlg;
    const INT_PTR result = Run(dlg, [&](CDialog& d) {
        automation::SetText(d, 10, "changed");
        automation::PressKey(d, 10, automation::Key::Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_strName, "first");
}

TEST_F(Dialogs, ComboShowsTheFirstItemBeginningWithTheTextIgnoringCase)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        auto* self = static_cast<TestDlg*>(&d);
        self->m_strKind = "de";
        d.UpdateData(FALSE);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), "Deosebit");
        self->m_strKind = "De v";
        d.UpdateData(FALSE);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), "De vazut");
        self->m_strKind = "Altceva";
        d.UpdateData(FALSE);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), "Altceva");
        self->m_strKind = "";
        d.UpdateData(FALSE);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), "");
    });
}

TEST_F(Dialogs, RadioGroupsAreSeparateAndGiveTheIndexOfTheirButton)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        automation::Click(d, 23);
        automation::Click(d, 20);
        d.UpdateData(TRUE);
        auto* self = static_cast<TestDlg*>(&d);
        EXPECT_EQ(self->m_nFirstGroup, 0);
        EXPECT_EQ(self->m_nSecondGroup, 1);
        automation::Click(d, 22);
        d.UpdateData(TRUE);
        EXPECT_EQ(self->m_nFirstGroup, 0);
        EXPECT_EQ(self->m_nSecondGroup, 0);
    });
}

TEST_F(Dialogs, MultiLineEditGivesCrLfAndTheExactTextItWasGiven)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CEdit& memo = static_cast<TestDlg*>(&d)->m_editMemo;
        memo.SetWindowText("one\r\r\ntwo\rthree");  // what a comment file may hold
        EXPECT_EQ(memo.GetWindowText(), "one\r\r\ntwo\rthree");
        automation::SetText(d, 12, "typed\nlines");
        EXPECT_EQ(memo.GetWindowText(), "typed\r\nlines");
        automation::PressKey(d, 12, automation::Key::Enter);  // a new line, not OK
        EXPECT_TRUE(d.IsModalRunning());
    });
}

// Edit boxes take a text of any length and show the start of what the
// program puts in them; typing goes on where the cursor stands.
TEST_F(Dialogs, EditBoxesHoldLongTextsWholeAndShowTheirStart)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        const std::string longText = std::string(39999, 'x') + "y";
        d.GetDlgItem(10)->SetWindowText(longText);
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), longText);
        const auto* edit = qobject_cast<QLineEdit*>(d.GetDlgItem(10)->GetSafeWidget());
        EXPECT_EQ(edit->cursorPosition(), 0);
        automation::TypeText(d, 10, "ab");
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "ab" + longText);
        automation::SetText(d, 13, longText);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), longText);
        automation::SetText(d, 10, longText);
        automation::TypeText(d, 10, "z");
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), longText + "z");
    });
}

// The comment box gives back every byte it holds: a no-break space loaded
// or typed stays one, where the toolkit's plain text makes it a space.
TEST_F(Dialogs, MultiLineEditKeepsNoBreakSpacesLoadedAndTyped)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CEdit& memo = static_cast<TestDlg*>(&d)->m_editMemo;
        memo.SetWindowText("a\xA0" "b\r\nc");
        automation::TypeText(d, 12, "\xC2\xA0" "d\n");
        EXPECT_EQ(memo.GetWindowText(), "\xA0" "d\r\na\xA0" "b\r\nc");
    });
}

TEST_F(Dialogs, ListRowsGoInAtTheGivenPlaceAndKeepOneColour)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CListCtrl& list = static_cast<TestDlg*>(&d)->m_list;
        list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
        list.InsertColumn(1, "B", LVCFMT_LEFT, 50);
        EXPECT_FALSE(list.HasTextColor());
        for (const char* text : {"x", "y", "z"}) {
            const int row = list.InsertItem(0, text);
            list.SetItemText(row, 1, std::string(text) + "1");
        }
        ASSERT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(list.GetItemText(0, 0), "z");
        EXPECT_EQ(list.GetItemText(2, 1), "x1");
        list.SetTextColor(RGB(0, 34, 85));
        EXPECT_EQ(list.GetTextColor(), RGB(0, 34, 85));
        automation::SelectRows(d, {2, 1});
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        list.DeleteAllItems();
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_TRUE(list.HasTextColor());
    });
}

// A source of shared rows that counts the holders of each key.
class CountingRowSource : public CListRowSource {
public:
    explicit CountingRowSource(std::map<const void*, std::vector<std::string>> texts) : m_texts(std::move(texts)) {}
    void Retain(const void* pKey) const override { ++m_holders[pKey]; }
    void Release(const void* pKey) const override { --m_holders[pKey]; }
    std::string CellText(const void* pKey, std::int64_t nExtra, int nCol) const override
    {
        return m_texts.at(pKey).at(static_cast<std::size_t>(nCol)) + "/" + std::to_string(nExtra);
    }
    int Holders(const void* pKey) const { return m_holders[pKey]; }

private:
    std::map<const void*, std::vector<std::string>> m_texts;
    mutable std::map<const void*, int> m_holders;
};

// Shared rows read their cells from the source, hold their keys while they
// stand, and become rows of their own texts when one of them is changed.
TEST_F(Dialogs, SharedRowsHoldTheirKeysUntilTheyGo)
{
    static const int kA = 0, kB = 0;
    const CountingRowSource source({{&kA, {"a0", "a1"}}, {&kB, {"b0", "b1"}}});
    {
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CListCtrl& list = static_cast<TestDlg*>(&d)->m_list;
        list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
        list.InsertColumn(1, "B", LVCFMT_LEFT, 50);
        list.InsertItem(0, "old");
        list.SetSharedRows(source, {{&kA, 1}, {&kB, 2}, {&kA, 3}});
        ASSERT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(list.GetItemText(0, 0), "a0/1");
        EXPECT_EQ(list.GetItemText(1, 1), "b1/2");
        EXPECT_EQ(list.GetItemText(1, 2), "");  // no such column
        EXPECT_EQ(source.Holders(&kA), 2);

        // A row put in by itself: the shared rows keep what they showed.
        list.InsertItem(1, "new");
        EXPECT_EQ(source.Holders(&kA), 0);
        ASSERT_EQ(list.GetItemCount(), 4);
        EXPECT_EQ(list.GetItemText(0, 0), "a0/1");
        EXPECT_EQ(list.GetItemText(1, 0), "new");
        EXPECT_EQ(list.GetItemText(3, 1), "a1/3");

        list.SetSharedRows(source, {{&kB, 4}});
        EXPECT_EQ(list.GetItemCount(), 1);
        EXPECT_EQ(source.Holders(&kB), 1);
        list.DeleteAllItems();
        EXPECT_EQ(source.Holders(&kB), 0);
        list.SetSharedRows(source, {{&kA, 5}, {&kB, 6}});
        automation::SelectRows(d, {1});
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    });
    }
    // The list went with its window, and let go of its rows.
    EXPECT_EQ(source.Holders(&kA), 0);
    EXPECT_EQ(source.Holders(&kB), 0);
}

TEST_F(Dialogs, EveryControlIsNamedByItsLabelForScreenReaders)
{
    CDialog dlg(501);
    driver.onDialog = [](CDialog& d) {
        const auto name = [&](int id) { return d.GetDlgItem(id)->GetSafeWidget()->accessibleName().toStdString(); };
        EXPECT_EQ(name(1001), "Rezultate");
        EXPECT_EQ(name(1002), "Titlu Original");
        EXPECT_EQ(name(1004), "Tara");
        EXPECT_EQ(name(1005), "An aparitie");
        EXPECT_EQ(name(1009), "Comentarii");
        EXPECT_EQ(name(1010), "Calificativ");
        EXPECT_EQ(name(1030), "Numar vizionari");
        EXPECT_EQ(name(1029), "Filme");
    };
    dlg.DoModal();
}

// The button Enter would press carries a dark frame: the default button
// while the focus is elsewhere, the push button that has the focus. The
// toolbar's buttons share the width of the widest label.
TEST_F(Dialogs, TheButtonEnterPressesIsFramedAndToolbarButtonsShareOneWidth)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        QWidget* ok = d.GetDlgItem(IDOK)->GetSafeWidget();
        QWidget* cancel = d.GetDlgItem(IDCANCEL)->GetSafeWidget();
        // The left edge half-way down: the frame's colour, or the button's face.
        const auto edge = [](QWidget* button) {
            const QImage image = button->grab().toImage();
            return qGray(image.pixel(0, image.height() / 2));
        };
        d.GetDlgItem(10)->SetFocus();
        EXPECT_LT(edge(ok), 60);
        EXPECT_GT(edge(cancel), 60);
        d.GetDlgItem(IDCANCEL)->SetFocus();
        EXPECT_GT(edge(ok), 60);
        EXPECT_LT(edge(cancel), 60);

        CToolBarCtrl toolBar;
        ASSERT_TRUE(toolBar.Create(WS_CHILD | WS_VISIBLE, CRect{}, &d, 2000));
        toolBar.AddStrings("New\0Clear List\0A\0");
        const TBBUTTON buttons[] = {{-1, 2001, TBSTATE_ENABLED, TBSTYLE_BUTTON, 0},
                                    {-1, 2002, TBSTATE_ENABLED, TBSTYLE_BUTTON, 1},
                                    {-1, 2003, TBSTATE_ENABLED, TBSTYLE_BUTTON, 2}};
        toolBar.AddButtons(3, buttons);
        toolBar.AutoSize();
        DialogWindow* window = d.GetDialogWindow();
        const int width = window->CommandButton(2002)->width();
        EXPECT_GE(width, window->CommandButton(2002)->fontMetrics().horizontalAdvance(QStringLiteral("Clear List")));
        EXPECT_EQ(window->CommandButton(2001)->width(), width);
        EXPECT_EQ(window->CommandButton(2003)->width(), width);
    });
}

// A message box with a short text is as wide as its caption, so the caption
// is not cut.
TEST(MessageBox, IsAsWideAsItsCaption)
{
    const std::string caption = "Seteaza fisierele pentru filmele vazute si de vazut";
    int boxWidth = 0;
    int captionWidth = 0;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QFont bold = box->font();
        bold.setBold(true);
        captionWidth = QFontMetrics(bold).horizontalAdvance(QString::fromStdString(caption));
        boxWidth = box->width();
        box->close();
    });
    CWnd().MessageBox("Da", caption.c_str());
    EXPECT_GT(boxWidth, captionWidth);
}

// Keys typed into the toolkit's file dialog, as a person types them: the
// dialog has its turn between the keys, and time to read a folder.
void TypeInto(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QCoreApplication::processEvents();
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(widget, &enter);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A folder typed and entered in the file dialog opens it; the file name
// typed next names a file in it, and that is the path the dialog gives.
TEST(FileDialog, AFolderEnteredThenANameGiveTheFileInThatFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("sub")));
    QFile file(root.filePath(QStringLiteral("sub/filme.cta")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "CTA - Cinetrove Archive|*.cta||");
    dlg.m_strInitialDir = root.path().toStdString();
    QString typedAfterFolder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        TypeInto(name, QStringLiteral("sub"));
        typedAfterFolder = name->text();
        TypeInto(name, QStringLiteral("filme.cta"));
        // The first Enter may go to the completer's list of names.
        if (dialog->isVisible()) TypeInto(name, QString());
        if (dialog->isVisible()) dialog->reject();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(typedAfterFolder, QString());
    EXPECT_EQ(dlg.GetPathName(), QDir(root.path()).absoluteFilePath(QStringLiteral("sub/filme.cta")).toStdString());
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AfxRegisterResourceFile("test.rc", kScript);
    std::string error;
    if (!AfxLoadResources(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
