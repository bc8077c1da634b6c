// Mouse input as a person gives it: presses and clicks of a button on what shows on the table,
// delivered through the toolkit's own event path. A press reaches a control only where it shows
// (on the table, not covered by another control); a press on anything else fails the test.
#pragma once

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "window/controls.h"
#include "window/window.h"

namespace testing_support {

// The widget that takes a control's mouse events: a text box's viewport, or the control itself.
inline QWidget* mouse_target(const ui::BoxedControl& control) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control.widget())) return area->viewport();
    return control.widget();
}

// The table a widget lies on, and the control of the table that holds it.
inline QWidget* table_of(QWidget* w) {
    while (w && !dynamic_cast<ui::TableWidget*>(w)) w = w->parentWidget();
    return w;
}
inline QWidget* control_of(QWidget* w) {
    while (w && w->parentWidget() && !dynamic_cast<ui::TableWidget*>(w->parentWidget())) w = w->parentWidget();
    return w;
}

// What a press at a point of the table reaches on screen: the topmost shown control there (one
// that lets presses through does not count), the table itself (nullptr), or nothing at all
// outside the window's client area.
inline std::optional<QWidget*> hit(QWidget* table, QPoint at) {
    const auto* main = dynamic_cast<const ui::MainWindow*>(table->window());
    const QSize client = main ? main->client_size() : table->size();
    if (at.x() < 0 || at.y() < 0 || at.x() >= client.width() || at.y() >= client.height()) return std::nullopt;
    const QObjectList& stack = table->children();  // the last is the topmost
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        auto* child = qobject_cast<QWidget*>(*it);
        // A masked control (a card where its face does not fill its box) takes presses only inside its mask.
        if (child && !child->isHidden() && !child->testAttribute(Qt::WA_TransparentForMouseEvents) &&
            child->geometry().contains(at) && (child->mask().isEmpty() || child->mask().contains(at - child->pos())))
            return child;
    }
    return nullptr;
}

// Whether a press at this point of the widget reaches it on screen.
inline bool reaches(QWidget* target, QPointF at) {
    QWidget* table = table_of(target);
    if (!table) return true;  // not on the table: a window of its own
    for (QWidget* w = target; w != table; w = w->parentWidget())
        if (w->isHidden()) return false;
    const auto reached = hit(table, target->mapTo(table, at.toPoint()));
    return reached && *reached == (target == table ? nullptr : control_of(target));
}

// The point of the widget a person would press: of the points where a press reaches it, the one
// nearest its middle; none when it does not show anywhere.
inline std::optional<QPointF> visible_point(QWidget* target) {
    std::optional<QPointF> best;
    const QPointF middle = QRectF(target->rect()).center();
    const auto distance = [&](QPointF p) { return std::hypot(p.x() - middle.x(), p.y() - middle.y()); };
    for (int x = 0; x < target->width(); x += 2)
        for (int y = 0; y < target->height(); y += 2)
            if (const QPointF p(x, y); reaches(target, p) && (!best || distance(p) < distance(*best))) best = p;
    return best;
}

inline void send_mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPointF at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A press (and, for a click, its release) at a point of the widget, the one a person would
// press by default. A press that would not reach the widget on screen fails the test and is not sent.
inline bool press(QWidget* target, Qt::MouseButton button = Qt::LeftButton, std::optional<QPointF> at = {}) {
    if (!at) at = visible_point(target);
    if (!at || !reaches(target, *at)) {
        ADD_FAILURE() << "a press on " << target->metaObject()->className() << " that does not show there";
        return false;
    }
    send_mouse(target, QEvent::MouseButtonPress, button, *at);
    return true;
}
inline bool click(QWidget* target, Qt::MouseButton button = Qt::LeftButton, std::optional<QPointF> at = {}) {
    if (!at) at = visible_point(target);
    if (!press(target, button, at)) return false;
    send_mouse(target, QEvent::MouseButtonRelease, button, *at);
    return true;
}
inline bool press(const ui::BoxedControl& c, Qt::MouseButton b = Qt::LeftButton) { return press(mouse_target(c), b); }
inline bool click(const ui::BoxedControl& c, Qt::MouseButton b = Qt::LeftButton) { return click(mouse_target(c), b); }

// A click at a point of the table, in its pixels, given to the window as the window system gives
// it: the window finds what shows there, a control or the table itself. The window must show.
inline void click_at(QWidget* table, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* top = table->window();
    const QPointF local = table->mapTo(top, at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, local, local, top->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(top->windowHandle(), &event);
    }
}

// A press on the bare table at a point given in logical units.
inline void press_table(const ui::Window& window, float x, float y, Qt::MouseButton button = Qt::LeftButton) {
    press(window.main_window().table(), button, QPointF(x * window.unit_x(), y * window.unit_y()));
}

}  // namespace testing_support
