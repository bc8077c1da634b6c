// Mouse input as a person gives it: presses and clicks of a button on a control, delivered
// through the toolkit's own event path.
#pragma once

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <optional>

#include "window/controls.h"
#include "window/window.h"

namespace testing_support {

// The widget that takes a control's mouse events: a text box's viewport, or the control itself.
inline QWidget* mouse_target(const ui::BoxedControl& control) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control.widget())) return area->viewport();
    return control.widget();
}

inline void send_mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPointF at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A press (and, for a click, its release) at a point of the widget, its middle by default.
inline void press(QWidget* target, Qt::MouseButton button = Qt::LeftButton, std::optional<QPointF> at = {}) {
    send_mouse(target, QEvent::MouseButtonPress, button, at.value_or(QPointF(target->rect().center())));
}
inline void click(QWidget* target, Qt::MouseButton button = Qt::LeftButton, std::optional<QPointF> at = {}) {
    press(target, button, at);
    send_mouse(target, QEvent::MouseButtonRelease, button, at.value_or(QPointF(target->rect().center())));
}
inline void press(const ui::BoxedControl& c, Qt::MouseButton b = Qt::LeftButton) { press(mouse_target(c), b); }
inline void click(const ui::BoxedControl& c, Qt::MouseButton b = Qt::LeftButton) { click(mouse_target(c), b); }

// A press on the bare table at a point given in logical units.
inline void press_table(const ui::Window& window, float x, float y, Qt::MouseButton button = Qt::LeftButton) {
    press(window.main_window().table(), button, QPointF(x * window.unit_x(), y * window.unit_y()));
}

}  // namespace testing_support
