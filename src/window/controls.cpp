#include "window/controls.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextFormat>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "window/window.h"

namespace ui {

// ---------------------------------------------------------------- boxed controls

void BoxedControl::bind(Window* window, QWidget* widget, double left, double top, double width, double height) {
    window_ = window;
    widget_ = widget;
    set_px_box(left, top, width, height);
}

void BoxedControl::set_px_box(double left, double top, double width, double height) {
    px_left_ = left;
    px_top_ = top;
    px_width_ = std::max(0.0, width);
    px_height_ = std::max(0.0, height);
    apply_geometry();
}

void BoxedControl::apply_geometry() {
    if (!widget_) return;
    // Far-off parking places stay far off without asking the toolkit for huge coordinates.
    const auto clamp = [](double v) { return int(std::lround(std::clamp(v, -100000.0, 100000.0))); };
    widget_->setGeometry(clamp(px_left_), clamp(px_top_), clamp(px_width_), clamp(px_height_));
}

float BoxedControl::Left() const { return float(px_left_ / window_->unit_x()); }
float BoxedControl::Top() const { return float(px_top_ / window_->unit_y()); }
float BoxedControl::Width() const { return float(px_width_ / window_->unit_x()); }
float BoxedControl::Height() const { return float(px_height_ / window_->unit_y()); }

void BoxedControl::Move(float left, float top) {
    set_px_box(left * window_->unit_x(), top * window_->unit_y(), px_width_, px_height_);
}

void BoxedControl::Move(float left, float top, float width, float height) {
    set_px_box(left * window_->unit_x(), top * window_->unit_y(), width * window_->unit_x(), height * window_->unit_y());
}

void BoxedControl::SetWidth(float width) { set_px_box(px_left_, px_top_, width * window_->unit_x(), px_height_); }

bool BoxedControl::Visible() const { return widget_ && !widget_->isHidden(); }

void BoxedControl::SetVisible(bool visible) {
    if (widget_) widget_->setVisible(visible);
}

void BoxedControl::ToFront() {
    if (widget_) widget_->raise();
}

void BoxedControl::ToBack() {
    if (widget_) widget_->lower();
}

void PictureBox::SetPicture(Picture picture) {
    picture_ = picture;
    if (picture != kNoPicture) {
        const QSize size = picture_size(picture);
        set_px_box(px_left_, px_top_, size.width() * window_->box_scale_x(), size.height() * window_->box_scale_y());
    }
    if (auto* shown = dynamic_cast<PictureWidget*>(widget_)) shown->fit_to_picture();
    if (widget_) widget_->update();
}

std::string TextBox::Text() const {
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) return line->text().toStdString();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) return plain->toPlainText().toStdString();
    if (auto* rich = qobject_cast<QTextEdit*>(widget_)) return rich->toPlainText().toStdString();
    return {};
}

void TextBox::SetText(const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->setText(q);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
        plain->setPlainText(q);
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget_)) {
        rich->setPlainText(q);
        if (style_.centred) {
            QTextCursor cursor(rich->document());
            cursor.select(QTextCursor::Document);
            QTextBlockFormat centred;
            centred.setAlignment(Qt::AlignHCenter);
            cursor.mergeBlockFormat(centred);
        }
    }
}

void TextBox::SetFontSize(double points) {
    if (!widget_) return;
    QFont font = widget_->font();
    font.setPointSizeF(points);
    widget_->setFont(font);
}

void TextBox::SetMousePointer(Picture picture) {
    QWidget* area = widget_;
    if (auto* scroll = qobject_cast<QAbstractScrollArea*>(widget_)) area = scroll->viewport();
    if (area) area->setCursor(QCursor(picture_pixmap(picture, 1.0, 1.0), 0, 0));
}

// ---------------------------------------------------------------- menu items

std::string MenuItem::Caption() const { return action_ ? action_->text().toStdString() : std::string(); }

void MenuItem::SetCaption(const std::string& caption) {
    if (action_) action_->setText(QString::fromStdString(caption));
}

bool MenuItem::Checkable() const { return action_ && action_->isCheckable(); }

bool MenuItem::Checked() const { return action_ && action_->isChecked(); }

void MenuItem::SetChecked(bool checked) {
    if (action_) action_->setChecked(checked);
}

bool MenuItem::Enabled() const { return action_ && action_->isEnabled(); }

void MenuItem::SetEnabled(bool enabled) {
    if (action_) action_->setEnabled(enabled);
}

bool MenuItem::Visible() const { return action_ && action_->isVisible(); }

void MenuItem::SetVisible(bool visible) {
    if (action_) action_->setVisible(visible);
}

void MenuItem::Click() {
    if (action_ && action_->isEnabled()) action_->trigger();
}

// ---------------------------------------------------------------- timer

Timer::Timer() : timer_(std::make_unique<QTimer>()) {
    // The coarse timer may fire early, which would shorten every pause.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(interval_ms_);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
        if (on_tick) on_tick();
    });
}

Timer::~Timer() = default;

void Timer::SetInterval(int ms, double scale) {
    interval_ms_ = ms;
    // A running timer restarts its countdown with the new interval.
    timer_->setInterval(std::max(1, int(std::lround(ms * scale))));
    if (timer_->isActive()) timer_->start();
}

bool Timer::Enabled() const { return timer_->isActive(); }

int Timer::remaining_ms() const { return timer_->remainingTime(); }

void Timer::SetEnabled(bool enabled) {
    if (enabled && !timer_->isActive()) {
        timer_->start();
    } else if (!enabled) {
        timer_->stop();
    }
}

}  // namespace ui
