#include "QtBridge.h"

#include "AnsiText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

QString ToQt(const std::string& ansi)
{
    const std::string utf8 = AfxAnsiToUtf8(ansi);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

qsizetype FirstLineBreak(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')) return i;
    return -1;
}

std::string FromQt(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return AfxUtf8ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

namespace {
// A multi-line edit remembers the exact bytes it was given, and what it
// showed for them, so that it gives them back unchanged until edited.
constexpr const char* kGivenBytes = "cinetroveGivenBytes";
constexpr const char* kGivenShown = "cinetroveGivenShown";

// What a multi-line edit holds, every character as it is: the document's
// plain text would turn a no-break space into a space.
QString MemoText(const QPlainTextEdit* memo)
{
    QString text = memo->document()->toRawText();
    for (QChar& ch : text)
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator) ch = QLatin1Char('\n');
    return text;
}
}  // namespace

std::string GetWidgetText(const QWidget* pWidget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(pWidget)) return FromQt(edit->text());
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(pWidget)) {
        const QString shown = MemoText(memo);
        const QVariant given = memo->property(kGivenBytes);
        if (given.isValid() && memo->property(kGivenShown).toString() == shown) {
            const QByteArray bytes = given.toByteArray();
            return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        QString withCrLf = shown;
        withCrLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return FromQt(withCrLf);
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(pWidget)) return FromQt(combo->currentText());
    if (const auto* button = qobject_cast<const QAbstractButton*>(pWidget)) return FromQt(button->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(pWidget)) return FromQt(group->title());
    if (const auto* label = qobject_cast<const QLabel*>(pWidget)) return FromQt(label->text());
    if (pWidget && pWidget->isWindow()) return FromQt(pWidget->windowTitle());
    return {};
}

void SetWidgetText(QWidget* pWidget, const std::string& ansi)
{
    if (auto* edit = qobject_cast<QLineEdit*>(pWidget)) {
        // A box the program fills shows the start of its text.
        edit->setText(ToQt(ansi));
        edit->setCursorPosition(0);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(pWidget)) {
        // The control shows a CR LF pair as one line break; a lone CR or LF as well.
        QString shown = ToQt(ansi);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        memo->setPlainText(shown);
        memo->setProperty(kGivenBytes, QByteArray(ansi.data(), static_cast<qsizetype>(ansi.size())));
        memo->setProperty(kGivenShown, MemoText(memo));
    } else if (auto* combo = qobject_cast<QComboBox*>(pWidget)) {
        combo->setEditText(ToQt(ansi));
        if (combo->lineEdit()) combo->lineEdit()->setCursorPosition(0);
    } else if (auto* button = qobject_cast<QAbstractButton*>(pWidget)) {
        button->setText(ToQt(ansi));
    } else if (auto* group = qobject_cast<QGroupBox*>(pWidget)) {
        group->setTitle(ToQt(ansi));
    } else if (auto* label = qobject_cast<QLabel*>(pWidget)) {
        label->setText(ToQt(ansi));
    } else if (pWidget && pWidget->isWindow()) {
        pWidget->setWindowTitle(ToQt(ansi));
    }
}
