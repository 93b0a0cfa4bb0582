#pragma once

// Private to the framework: texts between the code page and Qt, and the text
// of any control.

#include <QString>

#include <string>

class QWidget;

QString ToQt(const std::string& ansi);
// Where the first CR or LF of a text stands, or -1.
qsizetype FirstLineBreak(const QString& text);
std::string FromQt(const QString& text);

// Text of any control as the platform gives it (ANSI; CR LF line breaks in
// a multi-line edit), and its replacement.
std::string GetWidgetText(const QWidget* pWidget);
void SetWidgetText(QWidget* pWidget, const std::string& ansi);
