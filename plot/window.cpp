// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/window.h"

#include <QAbstractButton>
#include <QFrame>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace plot {

void BringForward(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

QSize FittedSize(QSize wanted, const QRect& available) {
    return wanted.boundedTo(available.size());
}

void ScrollWhenSmall(QWidget& window, QWidget& content, QWidget* menuBar) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (menuBar)
        layout->setMenuBar(menuBar);
    auto* area = new QScrollArea(&window);
    area->setObjectName(window.objectName() + QStringLiteral("Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // the tab order goes from control to control, scrolling
    area->setWidgetResizable(false);
    area->setWidget(&content);
    layout->addWidget(area);
    const QSize whole(content.width(),
                      content.height() + (menuBar ? menuBar->sizeHint().height() : 0));
    window.resize(window.screen() ? FittedSize(whole, window.screen()->availableGeometry()) : whole);
}

void ScrollControlsWhenSmall(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* next = window.nextInFocusChain(); next && next != &window;
         next = next->nextInFocusChain())
        if (next->parentWidget() == &window && !next->isWindow())
            controls << next;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && !controls.contains(child))
            controls << child;
    auto* content = new QWidget(&window);
    content->setObjectName(window.objectName() + QStringLiteral("Content"));
    content->resize(window.size());
    for (QWidget* control : controls) {
        const QRect place = control->geometry();
        const bool shown = !control->isHidden();
        control->setParent(content);
        control->setGeometry(place);
        control->setVisible(shown);
    }
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
    ScrollWhenSmall(window, *content);
}

std::optional<QPoint> PlaceClearOf(const QRect& keepClear, QSize frame, const QRect& available) {
    if (frame.width() > available.width() || frame.height() > available.height())
        return std::nullopt;
    const int top = std::clamp(keepClear.top(), available.top(), available.bottom() + 1 - frame.height());
    const int left =
        std::clamp(keepClear.left(), available.left(), available.right() + 1 - frame.width());
    const QPoint tries[] = {{keepClear.right() + 1, top},
                            {keepClear.left() - frame.width(), top},
                            {left, keepClear.bottom() + 1},
                            {left, keepClear.top() - frame.height()}};
    for (const QPoint& at : tries)
        if (available.contains(QRect(at, frame)))
            return at;
    return std::nullopt;
}

void PlaceBesideButtons(QWidget& window, const QWidget& main) {
    if (!main.isVisible() || !main.screen())
        return;
    QRect buttons;
    for (const QAbstractButton* button : main.findChildren<QAbstractButton*>())
        if (button->isVisible())
            buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    buttons &= main.frameGeometry(); // those scrolled out of sight are not in the way
    if (buttons.isEmpty())
        return;
    // The window's frame is not known before it shows; the main window's stands for it.
    const QSize frameMargins = main.frameGeometry().size() - main.geometry().size();
    const std::optional<QPoint> at =
        PlaceClearOf(buttons, window.size() + frameMargins, main.screen()->availableGeometry());
    if (at)
        window.move(*at);
}

} // namespace plot
