// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The context menu of a plot: "Copia grafico", the copies a window adds, "Salva grafico…",
// "Salva dati…", and anything after them, in groups split by separators. It opens on a right
// click on the plot and, with the focus on a measuring frame (measuring_frame.h), on the Menu key
// and Shift+F10. While the plot shows nothing the entries that need a plot are disabled, and a
// triggered one does nothing.

#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace plot {

// The entries every plot's menu has.
inline constexpr char kCopyPicture[] = QT_TRANSLATE_NOOP("Velmaro", "Copia grafico");
inline constexpr char kSavePicture[] = QT_TRANSLATE_NOOP("Velmaro", "Salva grafico…");
inline constexpr char kSaveData[] = QT_TRANSLATE_NOOP("Velmaro", "Salva dati…");

class PlotMenu {
public:
    // A menu owned by owner (it goes with it); hasPlot answers whether the plot it was last
    // opened on shows something.
    PlotMenu(QWidget& owner, std::function<bool()> hasPlot);

    // An entry that acts on the plot, disabled while it shows nothing; or one that is always
    // enabled (the window's settings, such as the fit).
    QAction& Add(const QString& text, std::function<void()> act);
    QAction& AddSetting(const QString& text);
    void AddSeparator();

    // A right click on plot opens the menu there, and so do the Menu key and Shift+F10 with the
    // focus on plot: where the pointer last read on a measuring frame, otherwise in the middle.
    // before is called first (the window notes which plot it is on).
    void OpenOn(QWidget& plot, std::function<void()> before = {});
    // The menu at position of plot's coordinates, its entries enabled as the plot says.
    void Open(QWidget& plot, QPoint position);

    QMenu& Menu() const { return menu_; }

private:
    QMenu& menu_;
    std::function<bool()> hasPlot_;
    std::vector<QAction*> settings_; // enabled whatever the plot shows
};

} // namespace plot
