#pragma once

#include <string>
#include <string_view>

// A review written on a site as HTML, as the plain text the comment box
// shows (UTF-8 in, UTF-8 out): tags removed, <br> and paragraph ends as line
// breaks, entities decoded, a link as its text followed by its address in
// brackets (the address alone when the text is the address). A "<" that
// opens no tag ("<3", "a < b") stays. Line breaks are LF.
std::string HtmlToText(std::string_view html);

// Appends UTF-8 text to a page being written, safe between tags and inside a
// quoted attribute: & < > " ' as entities, and the control characters a page
// may not hold (every one below a space but tab, LF and CR, and DEL) as
// spaces.
void AppendHtmlEscaped(std::string& out, std::string_view text);
