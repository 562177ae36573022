#pragma once
// The settings the item selection form hands the engine when its OK
// succeeds: everything the record writer and the extraction read. The
// engine never looks at the form's controls.
#include <string>
#include <string_view>
#include <vector>

namespace itempick {

// One selected item: its name and its output width, looked up in the
// available table as it stood at OK (0 for a name the table does not hold).
struct ItemChoice {
    std::string name;
    int width = 0;
    bool operator==(const ItemChoice&) const = default;
};

inline constexpr int kStandardPositions = 0;     // RadioPosFormat "Standard"
inline constexpr int kDecimalDegreePositions = 1; // RadioPosFormat "Decimal Degree"

struct Settings {
    // The selected items in output order (the selection table's filled
    // entries, one per Selected line; see Selection::choices).
    std::vector<ItemChoice> items;
    // The three delimiters, made from the boxes' texts by DelimiterFromText.
    char fieldDelim = '|';
    char descDelim = ' ';
    char lineDelim = '~';
    bool includeHeader = true;
    bool fixedField = false;
    bool singleLine = false;
    // RadioPosFormat's index: 0 Standard, 1 Decimal Degree (any other
    // value converts no position).
    int positionFormat = kStandardPositions;
    // The text of DecListBox's selected line: "10 decimals" .. "0 decimals",
    // or " " (no decimal-degree value at all).
    std::string decimals = "10 decimals";
    // RadioGroup2's index: 0 "West = +", 1 "West = -".
    int westSign = 0;
};

// The delimiter rule of OK: only the first character of the box's text
// counts; an empty text or a first 'N' gives a blank, a first 't' a TAB, any
// other first character is the delimiter ("NONE" blank, "tab" TAB, "|" bar,
// "Tab" 'T', "n" 'n').
char DelimiterFromText(std::string_view boxText);

} // namespace itempick
