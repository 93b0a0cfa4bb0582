#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The program's resources arrive as a resource script (dialog templates,
// menus, the string table, initial combo-box data and the names of bitmaps
// and icons) with a header of #define'd ids, plus the files the script names.
// This is the framework's resource compiler: it reads them once at start-up.

enum class ControlKind { Label, GroupBox, PushButton, CheckBox, RadioButton, Edit, ComboBox, ListView, Icon };

struct ControlTemplate {
    ControlKind kind = ControlKind::Label;
    int id = -1;
    std::string text;                  // ANSI
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::set<std::string> styles;      // style names as written, e.g. "ES_MULTILINE"
    int iconId = 0;                    // for Icon
    bool HasStyle(std::string_view name) const { return styles.count(std::string(name)) != 0; }
};

struct DialogTemplate {
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    int fontPoints = 8;
    int menuId = 0;
    std::set<std::string> styles;
    std::vector<ControlTemplate> controls;
    std::map<int, std::vector<std::string>> initialStrings;  // combo id -> items
    bool HasStyle(std::string_view name) const { return styles.count(std::string(name)) != 0; }
};

struct MenuItemTemplate {
    std::string text;  // empty for a separator
    int id = 0;
    bool separator = false;
    std::vector<MenuItemTemplate> children;  // for a popup
    bool popup = false;
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuItemTemplate> popups;
};

class ResourceScript {
public:
    // Parses `header` (#define NAME VALUE lines) and `script`, adding to what
    // earlier scripts gave. On an error, returns false and says where in `error`.
    bool Parse(std::string_view header, std::string_view script, std::string& error);

    const DialogTemplate* FindDialog(int id) const;
    const MenuTemplate* FindMenu(int id) const;
    std::string LoadString(int id) const;
    std::string BitmapFile(int id) const;
    std::string IconFile(int id) const;
    // The value of a #define'd id of the header, e.g. "ID_TB_SEARCH"; false
    // when the header has no such name.
    bool FindSymbol(const std::string& name, long& value) const;

private:
    std::map<std::string, long> m_symbols;
    std::map<int, DialogTemplate> m_dialogs;
    std::map<int, MenuTemplate> m_menus;
    std::map<int, std::string> m_strings;
    std::map<int, std::string> m_bitmaps;
    std::map<int, std::string> m_icons;

    friend class ResourceScriptParser;
};

// The registry of the running program's resources.
void AfxRegisterResourceFile(const std::string& name, std::string_view bytes);
// Parses the registered scripts ("*.rc") with the ids of the registered
// headers ("*.h"); false (with the reason) on error.
bool AfxLoadResources(std::string& error);
const ResourceScript& AfxGetResources();
// Bytes of a registered file (a bitmap or icon named by the script); empty if none.
std::string_view AfxGetResourceFile(const std::string& name);
