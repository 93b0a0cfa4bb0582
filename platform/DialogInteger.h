#pragma once

#include <string_view>

// Reads the text of an integer field as the dialog exchange does: optional
// blanks and tabs, an optional sign, decimal digits, optional blanks and
// tabs, nothing else. A number that does not fit in 32 bits is refused too,
// so a wrapped value is never stored.
bool ParseDialogInteger(std::string_view text, int& value);
