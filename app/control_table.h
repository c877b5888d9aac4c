#pragma once

// A window's controls as data: one row per control, turned into widgets by BuildControls.
// Rectangles are in twips from the top-left corner of the client area; 15 twips make one
// device-independent pixel.

#include "app/palette.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <span>

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
    const char* text; // caption or initial text, UTF-8
    TwipsRect rect;
    ControlFont font = ControlFont::Bold825;
    std::optional<Rgb> fill = std::nullopt;       // background, field fill or button face
    std::optional<Rgb> textColour = std::nullopt; // caption or text colour
};

QRect TwipsToPixels(const TwipsRect& rect);
QFont MakeFont(ControlFont font);

// Makes a Custom row's widget, child of parent; geometry, font and colours are applied after.
using CustomControlFactory = std::function<QWidget*(const ControlRow& row, QWidget* parent)>;

// Creates the rows' controls as children of window, each named after its row, placed at its
// rectangle, with its font, text and colours. The window gets its client size and its name.
void BuildWindow(QWidget& window, const char* name, int clientWidthTwips, int clientHeightTwips,
                 std::span<const ControlRow> rows, const CustomControlFactory& makeCustom = {});

// A control that BuildWindow made, found once by its name, for a window to keep as a typed
// member. Every name a window binds is in its table, so the control is always there.
template <class Control> Control& BoundControl(const QWidget& window, const char* name) {
    return *window.findChild<Control*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
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

// The text colour of a field or caption, as a command sets it.
void SetTextColour(QWidget& control, Rgb colour);

} // namespace app
