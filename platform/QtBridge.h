#pragma once

// Private to the framework: the Qt widgets behind its windows and controls.

#include "Dialog.h"
#include "ListRowSource.h"
#include "ResourceScript.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QIcon>
#include <QString>

#include <deque>
#include <map>
#include <string>
#include <vector>

class QAction;
class QButtonGroup;
class QEventLoop;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

QString ToQt(const std::string& ansi);
// Where the first CR or LF of a text stands, or -1.
qsizetype FirstLineBreak(const QString& text);
std::string FromQt(const QString& text);

// Text of any control as the platform gives it (ANSI; CR LF line breaks in
// a multi-line edit), and its replacement.
std::string GetWidgetText(const QWidget* pWidget);
void SetWidgetText(QWidget* pWidget, const std::string& ansi);

struct IconHandle {
    QIcon icon;
};

// The rows of a report list view: either rows of texts of their own, kept in
// a deque so that a row goes in at the top in constant time, or rows shared
// with a CListRowSource, put in all at once with one reset of the model.
class ReportListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    ~ReportListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int InsertColumn(int nCol, const std::string& heading);
    int InsertRow(int nRow, const std::string& text);
    bool SetText(int nRow, int nCol, const std::string& text);
    std::string Text(int nRow, int nCol) const;
    void Clear();
    // Replaces every row with `rows` of `source`, top first.
    void SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows);
    void SetTextColor(COLORREF cr);
    bool HasTextColor() const { return m_bHasColor; }
    COLORREF TextColor() const { return m_color; }

private:
    int CellCount() const;
    // Shared rows become rows of their own texts (before a row or a text is
    // changed one at a time).
    void CopySharedRows();
    void ReleaseSharedRows(std::vector<CListSharedRow>& rows, const CListRowSource* pSource);

    std::vector<std::string> m_headings;
    std::deque<std::vector<std::string>> m_rows;
    const CListRowSource* m_pSource = nullptr;  // set while the rows are m_sharedRows
    std::vector<CListSharedRow> m_sharedRows;
    COLORREF m_color = 0;
    bool m_bHasColor = false;
    bool m_bRepaintPending = false;
};

// The window of a dialog: the menu bar, the client area holding the
// template's controls at their dialog-unit positions, and the system menu
// stand-in.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pParent);

    CDialog* Owner() const { return m_pOwner; }
    const DialogTemplate& Template() const { return m_template; }
    QWidget* Client() const { return m_pClient; }
    QWidget* Control(int nID) const;
    int IdOf(const QWidget* pWidget) const;  // walks up to the control; 0 when none
    QPoint ToPixels(int x, int y) const;

    // Commands of the toolbar and the menu, by id.
    void AddCommandButton(int nID, QToolButton* pButton) { m_toolButtons[nID] = pButton; }
    QToolButton* CommandButton(int nID) const;
    QAction* MenuAction(int nID) const;
    QMenu* SystemMenu();

    void RunLoop();
    void QuitLoop();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;

private:
    void BuildMenu(const MenuTemplate& menu);
    void BuildControl(const ControlTemplate& c);
    void NameControls();

    CDialog* m_pOwner;
    DialogTemplate m_template;
    QWidget* m_pClient = nullptr;
    QMenuBar* m_pMenuBar = nullptr;
    QMenu* m_pSystemMenu = nullptr;
    QButtonGroup* m_pRadioGroup = nullptr;
    QObject* m_pRadioKeys = nullptr;  // the arrow keys of every radio button
    int m_nBaseX = 6;
    int m_nBaseY = 13;
    std::size_t m_nBuilt = 0;  // controls built so far, in template order
    std::map<int, QWidget*> m_controls;
    std::map<int, QToolButton*> m_toolButtons;
    std::map<int, QAction*> m_menuActions;
    QEventLoop* m_pLoop = nullptr;
};
