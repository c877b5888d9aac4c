// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window's controls as data: one row per control, turned into widgets by BuildControls.
// Rectangles are in twips from the top-left corner of the client area; 15 twips make one
// device-independent pixel.

#include "app/palette.h"

#include <QFont>
#include <QRect>
#include <QWidget>

class QLabel;

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace app {

enum class ControlKind {
    Label,        // static text on one line
    TextBox,      // single-line editable field, no length limit
    PushButton,   // face painted in the row's fill colour
    OptionButton, // radio button; those of one window form one group
    PictureBox,   // sunken box for a picture at natural size, top-left, clipped
    Custom,       // made by the window's own factory
};

enum class ControlFont {
    Bold825,    // the standard: 8.25 pt bold
    Regular825, // 8.25 pt, not bold
    Bold975,    // 9.75 pt bold
    Bold18,     // 18 pt bold
};

struct TwipsRect {
    int left, top, width, height;
};

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* text; // caption or initial text, UTF-8, marked for translation
    TwipsRect rect;
    ControlFont font = ControlFont::Bold825;
    std::optional<Rgb> fill = std::nullopt;       // background, field fill or button face
    std::optional<Rgb> textColour = std::nullopt; // caption or text colour
};

// Whether two texts of the tables are the same, also at compile time.
constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// A name of a window's table, of any kind, checked when the program is compiled: the tables that
// relate a window's controls to one another (the keyboard's walk, the names a screen reader
// reads) write their names so, and a name that is not in the table does not compile.
template <const auto& Rows> consteval const char* CheckedName(const char* name) {
    for (const ControlRow& row : Rows)
        if (SameText(row.name, name))
            return row.name;
    throw "not a control of the window's table";
}

QRect TwipsToPixels(const TwipsRect& rect);
QFont MakeFont(ControlFont font);

// Makes a Custom row's widget, child of parent; geometry, font and colours are applied after.
using CustomControlFactory = std::function<QWidget*(const ControlRow& row, QWidget* parent)>;

// Creates the rows' controls as children of window, each named after its row, placed at its
// rectangle, with its font, text and colours. The window gets its client size and its name.
void BuildWindow(QWidget& window, const char* name, int clientWidthTwips, int clientHeightTwips,
                 std::span<const ControlRow> rows, const CustomControlFactory& makeCustom = {});

// A control of a window's table, named as the code names it: a name that is not in the table,
// or whose row is not of one of the kinds asked for, does not compile. Rows is the table.
template <const auto& Rows, ControlKind... Kinds> class ControlName {
public:
    consteval ControlName(const char* name) : index_(IndexOf(name)) {}

    std::size_t Index() const { return index_; }
    constexpr const char* Name() const { return Rows[index_].name; }
    friend bool operator==(ControlName a, ControlName b) { return a.index_ == b.index_; }

private:
    static consteval std::size_t IndexOf(const char* name) {
        for (std::size_t i = 0; i < std::size(Rows); ++i)
            if (SameText(Rows[i].name, name) && ((Rows[i].kind == Kinds) || ...))
                return i;
        throw "not a control of this kind in the window's table";
    }

    std::size_t index_;
};

// The widgets BuildWindow made for a table, one per row in the table's order, found once when the
// window is built: if one were missing the program would stop then, at start-up, never later.
class BuiltControls {
public:
    BuiltControls(const QWidget& window, std::span<const ControlRow> rows);

    // The control of a name checked against the same table; Control must suit the row's kind.
    template <class Control, const auto& Rows, ControlKind... Kinds>
    Control& Get(ControlName<Rows, Kinds...> name) const {
        return static_cast<Control&>(*controls_[name.Index()]);
    }

private:
    std::vector<QWidget*> controls_;
};

// A control that BuildWindow made, found once by its name, for a window to keep as a typed
// member: the program stops at once when the name is not one of the window's, before any of
// its slots can run.
template <class Control> Control& BoundControl(const QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!control)
        qFatal("%s has no control %s of the kind asked for", qPrintable(window.objectName()), name);
    return *control;
}
// The same for a name checked against the window's table.
template <class Control, const auto& Rows, ControlKind... Kinds>
Control& BoundControl(const QWidget& window, ControlName<Rows, Kinds...> name) {
    return BoundControl<Control>(window, name.Name());
}

// The labels that name a control for a screen reader, as the window shows them beside it: the
// labels of its symbol written together ("Δ" and "Vo" make "ΔVo"), then its unit or its
// description after a space.
struct NamingRow {
    const char* control;
    std::array<const char*, 2> symbol; // the second may be left out
    const char* unit = nullptr;        // may be left out
};

// Gives each row's control the accessible name its labels make, from their texts as shown.
void NameControls(QWidget& window, std::span<const NamingRow> rows);

// The text colour of a field or caption, as a command sets it, made to read where it lies: on a
// fill of the program's darkened as far as needed (ReadableOnFill), on the palette's background
// lightened where that is dark (ReadableOn).
void SetTextColour(QWidget& control, Rgb colour);

// The value a result label shows; its accessible name says what it holds, and the value is its
// description for a screen reader.
void SetResultText(QLabel& label, const QString& text);

} // namespace app
