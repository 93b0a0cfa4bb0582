// The framework's controls on the real toolkit, without a display: data
// exchange, the controls the program relies on, keys and their look.
#include "Automation.h"
#include "DialogFixture.h"
#include "DialogWindow.h"
#include "ListRowSource.h"
#include "ToolBarCtrl.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QWidget>

#include <cstdint>
#include <map>

namespace {

TEST_F(Dialogs, OkExchangesInwardsAndARefusedNumberKeepsTheDialogOpen)
{
    TestDlg dlg;
    int focusAfterRefusal = 0;
    const INT_PTR result = Run(dlg, [&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "first");
        EXPECT_EQ(d.GetDlgItem(11)->GetWindowText(), "5");
        EXPECT_EQ(automation::SetText(d, 10, "second"), kDone);
        EXPECT_EQ(automation::SetText(d, 11, "12x"), kDone);
        EXPECT_EQ(automation::Click(d, IDOK), kDone);
        EXPECT_TRUE(d.IsModalRunning());
        focusAfterRefusal = automation::FocusedControl(d);
        EXPECT_EQ(automation::SetText(d, 11, " -7 "), kDone);
        EXPECT_EQ(automation::PressKey(d, 10, automation::Key::Enter), kDone);  // the default button
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
        EXPECT_EQ(automation::SetText(d, 10, "first\nsecond"), kDone);
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "first");
        EXPECT_EQ(automation::SetText(d, 10, "one\r\ntwo"), kDone);
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "one");
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

TEST_F(Dialogs, EscapeCancelsWithoutExchange)
{
    TestDlg dlg;
    const INT_PTR result = Run(dlg, [&](CDialog& d) {
        EXPECT_EQ(automation::SetText(d, 10, "changed"), kDone);
        EXPECT_EQ(automation::PressKey(d, 10, automation::Key::Escape), kDone);
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
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

TEST_F(Dialogs, RadioGroupsAreSeparateAndGiveTheIndexOfTheirButton)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        EXPECT_EQ(automation::Click(d, 23), kDone);
        EXPECT_EQ(automation::Click(d, 20), kDone);
        d.UpdateData(TRUE);
        auto* self = static_cast<TestDlg*>(&d);
        EXPECT_EQ(self->m_nFirstGroup, 0);
        EXPECT_EQ(self->m_nSecondGroup, 1);
        EXPECT_EQ(automation::Click(d, 22), kDone);
        d.UpdateData(TRUE);
        EXPECT_EQ(self->m_nFirstGroup, 0);
        EXPECT_EQ(self->m_nSecondGroup, 0);
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

TEST_F(Dialogs, MultiLineEditGivesCrLfAndTheExactTextItWasGiven)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CEdit& memo = static_cast<TestDlg*>(&d)->m_editMemo;
        memo.SetWindowText("one\r\r\ntwo\rthree");  // what a comment file may hold
        EXPECT_EQ(memo.GetWindowText(), "one\r\r\ntwo\rthree");
        EXPECT_EQ(automation::SetText(d, 12, "typed\nlines"), kDone);
        EXPECT_EQ(memo.GetWindowText(), "typed\r\nlines");
        EXPECT_EQ(automation::PressKey(d, 12, automation::Key::Enter), kDone);  // a new line, not OK
        EXPECT_TRUE(d.IsModalRunning());
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
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
        EXPECT_EQ(automation::TypeText(d, 10, "ab"), kDone);
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), "ab" + longText);
        EXPECT_EQ(automation::SetText(d, 13, longText), kDone);
        EXPECT_EQ(d.GetDlgItem(13)->GetWindowText(), longText);
        EXPECT_EQ(automation::SetText(d, 10, longText), kDone);
        EXPECT_EQ(automation::TypeText(d, 10, "z"), kDone);
        EXPECT_EQ(d.GetDlgItem(10)->GetWindowText(), longText + "z");
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

// The comment box gives back every byte it holds: a no-break space loaded
// or typed stays one, where the toolkit's plain text makes it a space.
TEST_F(Dialogs, MultiLineEditKeepsNoBreakSpacesLoadedAndTyped)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CEdit& memo = static_cast<TestDlg*>(&d)->m_editMemo;
        memo.SetWindowText(
            "a\xA0"
            "b\r\nc");
        EXPECT_EQ(automation::TypeText(d, 12,
                                       "\xC2\xA0"
                                       "d\n"),
                  kDone);
        EXPECT_EQ(memo.GetWindowText(),
                  "\xA0"
                  "d\r\na\xA0"
                  "b\r\nc");
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
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
        EXPECT_EQ(automation::SelectRows(d, {2, 1}), kDone);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        list.DeleteAllItems();
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_TRUE(list.HasTextColor());
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
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
            EXPECT_EQ(automation::SelectRows(d, {1}), kDone);
            EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
            EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
        });
    }
    // The list went with its window, and let go of its rows.
    EXPECT_EQ(source.Holders(&kA), 0);
    EXPECT_EQ(source.Holders(&kB), 0);
}

// The list keeps its place sideways when it takes the focus; Home and End
// select their row whatever the current one; a list emptied and filled
// again shows its first row and column.
TEST_F(Dialogs, TheListMovesOnlyWhenAskedAndStartsAgainWhenEmptied)
{
    TestDlg dlg;
    Run(dlg, [&](CDialog& d) {
        CListCtrl& list = static_cast<TestDlg*>(&d)->m_list;
        const auto fill = [&list] {
            list.DeleteAllItems();
            for (int row = 0; row < 50; ++row) list.InsertItem(0, std::to_string(row));
        };
        for (int col = 0; col < 8; ++col) list.InsertColumn(col, "C", LVCFMT_LEFT, 100);
        fill();
        auto* view = qobject_cast<QAbstractItemView*>(list.GetSafeWidget());
        const auto selected = [view] {
            std::vector<int> rows;
            for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
            return rows;
        };
        QCoreApplication::processEvents();
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(view, &focusIn);
        EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
        EXPECT_EQ(automation::PressKey(d, 30, automation::Key::Home), kDone);
        EXPECT_EQ(selected(), std::vector<int>{0});
        EXPECT_EQ(automation::PressKey(d, 30, automation::Key::End), kDone);
        EXPECT_EQ(selected(), std::vector<int>{49});
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(view, &right);
        QCoreApplication::processEvents();
        ASSERT_GT(view->verticalScrollBar()->value(), 0);
        ASSERT_GT(view->horizontalScrollBar()->value(), 0);
        fill();
        QCoreApplication::processEvents();
        EXPECT_EQ(view->verticalScrollBar()->value(), 0);
        EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

TEST_F(Dialogs, EveryControlIsNamedByItsLabelForScreenReaders)
{
    CDialog dlg(501);
    Run(dlg, [](CDialog& d) {
        const auto name = [&](int id) { return d.GetDlgItem(id)->GetSafeWidget()->accessibleName().toStdString(); };
        EXPECT_EQ(name(1001), "Rezultate");
        EXPECT_EQ(name(1002), "Titlu Original");
        EXPECT_EQ(name(1004), "Tara");
        EXPECT_EQ(name(1005), "An aparitie");
        EXPECT_EQ(name(1009), "Comentarii");
        EXPECT_EQ(name(1010), "Calificativ");
        EXPECT_EQ(name(1030), "Numar vizionari");
        EXPECT_EQ(name(1029), "Filme");
        automation::Close(d);
    });
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
        EXPECT_EQ(automation::Click(d, IDCANCEL), kDone);
    });
}

// A list or combo box wrapper used before the exchange attached it is a
// programming error: the program stops and says which, never goes on quietly.
TEST(Wrappers, UsedBeforeAttachedStopTheProgram)
{
    EXPECT_DEATH(CListCtrl().GetItemCount(), "CListCtrl used before it was attached");
    EXPECT_DEATH(CComboBox().GetCount(), "CComboBox used before it was attached");
}

}  // namespace
