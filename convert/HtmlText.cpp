#include "HtmlText.h"

#include "Utf8.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string Lowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

constexpr std::array<std::pair<std::string_view, char32_t>, 17> kEntities = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
    {"nbsp", 0xA0},
    {"hellip", 0x2026},
    {"mdash", 0x2014},
    {"ndash", 0x2013},
    {"lsquo", 0x2018},
    {"rsquo", 0x2019},
    {"ldquo", 0x201C},
    {"rdquo", 0x201D},
    {"laquo", 0xAB},
    {"raquo", 0xBB},
    {"copy", 0xA9},
    {"eacute", 0xE9},
}};

// Decodes the entity at text[pos] == '&' into out; false when it is no
// entity, so the '&' stays as it is.
bool DecodeEntity(std::string_view text, std::size_t& pos, std::string& out)
{
    const std::size_t nSemicolon = text.find(';', pos + 1);
    if (nSemicolon == std::string_view::npos || nSemicolon - pos > 12) {
        return false;
    }
    const std::string_view name = text.substr(pos + 1, nSemicolon - pos - 1);
    char32_t cp = 0;
    if (name.size() > 1 && name[0] == '#') {
        const bool bHex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(bHex ? 2 : 1);
        std::uint32_t value = 0;
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, bHex ? 16 : 10);
        if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size() || value == 0 ||
            value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        cp = value;
    } else {
        for (const auto& [entity, value] : kEntities) {
            if (entity == name) cp = value;
        }
        if (cp == 0) {
            return false;
        }
    }
    AppendUtf8(out, cp);
    pos = nSemicolon + 1;
    return true;
}

// The value of attribute `name` in a tag's text, entities decoded; empty when absent.
std::string Attribute(std::string_view tag, std::string_view name)
{
    const std::string lowered = Lowered(tag);
    std::size_t at = 0;
    while ((at = lowered.find(name, at)) != std::string::npos) {
        const bool bStarts = at > 0 && (lowered[at - 1] == ' ' || lowered[at - 1] == '\t' || lowered[at - 1] == '\n');
        std::size_t pos = at + name.size();
        while (pos < tag.size() && tag[pos] == ' ') ++pos;
        if (!bStarts || pos >= tag.size() || tag[pos] != '=') {
            at += name.size();
            continue;
        }
        ++pos;
        while (pos < tag.size() && tag[pos] == ' ') ++pos;
        const char quote = pos < tag.size() && (tag[pos] == '"' || tag[pos] == '\'') ? tag[pos] : '\0';
        if (quote != '\0') ++pos;
        const std::size_t nEnd = quote != '\0' ? tag.find(quote, pos) : tag.find_first_of(" \t\n>", pos);
        const std::string_view raw = tag.substr(pos, nEnd == std::string_view::npos ? tag.size() - pos : nEnd - pos);
        std::string value;
        for (std::size_t i = 0; i < raw.size();) {
            if (raw[i] != '&' || !DecodeEntity(raw, i, value)) value += raw[i++];
        }
        return value;
    }
    return {};
}

// Without blanks at either end: ASCII white space and no-break spaces.
std::string Trimmed(std::string_view s, std::string_view blanks = " \t\r\n")
{
    constexpr std::string_view kNoBreakSpace = "\u00A0";
    while (true) {
        if (!s.empty() && blanks.find(s.front()) != std::string_view::npos) {
            s.remove_prefix(1);
        } else if (!s.empty() && blanks.find(s.back()) != std::string_view::npos) {
            s.remove_suffix(1);
        } else if (s.starts_with(kNoBreakSpace)) {
            s.remove_prefix(kNoBreakSpace.size());
        } else if (s.ends_with(kNoBreakSpace)) {
            s.remove_suffix(kNoBreakSpace.size());
        } else {
            return std::string(s);
        }
    }
}

}  // namespace

std::string HtmlToText(std::string_view html)
{
    std::string out;
    std::string strHref;         // of the open link
    std::size_t nLinkStart = 0;  // where its text starts in out
    std::size_t pos = 0;
    while (pos < html.size()) {
        const char c = html[pos];
        if (c == '&') {
            if (!DecodeEntity(html, pos, out)) {
                out += html[pos++];
            }
            continue;
        }
        const bool bTag = c == '<' && pos + 1 < html.size() &&
                          (IsAsciiLetter(html[pos + 1]) || html[pos + 1] == '/' || html[pos + 1] == '!');
        const std::size_t nClose = bTag ? html.find('>', pos) : std::string_view::npos;
        if (nClose == std::string_view::npos) {
            out += html[pos++];
            continue;
        }
        const std::string_view tag = html.substr(pos + 1, nClose - pos - 1);
        pos = nClose + 1;
        const bool bEnd = !tag.empty() && tag[0] == '/';
        std::size_t nNameEnd = bEnd ? 1 : 0;
        while (nNameEnd < tag.size() && IsAsciiLetter(tag[nNameEnd])) ++nNameEnd;
        const std::string name = Lowered(tag.substr(bEnd ? 1 : 0, nNameEnd - (bEnd ? 1 : 0)));
        if (name == "br" || (bEnd && name == "p")) {
            out += '\n';
        } else if (name == "p" && !out.empty() && out.back() != '\n') {
            out += '\n';  // a paragraph that opens after text on the same line
        } else if (name == "a" && !bEnd) {
            strHref = Attribute(tag, "href");
            nLinkStart = out.size();
        } else if (name == "a" && bEnd && !strHref.empty()) {
            const std::string strText = Trimmed(std::string_view(out).substr(nLinkStart));
            if (strText != Trimmed(strHref)) {
                out += " (" + strHref + ")";
            }
            strHref.clear();
        }
    }
    return out;
}

void AppendHtmlEscaped(std::string& out, std::string_view text)
{
    std::size_t nPlain = 0;  // start of the run of bytes copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* pEntity = nullptr;
        switch (c) {
        case '&':
            pEntity = "&amp;";
            break;
        case '<':
            pEntity = "&lt;";
            break;
        case '>':
            pEntity = "&gt;";
            break;
        case '"':
            pEntity = "&quot;";
            break;
        case '\'':
            pEntity = "&#39;";
            break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
                pEntity = " ";
            }
        }
        if (pEntity != nullptr) {
            out.append(text.data() + nPlain, i - nPlain);
            out += pEntity;
            nPlain = i + 1;
        }
    }
    out.append(text.data() + nPlain, text.size() - nPlain);
}
