// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/control_table.h"

#include "app/images.h"
#include "app/text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QColor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

namespace app {

namespace {

constexpr int kTwipsPerPixel = 15;

// The text of a disabled control on a light fill of the program's, under a dark palette whose
// own disabled grey is too light to read there.
constexpr Rgb kDisabledOnFill = MakeRgb(110, 110, 110);

// A push button that Enter and Return press as well as the space bar, as desktop programs do;
// none is a dialog's default button.
class EnterButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// "MS Sans Serif" and "Symbol" are not on Linux; Liberation Sans stands in for both (the
// Greek capital delta is written as the letter itself). Sizes are in pixels, as the layout
// is: at 96 dots per inch 8.25 pt is 11 px, 9.75 pt 13 px and 18 pt 24 px.
constexpr char kFontFamily[] = "Liberation Sans";

QWidget* MakeControl(const ControlRow& row, QWidget* parent, const CustomControlFactory& makeCustom,
                     QButtonGroup*& options) {
    const QString text = Text::tr(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::TextBox: {
        auto* field = new QLineEdit(text, parent);
        field->setMaxLength(std::numeric_limits<int>::max());
        return field;
    }
    case ControlKind::PushButton: {
        auto* button = new EnterButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(text, parent);
        if (!options) {
            options = new QButtonGroup(parent);
            options->setExclusive(true);
        }
        options->addButton(option);
        return option;
    }
    case ControlKind::PictureBox: {
        auto* picture = new QLabel(parent);
        picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case ControlKind::Custom:
        return makeCustom(row, parent);
    }
    return nullptr;
}

// A face in exactly the colour given, with the raised border of a classic push button.
QString ButtonFaceStyle(Rgb face) {
    return QStringLiteral("QPushButton { background-color: %1; border: 2px outset %2; }"
                          "QPushButton:pressed { border-style: inset; }")
        .arg(QColor::fromRgb(face).name(), QColor::fromRgb(face).darker(130).name());
}

void ApplyColours(QWidget& control, const ControlRow& row) {
    if (row.fill && row.kind == ControlKind::PushButton)
        control.setStyleSheet(ButtonFaceStyle(*row.fill));
    if (row.fill) {
        QPalette palette = control.palette();
        const QColor fill = QColor::fromRgb(*row.fill);
        palette.setColor(QPalette::Window, fill);
        palette.setColor(QPalette::Base, fill);
        palette.setColor(QPalette::Button, fill);
        // The fill is the program's own, so is the text on it: black where the row names no
        // colour, whatever the palette's text (a dark palette's white would vanish). Disabled, a
        // light palette's grey stays; a dark palette's light grey would vanish on the light fill,
        // and gives way to a mid grey.
        const QColor black = QColor::fromRgb(kPaletteBlack);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (const QPalette::ColorRole role :
                 {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
                palette.setColor(group, role, black);
        if (QApplication::palette(&control).color(QPalette::Window).lightness() < 128)
            for (const QPalette::ColorRole role :
                 {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
                palette.setColor(QPalette::Disabled, role, QColor(kDisabledOnFill));
        control.setPalette(palette);
        control.setAutoFillBackground(row.kind == ControlKind::Label);
    }
    if (row.textColour)
        SetTextColour(control, *row.textColour);
}

} // namespace

QRect TwipsToPixels(const TwipsRect& rect) {
    return QRect(rect.left / kTwipsPerPixel, rect.top / kTwipsPerPixel, rect.width / kTwipsPerPixel,
                 rect.height / kTwipsPerPixel);
}

QFont MakeFont(ControlFont font) {
    QFont made(QString::fromLatin1(kFontFamily));
    made.setStyleHint(QFont::SansSerif);
    switch (font) {
    case ControlFont::Bold825:
        made.setPixelSize(11);
        made.setBold(true);
        break;
    case ControlFont::Regular825:
        made.setPixelSize(11);
        break;
    case ControlFont::Bold975:
        made.setPixelSize(13);
        made.setBold(true);
        break;
    case ControlFont::Bold18:
        made.setPixelSize(24);
        made.setBold(true);
        break;
    }
    return made;
}

void SetTextColour(QWidget& control, Rgb colour) {
    QPalette palette = control.palette();
    // A background the control's own palette sets is a fill of the program's.
    const QPalette::ColorRole backgroundRole = control.backgroundRole();
    const bool onFill = palette.isBrushSet(QPalette::Active, backgroundRole);
    const Rgb background = palette.color(backgroundRole).rgb();
    const QPalette::ColorRole roles[] = {QPalette::Text, QPalette::WindowText,
                                         QPalette::ButtonText};
    // Black on a dark window is the palette's own text, as every caption there is.
    if (!onFill && colour == kPaletteBlack && ReadableOn(colour, background) != colour) {
        const QPalette own = QApplication::palette(&control);
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (const QPalette::ColorRole role : roles)
                palette.setColor(group, role, own.color(group, role));
        control.setPalette(palette);
        return;
    }
    const QColor text = QColor::fromRgb(onFill ? ReadableOnFill(colour, background)
                                               : ReadableOn(colour, background));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    control.setPalette(palette);
}

void SetResultText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleDescription(text);
}

void BuildWindow(QWidget& window, const char* name, int clientWidthTwips, int clientHeightTwips,
                 std::span<const ControlRow> rows, const CustomControlFactory& makeCustom) {
    window.setObjectName(QString::fromLatin1(name));
    window.resize(clientWidthTwips / kTwipsPerPixel, clientHeightTwips / kTwipsPerPixel);
    window.setWindowIcon(VelmaroIcon());
    QButtonGroup* options = nullptr;
    for (const ControlRow& row : rows) {
        QWidget* control = MakeControl(row, &window, makeCustom, options);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(TwipsToPixels(row.rect));
        control->setFont(MakeFont(row.font));
        ApplyColours(*control, row);
    }
}

void NameControls(QWidget& window, std::span<const NamingRow> rows) {
    const auto caption = [&](const char* label) {
        return BoundControl<QLabel>(window, label).text();
    };
    for (const NamingRow& row : rows) {
        QString name;
        for (const char* label : row.symbol)
            if (label)
                name += caption(label);
        if (row.unit)
            name += u' ' + caption(row.unit);
        BoundControl<QWidget>(window, row.control).setAccessibleName(name);
    }
}

BuiltControls::BuiltControls(const QWidget& window, std::span<const ControlRow> rows) {
    for (const ControlRow& row : rows)
        controls_.push_back(&BoundControl<QWidget>(window, row.name));
}

} // namespace app
