// The framework's modal windows on the real toolkit, without a display:
// message boxes, question boxes and the file dialog.
#include "FileDialog.h"
#include "Wnd.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace {

// A message box with a short text is as wide as its caption, so the caption
// is not cut; its button stands in the middle of its width.
TEST(MessageBox, IsAsWideAsItsCaptionWithItsButtonInTheMiddle)
{
    const std::string caption = "Seteaza fisierele pentru filmele vazute si de vazut";
    int boxWidth = 0;
    int captionWidth = 0;
    int buttonMiddle = 0;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QFont bold = box->font();
        bold.setBold(true);
        captionWidth = QFontMetrics(bold).horizontalAdvance(QString::fromStdString(caption));
        boxWidth = box->width();
        const QPushButton* ok = box->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        buttonMiddle = ok->mapTo(box, ok->rect().center()).x();
        box->close();
    });
    CWnd().MessageBox("Da", caption.c_str());
    EXPECT_GT(boxWidth, captionWidth);
    EXPECT_NEAR(buttonMiddle, boxWidth / 2, 2);
}

// A question box reads "Da", "Nu" (and "Anulare") in that order, with the
// first as the button Enter presses; each button gives its own answer, and
// Esc the way out: "Anulare", or the safe "Nu" where there is none.
TEST(MessageBox, QuestionsAnswerWithTheButtonPressed)
{
    const auto ask = [](UINT nType, const std::function<void(QWidget*)>& press) {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            press(box);
        });
        return CWnd().MessageBox("Il inlocuiti?", "cinetrove", nType);
    };
    const auto labels = [](QWidget* box) {
        QStringList texts;
        for (const QPushButton* button : box->findChildren<QPushButton*>()) texts << button->text();
        return texts;
    };
    const auto click = [](const QString& label) {
        return [label](QWidget* box) {
            for (QPushButton* button : box->findChildren<QPushButton*>())
                if (button->text() == label) button->click();
        };
    };
    const auto escape = [](QWidget* box) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
    };

    QStringList shown;
    EXPECT_EQ(ask(MB_YESNOCANCEL,
                  [&](QWidget* box) {
                      shown = labels(box);
                      click(QStringLiteral("Nu"))(box);
                  }),
              IDNO);
    EXPECT_EQ(shown, (QStringList{"Da", "Nu", "Anulare"}));
    EXPECT_EQ(ask(MB_YESNOCANCEL, click(QStringLiteral("Da"))), IDYES);
    EXPECT_EQ(ask(MB_YESNOCANCEL, click(QStringLiteral("Anulare"))), IDCANCEL);
    EXPECT_EQ(ask(MB_YESNOCANCEL, escape), IDCANCEL);
    EXPECT_EQ(ask(MB_YESNO,
                  [&](QWidget* box) {
                      shown = labels(box);
                      escape(box);
                  }),
              IDNO);
    EXPECT_EQ(shown, (QStringList{"Da", "Nu"}));
    EXPECT_EQ(ask(MB_YESNO,
                  [](QWidget* box) {
                      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                      QApplication::sendEvent(box, &enter);
                  }),
              IDYES);
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

// A folder typed and entered in the file dialog opens it and closes the
// list of completions; the file name typed next names a file in it, and
// that is the path the dialog gives.
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
    bool completionsOpen = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        TypeInto(name, QStringLiteral("sub"));
        typedAfterFolder = name->text();
        completionsOpen = name->completer() && name->completer()->popup()->isVisible();
        TypeInto(name, QStringLiteral("filme.cta"));
        // The first Enter may go to the completer's list of names.
        if (dialog->isVisible()) TypeInto(name, QString());
        if (dialog->isVisible()) dialog->reject();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(typedAfterFolder, QString());
    EXPECT_FALSE(completionsOpen);
    EXPECT_EQ(dlg.GetPathName(), QDir(root.path()).absoluteFilePath(QStringLiteral("sub/filme.cta")).toStdString());
}

}  // namespace
