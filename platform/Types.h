#pragma once

#include <cstdint>

// The small vocabulary of the dialog framework that the program is written
// against: flags, results and colours.
using BOOL = int;
using UINT = unsigned int;
using INT_PTR = std::intptr_t;
using LRESULT = std::intptr_t;
using LPARAM = std::intptr_t;
using COLORREF = std::uint32_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// Command ids of the standard buttons and results of modal windows.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDC_STATIC = -1;

// Message box types: the plain OK box and two questions, whose buttons read
// "Da", "Nu" and "Anulare".
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;

// Notification codes routed through the message map.
constexpr UINT BN_CLICKED = 0;
constexpr UINT NM_DBLCLK = 0xFFFFFFFDu;  // (UINT)-3

// System command ids.
constexpr UINT SC_CLOSE = 0xF060;

// Menu flags for CMenu::AppendMenu.
constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_SEPARATOR = 0x800;

// List view extended styles and item states.
constexpr unsigned LVS_EX_GRIDLINES = 0x1;
constexpr unsigned LVS_EX_FULLROWSELECT = 0x20;
constexpr int LVCFMT_LEFT = 0;
constexpr unsigned LVNI_SELECTED = 0x2;

// Toolbar styles and states.
constexpr unsigned CCS_TOP = 0x1;
constexpr unsigned TBSTYLE_WRAPABLE = 0x200;
constexpr unsigned char TBSTATE_ENABLED = 0x4;
constexpr unsigned char TBSTYLE_BUTTON = 0x0;
constexpr unsigned char TBSTYLE_SEP = 0x1;
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;

// Open file dialog flags.
constexpr unsigned OFN_HIDEREADONLY = 0x4;
constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct CSize {
    int cx = 0, cy = 0;
};
