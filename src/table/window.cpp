#include "table/window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include <cmath>

// The pictures and texts are compiled into the game's library; a static library needs its
// resources registered by hand.
static void init_design_resources() { Q_INIT_RESOURCE(assets); }

namespace table {
namespace {

std::int16_t button_code(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

// A picture box: its picture drawn from the box's top-left corner at the current zoom and
// clipped by the box; where the picture does not cover the box the table shows through.
class PictureWidget : public QWidget {
public:
    PictureWidget(PictureBox& box, Form& form, QWidget* parent) : QWidget(parent), box_(box), form_(form) {
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (box_.picture() == kNoPicture) return;
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_pixmap(box_.picture(), form_.zoom(), devicePixelRatioF()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (box_.on_mouse_down) {
            const QPointF p = event->position();
            box_.on_mouse_down(button_code(event->button()), float(p.x() / form_.unit_x()),
                               float(p.y() / form_.unit_y()));
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && box_.on_click)
            box_.on_click();
    }

private:
    PictureBox& box_;
    Form& form_;
};

// The close mark of the names panel: a filled red rectangle with a black border. Clicks go
// through it to the table, which decides whether they hit it.
class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(255, 0, 0));
        painter.setPen(QColor(0, 0, 0));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// Turns a click on a text box (or its viewport) into the box's click handler.
class ClickFilter : public QObject {
public:
    ClickFilter(TextBox& box, QObject* parent) : QObject(parent), box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && box_.on_click) box_.on_click();
        return QObject::eventFilter(watched, event);
    }

private:
    TextBox& box_;
};

}  // namespace

// ---------------------------------------------------------------- table widget

TableWidget::TableWidget(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = surface_.image();
    const QRect r = event->rect();
    painter.fillRect(r, QColor(surface_.BackColor.r, surface_.BackColor.g, surface_.BackColor.b));
    painter.drawImage(r.topLeft(), image, QRectF(QPointF(r.topLeft()) * image.devicePixelRatio(),
                                                 QSizeF(r.size()) * image.devicePixelRatio()));
    if (!painted_) {
        painted_ = true;
        if (on_first_paint) on_first_paint();
    }
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
    if (!on_mouse_down) return;
    auto* form = static_cast<Form*>(window());
    const QPointF p = event->position();
    on_mouse_down(button_code(event->button()), float(p.x() / form->unit_x()), float(p.y() / form->unit_y()));
}

void TableWidget::resizeEvent(QResizeEvent*) {
    surface_.resize_pixels(width(), height(), devicePixelRatioF());
}

// ---------------------------------------------------------------- form

Form::Form(Surface& surface) : surface_(surface) {
    static const bool resources_ready = (init_design_resources(), true);
    (void)resources_ready;
    setWindowTitle(QStringLiteral("Orbenza - Dolvaro a calvone"));
    setWindowIcon(QIcon(picture_pixmap(kIconPicture, 1.0, 1.0)));
    table_ = new TableWidget(surface_, this);
    setCentralWidget(table_);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kTableColour.r, kTableColour.g, kTableColour.b));
    setPalette(pal);
    table_->on_first_paint = [this] {
        if (on_first_paint) on_first_paint();
    };
    // The design's client area; the first layout pass takes it to the maximized window.
    resize(kDesignClientWidth, kDesignClientHeight + menuBar()->sizeHint().height());
    set_logical_size(800, 600);
}

QSize Form::client_size() const {
    const int bar = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    return QSize(width(), std::max(0, height() - bar));
}

void Form::set_logical_size(double width, double height) {
    const QSize client = client_size();
    if (client.width() <= 0 || client.height() <= 0) return;
    unit_x_ = client.width() / width;
    unit_y_ = client.height() / height;
    zoom_ = std::min(double(client.width()) / kDesignClientWidth, double(client.height()) / kDesignClientHeight);
    surface_.resize_pixels(client.width(), client.height(), devicePixelRatioF());
    surface_.set_logical_scale(unit_x_, unit_y_);
    surface_.set_zoom(zoom_);
    for (BoxedControl* c : controls_) c->widget()->update();
}

void Form::register_control(BoxedControl& box, QWidget* widget, double left, double top, double width,
                            double height) {
    box.bind(this, widget, left, top, width, height);
    widget->hide();
    controls_.push_back(&box);
}

void Form::create_picture(PictureBox& box, Picture picture, double left, double top, double width,
                          double height) {
    box.picture_ = picture;
    register_control(box, new PictureWidget(box, *this, table_), left, top, width, height);
}

void Form::create_text(TextBox& box, TextKind kind, double left, double top, double width, double height) {
    QWidget* widget = nullptr;
    switch (kind) {
        case TextKind::Rules: {
            auto* edit = new QPlainTextEdit(table_);
            edit->setReadOnly(true);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            edit->setPlainText(design_text("rules.txt"));
            QFont font = edit->font();
            font.setPointSizeF(9.6);
            edit->setFont(font);
            edit->viewport()->installEventFilter(new ClickFilter(box, edit));
            widget = edit;
            break;
        }
        case TextKind::Info: {
            auto* edit = new QTextEdit(table_);
            edit->setReadOnly(true);
            edit->setPlainText(design_text("info.txt"));
            QTextCursor cursor(edit->document());
            cursor.select(QTextCursor::Document);
            QTextBlockFormat centred;
            centred.setAlignment(Qt::AlignHCenter);
            cursor.mergeBlockFormat(centred);
            edit->viewport()->setCursor(QCursor(picture_pixmap(kPointerPicture, 1.0, 1.0), 0, 0));
            edit->viewport()->installEventFilter(new ClickFilter(box, edit));
            widget = edit;
            break;
        }
        case TextKind::Name: {
            auto* edit = new QLineEdit(table_);
            edit->setMaxLength(kNameLimit);
            QObject::connect(edit, &QLineEdit::textChanged, edit, [&box, edit](const QString& text) {
                // A name never holds a line break, even pasted.
                if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
                    QString clean = text;
                    clean.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
                    edit->setText(clean);
                    return;
                }
                if (box.on_change) box.on_change();
            });
            widget = edit;
            break;
        }
    }
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
    register_control(box, widget, left, top, width, height);
}

void Form::clone_text(TextBox& box, const TextBox& from) {
    create_text(box, TextKind::Name, from.px_left(), from.px_top(), from.px_width(), from.px_height());
}

void Form::create_shape(ShapeBox& box, double left, double top, double width, double height) {
    register_control(box, new ShapeWidget(table_), left, top, width, height);
}

QMenu* Form::menu_of(MenuItem& item) { return item.action_ ? item.action_->menu() : nullptr; }

void Form::wire_action(MenuItem& item) {
    QObject::connect(item.action_, &QAction::triggered, item.action_, [&item] {
        // Check marks belong to the handlers: undo the toolkit's own toggle first.
        item.action_->setChecked(item.checked_);
        if (item.on_click) item.on_click();
    });
}

void Form::create_menu(MenuItem& item, const char* caption, MenuItem* parent) {
    QMenu* menu = parent ? menu_of(*parent)->addMenu(QString::fromUtf8(caption))
                         : menuBar()->addMenu(QString::fromUtf8(caption));
    item.action_ = menu->menuAction();
}

void Form::create_item(MenuItem& item, const char* caption, MenuItem& parent) {
    item.action_ = menu_of(parent)->addAction(QString::fromUtf8(caption));
    wire_action(item);
}

void Form::create_bar_item(MenuItem& item, const char* caption) {
    item.action_ = menuBar()->addAction(QString::fromUtf8(caption));
    wire_action(item);
}

void Form::message_box(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text), QMessageBox::Ok, this);
    box.exec();
}

void Form::beep() { QApplication::beep(); }

void Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (on_resize) on_resize();
}

void Form::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimizing, restoring and maximizing each run a layout pass, whether or not the size changed.
    if (event->type() == QEvent::WindowStateChange && on_resize) on_resize();
}

void Form::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    if (on_unload) on_unload(cancel);
    event->accept();
}

void Form::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activation_posted_) return;
    activation_posted_ = true;
    // The match loop starts from the top-level event loop, after the first layout pass.
    QTimer::singleShot(0, this, [this] {
        if (on_activate) on_activate();
    });
}

}  // namespace table
