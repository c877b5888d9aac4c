// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plot_menu.h"

#include "plot/measuring_frame.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace plot {

PlotMenu::PlotMenu(QWidget& owner, std::function<bool()> hasPlot)
    : menu_(*new QMenu(&owner)), hasPlot_(std::move(hasPlot)) {}

QAction& PlotMenu::Add(const QString& text, std::function<void()> act) {
    QAction& action = *menu_.addAction(text);
    QObject::connect(&action, &QAction::triggered, &menu_, [this, act = std::move(act)] {
        if (hasPlot_())
            act();
    });
    return action;
}

QAction& PlotMenu::AddSetting(const QString& text) {
    QAction& action = *menu_.addAction(text);
    settings_.push_back(&action);
    return action;
}

void PlotMenu::AddSeparator() { menu_.addSeparator(); }

namespace {

// The menu's keys on a plot with the focus, turned into a request for its menu.
class MenuKeys : public QObject {
public:
    explicit MenuKeys(QWidget& plot) : QObject(&plot), plot_(plot) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() != Qt::Key_Menu &&
            !(key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier))
            return false;
        const auto* frame = qobject_cast<const MeasuringFrame*>(&plot_);
        emit plot_.customContextMenuRequested(frame ? frame->MenuPosition()
                                                    : plot_.rect().center());
        return true;
    }

private:
    QWidget& plot_;
};

} // namespace

void PlotMenu::OpenOn(QWidget& plot, std::function<void()> before) {
    plot.setContextMenuPolicy(Qt::CustomContextMenu);
    plot.installEventFilter(new MenuKeys(plot));
    QObject::connect(&plot, &QWidget::customContextMenuRequested, &menu_,
                     [this, &plot, before = std::move(before)](QPoint position) {
                         if (before)
                             before();
                         Open(plot, position);
                     });
}

void PlotMenu::Open(QWidget& plot, QPoint position) {
    const bool shows = hasPlot_();
    for (QAction* action : menu_.actions())
        if (std::find(settings_.begin(), settings_.end(), action) == settings_.end())
            action->setEnabled(shows);
    menu_.popup(plot.mapToGlobal(position));
}

} // namespace plot
