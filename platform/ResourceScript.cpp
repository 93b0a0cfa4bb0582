#include "ResourceScript.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

// The style names a template may use: those of the platform the templates
// come from for the windows and controls the framework builds. A name
// outside it is a mistake in the script (ES_MULTLINE for ES_MULTILINE would
// give a single-line box without a word), so it is an error, not a style
// ignored. Kept in byte order, for the binary search.
constexpr std::string_view kKnownStyles[] = {
    "BS_AUTOCHECKBOX",
    "BS_AUTORADIOBUTTON",
    "BS_BOTTOM",
    "BS_CENTER",
    "BS_CHECKBOX",
    "BS_DEFPUSHBUTTON",
    "BS_FLAT",
    "BS_GROUPBOX",
    "BS_LEFT",
    "BS_LEFTTEXT",
    "BS_MULTILINE",
    "BS_NOTIFY",
    "BS_PUSHBUTTON",
    "BS_RADIOBUTTON",
    "BS_RIGHT",
    "BS_TOP",
    "BS_VCENTER",
    "CBS_AUTOHSCROLL",
    "CBS_DISABLENOSCROLL",
    "CBS_DROPDOWN",
    "CBS_DROPDOWNLIST",
    "CBS_HASSTRINGS",
    "CBS_LOWERCASE",
    "CBS_NOINTEGRALHEIGHT",
    "CBS_OEMCONVERT",
    "CBS_SIMPLE",
    "CBS_SORT",
    "CBS_UPPERCASE",
    "DS_3DLOOK",
    "DS_ABSALIGN",
    "DS_CENTER",
    "DS_CENTERMOUSE",
    "DS_CONTEXTHELP",
    "DS_CONTROL",
    "DS_FIXEDSYS",
    "DS_LOCALEDIT",
    "DS_MODALFRAME",
    "DS_NOFAILCREATE",
    "DS_NOIDLEMSG",
    "DS_SETFONT",
    "DS_SETFOREGROUND",
    "DS_SHELLFONT",
    "DS_SYSMODAL",
    "ES_AUTOHSCROLL",
    "ES_AUTOVSCROLL",
    "ES_CENTER",
    "ES_LEFT",
    "ES_LOWERCASE",
    "ES_MULTILINE",
    "ES_NOHIDESEL",
    "ES_NUMBER",
    "ES_OEMCONVERT",
    "ES_PASSWORD",
    "ES_READONLY",
    "ES_RIGHT",
    "ES_UPPERCASE",
    "ES_WANTRETURN",
    "LVS_ALIGNLEFT",
    "LVS_ALIGNTOP",
    "LVS_AUTOARRANGE",
    "LVS_EDITLABELS",
    "LVS_ICON",
    "LVS_LIST",
    "LVS_NOCOLUMNHEADER",
    "LVS_NOLABELWRAP",
    "LVS_NOSCROLL",
    "LVS_NOSORTHEADER",
    "LVS_OWNERDATA",
    "LVS_OWNERDRAWFIXED",
    "LVS_REPORT",
    "LVS_SHAREIMAGELISTS",
    "LVS_SHOWSELALWAYS",
    "LVS_SINGLESEL",
    "LVS_SMALLICON",
    "LVS_SORTASCENDING",
    "LVS_SORTDESCENDING",
    "SS_BITMAP",
    "SS_BLACKFRAME",
    "SS_CENTER",
    "SS_CENTERIMAGE",
    "SS_ETCHEDFRAME",
    "SS_ETCHEDHORZ",
    "SS_ETCHEDVERT",
    "SS_ICON",
    "SS_LEFT",
    "SS_LEFTNOWORDWRAP",
    "SS_NOPREFIX",
    "SS_NOTIFY",
    "SS_REALSIZEIMAGE",
    "SS_RIGHT",
    "SS_SIMPLE",
    "SS_SUNKEN",
    "WS_BORDER",
    "WS_CAPTION",
    "WS_CHILD",
    "WS_CLIPCHILDREN",
    "WS_CLIPSIBLINGS",
    "WS_DISABLED",
    "WS_DLGFRAME",
    "WS_EX_ACCEPTFILES",
    "WS_EX_APPWINDOW",
    "WS_EX_CLIENTEDGE",
    "WS_EX_CONTEXTHELP",
    "WS_EX_CONTROLPARENT",
    "WS_EX_DLGMODALFRAME",
    "WS_EX_NOPARENTNOTIFY",
    "WS_EX_STATICEDGE",
    "WS_EX_TOOLWINDOW",
    "WS_EX_TOPMOST",
    "WS_EX_TRANSPARENT",
    "WS_EX_WINDOWEDGE",
    "WS_GROUP",
    "WS_HSCROLL",
    "WS_MAXIMIZE",
    "WS_MAXIMIZEBOX",
    "WS_MINIMIZE",
    "WS_MINIMIZEBOX",
    "WS_OVERLAPPED",
    "WS_POPUP",
    "WS_SYSMENU",
    "WS_TABSTOP",
    "WS_THICKFRAME",
    "WS_VISIBLE",
    "WS_VSCROLL",
};

bool IsKnownStyle(std::string_view name)
{
    return std::binary_search(std::begin(kKnownStyles), std::end(kKnownStyles), name);
}

struct Token {
    enum Kind { End, Word, Number, String, Punct } kind = End;
    std::string text;
    long number = 0;
    int line = 0;
};

class Lexer {
public:
    explicit Lexer(std::string_view src) : m_src(src) {}

    Token Next()
    {
        SkipBlanks();
        Token t;
        t.line = m_line;
        if (m_pos >= m_src.size()) return t;
        const char c = m_src[m_pos];
        if (c == '"') {
            t.kind = Token::String;
            ++m_pos;
            while (m_pos < m_src.size()) {
                const char d = m_src[m_pos++];
                if (d == '"') {
                    if (m_pos < m_src.size() && m_src[m_pos] == '"') {
                        t.text += '"';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                if (d == '\\' && m_pos < m_src.size()) {
                    const char e = m_src[m_pos++];
                    t.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    continue;
                }
                if (d == '\n') ++m_line;
                t.text += d;
            }
            return t;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) ||
            (c == '-' && m_pos + 1 < m_src.size() && std::isdigit(static_cast<unsigned char>(m_src[m_pos + 1])))) {
            t.kind = Token::Number;
            const std::size_t start = m_pos;
            ++m_pos;
            while (m_pos < m_src.size() && std::isalnum(static_cast<unsigned char>(m_src[m_pos]))) ++m_pos;
            t.text = std::string(m_src.substr(start, m_pos - start));
            t.number = std::strtol(t.text.c_str(), nullptr, 0);
            return t;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            t.kind = Token::Word;
            const std::size_t start = m_pos;
            while (m_pos < m_src.size() &&
                   (std::isalnum(static_cast<unsigned char>(m_src[m_pos])) || m_src[m_pos] == '_'))
                ++m_pos;
            t.text = std::string(m_src.substr(start, m_pos - start));
            return t;
        }
        t.kind = Token::Punct;
        t.text = std::string(1, c);
        ++m_pos;
        return t;
    }

private:
    void SkipBlanks()
    {
        bool lineStart = m_pos == 0 || m_src[m_pos - 1] == '\n';
        while (m_pos < m_src.size()) {
            const char c = m_src[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
                lineStart = true;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (c == '/' && m_src.substr(m_pos, 2) == "//") {
                while (m_pos < m_src.size() && m_src[m_pos] != '\n') ++m_pos;
            } else if (c == '#' && lineStart) {  // preprocessor lines: the ids come from the header
                while (m_pos < m_src.size() && m_src[m_pos] != '\n') ++m_pos;
            } else {
                return;
            }
        }
    }

    std::string_view m_src;
    std::size_t m_pos = 0;
    int m_line = 1;
};

}  // namespace

class ResourceScriptParser {
public:
    ResourceScriptParser(ResourceScript& out, std::string_view src) : m_out(out), m_lex(src) { Advance(); }

    bool Run(std::string& error)
    {
        while (m_tok.kind != Token::End && m_error.empty()) Statement();
        error = m_error;
        return m_error.empty();
    }

private:
    void Advance() { m_tok = m_lex.Next(); }
    void Fail(const std::string& what)
    {
        if (m_error.empty()) m_error = "line " + std::to_string(m_tok.line) + ": " + what;
        m_tok.kind = Token::End;
    }
    bool IsWord(std::string_view w) const { return m_tok.kind == Token::Word && m_tok.text == w; }
    void Expect(std::string_view w)
    {
        if (m_tok.text != w)
            Fail("expected " + std::string(w));
        else
            Advance();
    }
    void SkipComma()
    {
        if (m_tok.kind == Token::Punct && m_tok.text == ",") Advance();
    }
    long Value()
    {
        long v = 0;
        if (m_tok.kind == Token::Number) {
            v = m_tok.number;
        } else if (m_tok.kind == Token::Word) {
            const auto it = m_out.m_symbols.find(m_tok.text);
            if (it == m_out.m_symbols.end()) {
                Fail("unknown symbol " + m_tok.text);
                return 0;
            }
            v = it->second;
        } else {
            Fail("expected a number");
            return 0;
        }
        Advance();
        return v;
    }
    std::string Text()
    {
        if (m_tok.kind != Token::String) {
            Fail("expected a text");
            return {};
        }
        std::string s = m_tok.text;
        Advance();
        return s;
    }
    // A style expression: names joined by '|', NOT removing a name.
    std::set<std::string> Styles()
    {
        std::set<std::string> styles;
        for (;;) {
            bool negate = false;
            if (IsWord("NOT")) {
                negate = true;
                Advance();
            }
            if (m_tok.kind == Token::Word) {
                if (!IsKnownStyle(m_tok.text)) {
                    Fail("unknown style " + m_tok.text);
                    break;
                }
                if (negate)
                    styles.erase(m_tok.text);
                else
                    styles.insert(m_tok.text);
                Advance();
            } else if (m_tok.kind == Token::Number) {
                Advance();
            } else {
                Fail("expected a style");
                break;
            }
            if (m_tok.kind == Token::Punct && m_tok.text == "|")
                Advance();
            else
                break;
        }
        return styles;
    }
    bool AtStyle() const { return m_tok.kind == Token::Punct && m_tok.text == ","; }
    void Rect(ControlTemplate& c)
    {
        c.x = static_cast<int>(Value());
        SkipComma();
        c.y = static_cast<int>(Value());
        SkipComma();
        c.cx = static_cast<int>(Value());
        SkipComma();
        c.cy = static_cast<int>(Value());
    }

    void Statement()
    {
        if (IsWord("STRINGTABLE")) {
            Advance();
            Expect("BEGIN");
            while (!IsWord("END") && m_tok.kind != Token::End) {
                const int id = static_cast<int>(Value());
                SkipComma();
                m_out.m_strings[id] = Text();
            }
            Expect("END");
            return;
        }
        const int id = static_cast<int>(Value());
        if (IsWord("DIALOG") || IsWord("DIALOGEX")) {
            Advance();
            Dialog(id);
        } else if (IsWord("MENU")) {
            Advance();
            Menu(id);
        } else if (IsWord("BITMAP")) {
            Advance();
            m_out.m_bitmaps[id] = Text();
        } else if (IsWord("ICON")) {
            Advance();
            m_out.m_icons[id] = Text();
        } else if (IsWord("DLGINIT")) {
            Advance();
            auto& dlg = m_out.m_dialogs[id];
            Expect("BEGIN");
            while (!IsWord("END") && m_tok.kind != Token::End) {
                const int control = static_cast<int>(Value());
                SkipComma();
                dlg.initialStrings[control].push_back(Text());
                SkipComma();
            }
            Expect("END");
        } else {
            Fail("unknown resource kind " + m_tok.text);
        }
    }

    void Dialog(int id)
    {
        DialogTemplate& d = m_out.m_dialogs[id];
        d.id = id;
        d.x = static_cast<int>(Value());
        SkipComma();
        d.y = static_cast<int>(Value());
        SkipComma();
        d.cx = static_cast<int>(Value());
        SkipComma();
        d.cy = static_cast<int>(Value());
        bool bStyled = false;
        while (!IsWord("BEGIN") && m_tok.kind != Token::End) {
            if (IsWord("STYLE") || IsWord("EXSTYLE")) {
                bStyled = bStyled || IsWord("STYLE");
                Advance();
                for (const auto& s : Styles()) d.styles.insert(s);
            } else if (IsWord("CAPTION")) {
                Advance();
                d.caption = Text();
                d.styles.insert("WS_CAPTION");  // a caption comes with its bar
            } else if (IsWord("MENU")) {
                Advance();
                d.menuId = static_cast<int>(Value());
            } else if (IsWord("FONT")) {
                Advance();
                d.fontPoints = static_cast<int>(Value());
                SkipComma();
                d.fontName = Text();
                while (AtStyle()) {
                    Advance();
                    Value();
                }
            } else {
                Fail("unknown dialog option " + m_tok.text);
            }
        }
        // A dialog without a STYLE statement is a popup with a border and a
        // system menu, as the resource compiler of the templates' platform has it.
        if (!bStyled) d.styles.insert({"WS_POPUP", "WS_BORDER", "WS_SYSMENU"});
        Expect("BEGIN");
        while (!IsWord("END") && m_tok.kind != Token::End) d.controls.push_back(Control());
        Expect("END");
    }

    ControlTemplate Control()
    {
        ControlTemplate c;
        const std::string keyword = m_tok.text;
        Advance();
        auto textIdRect = [&](ControlKind kind) {
            c.kind = kind;
            c.text = Text();
            SkipComma();
            c.id = static_cast<int>(Value());
            SkipComma();
            Rect(c);
            if (AtStyle()) {
                Advance();
                c.styles = Styles();
            }
        };
        if (keyword == "LTEXT" || keyword == "RTEXT" || keyword == "CTEXT") {
            textIdRect(ControlKind::Label);
        } else if (keyword == "GROUPBOX") {
            textIdRect(ControlKind::GroupBox);
        } else if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON") {
            textIdRect(ControlKind::PushButton);
            if (keyword == "DEFPUSHBUTTON") c.styles.insert("BS_DEFPUSHBUTTON");
        } else if (keyword == "AUTORADIOBUTTON") {
            textIdRect(ControlKind::RadioButton);
        } else if (keyword == "AUTOCHECKBOX") {
            textIdRect(ControlKind::CheckBox);
        } else if (keyword == "EDITTEXT" || keyword == "COMBOBOX") {
            c.kind = keyword == "EDITTEXT" ? ControlKind::Edit : ControlKind::ComboBox;
            c.id = static_cast<int>(Value());
            SkipComma();
            Rect(c);
            if (AtStyle()) {
                Advance();
                c.styles = Styles();
            }
        } else if (keyword == "ICON") {
            c.kind = ControlKind::Icon;
            c.iconId = static_cast<int>(Value());
            SkipComma();
            c.id = static_cast<int>(Value());
            SkipComma();
            c.x = static_cast<int>(Value());
            SkipComma();
            c.y = static_cast<int>(Value());
            while (AtStyle()) {
                Advance();
                Value();
            }
        } else if (keyword == "CONTROL") {
            c.text = Text();
            SkipComma();
            c.id = static_cast<int>(Value());
            SkipComma();
            const std::string cls = Text();
            SkipComma();
            c.styles = Styles();
            SkipComma();
            Rect(c);
            if (cls == "SysListView32")
                c.kind = ControlKind::ListView;
            else if (c.HasStyle("BS_AUTORADIOBUTTON"))
                c.kind = ControlKind::RadioButton;
            else if (c.HasStyle("BS_AUTOCHECKBOX"))
                c.kind = ControlKind::CheckBox;
            else if (cls == "Button")
                c.kind = ControlKind::PushButton;
            else
                Fail("unknown control class " + cls);
        } else {
            Fail("unknown control " + keyword);
        }
        return c;
    }

    void Menu(int id)
    {
        MenuTemplate& menu = m_out.m_menus[id];
        menu.id = id;
        Expect("BEGIN");
        while (!IsWord("END") && m_tok.kind != Token::End) menu.popups.push_back(MenuItem());
        Expect("END");
    }

    MenuItemTemplate MenuItem()
    {
        MenuItemTemplate item;
        if (IsWord("POPUP")) {
            Advance();
            item.popup = true;
            item.text = Text();
            Expect("BEGIN");
            while (!IsWord("END") && m_tok.kind != Token::End) item.children.push_back(MenuItem());
            Expect("END");
        } else if (IsWord("MENUITEM")) {
            Advance();
            if (IsWord("SEPARATOR")) {
                Advance();
                item.separator = true;
            } else {
                item.text = Text();
                SkipComma();
                item.id = static_cast<int>(Value());
            }
        } else {
            Fail("expected POPUP or MENUITEM");
        }
        return item;
    }

    ResourceScript& m_out;
    Lexer m_lex;
    Token m_tok;
    std::string m_error;
};

bool ResourceScript::Parse(std::string_view header, std::string_view script, std::string& error)
{
    // #define NAME VALUE
    std::size_t pos = 0;
    while (pos < header.size()) {
        std::size_t end = header.find('\n', pos);
        if (end == std::string_view::npos) end = header.size();
        std::string_view line = header.substr(pos, end - pos);
        pos = end + 1;
        if (line.substr(0, 7) != "#define") continue;
        Lexer lex(line.substr(7));
        const Token name = lex.Next();
        const Token value = lex.Next();
        if (name.kind == Token::Word && value.kind == Token::Number) m_symbols[name.text] = value.number;
    }
    m_symbols["IDOK"] = 1;
    m_symbols["IDCANCEL"] = 2;
    m_symbols["IDC_STATIC"] = -1;
    ResourceScriptParser parser(*this, script);
    return parser.Run(error);
}

const DialogTemplate* ResourceScript::FindDialog(int id) const
{
    const auto it = m_dialogs.find(id);
    return it == m_dialogs.end() || it->second.id != id ? nullptr : &it->second;
}

const MenuTemplate* ResourceScript::FindMenu(int id) const
{
    const auto it = m_menus.find(id);
    return it == m_menus.end() ? nullptr : &it->second;
}

std::string ResourceScript::LoadString(int id) const
{
    const auto it = m_strings.find(id);
    return it == m_strings.end() ? std::string() : it->second;
}

std::string ResourceScript::BitmapFile(int id) const
{
    const auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? std::string() : it->second;
}

std::string ResourceScript::IconFile(int id) const
{
    const auto it = m_icons.find(id);
    return it == m_icons.end() ? std::string() : it->second;
}

bool ResourceScript::FindSymbol(const std::string& name, long& value) const
{
    const auto it = m_symbols.find(name);
    if (it == m_symbols.end()) return false;
    value = it->second;
    return true;
}

namespace {
std::map<std::string, std::string_view>& Files()
{
    static std::map<std::string, std::string_view> files;
    return files;
}
ResourceScript& Script()
{
    static ResourceScript script;
    return script;
}
}  // namespace

void AfxRegisterResourceFile(const std::string& name, std::string_view bytes) { Files()[name] = bytes; }

bool AfxLoadResources(std::string& error)
{
    // Every registered header gives ids; every registered script is read, in
    // name order, into the one set of resources.
    Script() = ResourceScript();
    std::string headers;
    for (const auto& [name, bytes] : Files())
        if (name.size() > 2 && name.substr(name.size() - 2) == ".h") headers.append(bytes).append("\n");
    bool anyScript = false;
    for (const auto& [name, bytes] : Files()) {
        if (name.size() <= 3 || name.substr(name.size() - 3) != ".rc") continue;
        anyScript = true;
        std::string scriptError;
        if (!Script().Parse(headers, bytes, scriptError)) {
            error = name + ": " + scriptError;
            return false;
        }
    }
    if (!anyScript) error = "no resource script registered";
    return anyScript;
}

const ResourceScript& AfxGetResources() { return Script(); }

std::string_view AfxGetResourceFile(const std::string& name)
{
    const auto it = Files().find(name);
    return it == Files().end() ? std::string_view() : it->second;
}
