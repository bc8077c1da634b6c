#include "window/window.h"

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
#include <QScreen>
#include <QStyle>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

std::int16_t button_code(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return kLeftButton;
        case Qt::RightButton: return kRightButton;
        case Qt::MiddleButton: return kMiddleButton;
        default: return 0;
    }
}

namespace {

// The close mark of the names panel: a filled red rectangle with a black border. Clicks go
// through it to the table, which decides whether they hit it.
class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

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
        // A click is the left button's, as on a picture; the right one opens the box's own menu.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && box_.on_click)
            box_.on_click();
        return QObject::eventFilter(watched, event);
    }

private:
    TextBox& box_;
};

}  // namespace

// ---------------------------------------------------------------- picture boxes

PictureWidget::PictureWidget(PictureBox& box, Window& window, QWidget* parent)
    : QWidget(parent), box_(box), window_(window) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureWidget::fit_to_picture() {
    // Where the window's shape differs from the design's, a box is wider or taller than its face:
    // the bare part is table, and a press there is the table's, or that of a card showing there.
    const QSizeF drawn = box_.picture() == kNoPicture
                             ? QSizeF()
                             : picture_drawn_size(box_.picture(), window_.zoom(), devicePixelRatioF());
    const QRect shown = QRect(0, 0, int(std::ceil(drawn.width())), int(std::ceil(drawn.height()))) & rect();
    setAttribute(Qt::WA_TransparentForMouseEvents, shown.isEmpty());
    if (shown == rect()) {
        if (!mask().isEmpty()) clearMask();
    } else if (!shown.isEmpty() && mask() != QRegion(shown)) {
        setMask(shown);
    }
}

void PictureWidget::paintEvent(QPaintEvent*) {
    if (box_.picture() == kNoPicture) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_pixmap(box_.picture(), window_.zoom(), devicePixelRatioF()));
}

void PictureWidget::resizeEvent(QResizeEvent*) { fit_to_picture(); }

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    if (box_.on_mouse_down) {
        const QPointF p = event->position();
        box_.on_mouse_down(button_code(event->button()), float(p.x() / window_.unit_x()),
                           float(p.y() / window_.unit_y()));
    }
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press, but its release is no second click.
    double_click_ = true;
    mousePressEvent(event);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool second_of_double = std::exchange(double_click_, false);
    const QPoint at = event->position().toPoint();
    const bool on_picture = rect().contains(at) && (mask().isEmpty() || mask().contains(at));
    if (event->button() == Qt::LeftButton && on_picture && box_.on_click && !second_of_double)
        box_.on_click();
}

// ---------------------------------------------------------------- table widget

TableWidget::TableWidget(Window& window, QWidget* parent) : QWidget(parent), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Surface& surface = window_.surface();
    const QImage& image = surface.image();
    const QRect r = event->rect();
    painter.fillRect(r, QColor(surface.BackColor.r, surface.BackColor.g, surface.BackColor.b));
    painter.drawImage(r.topLeft(), image, QRectF(QPointF(r.topLeft()) * image.devicePixelRatio(),
                                                 QSizeF(r.size()) * image.devicePixelRatio()));
    if (!painted_) {
        painted_ = true;
        if (window_.on_first_paint) window_.on_first_paint();
        window_.main_window().fill_screen_if_unmanaged();
        window_.main_window().activate_once();
    }
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
    if (!window_.on_mouse_down) return;
    const QPointF p = event->position();
    window_.on_mouse_down(button_code(event->button()), float(p.x() / window_.unit_x()),
                          float(p.y() / window_.unit_y()));
}

void TableWidget::resizeEvent(QResizeEvent*) { window_.surface().resize_pixels(width(), height(), devicePixelRatioF()); }

// ---------------------------------------------------------------- main window

MainWindow::MainWindow(Window& window) : window_(window) {
    setWindowTitle(QStringLiteral("Orbenza - Dolvaro a calvone"));
    setWindowIcon(QIcon(picture_pixmap(kIconPicture, 1.0, 1.0)));
    table_ = new TableWidget(window_, this);
    setCentralWidget(table_);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kTableColour.r, kTableColour.g, kTableColour.b));
    setPalette(pal);
    // The design's client area; the first layout pass takes it to the maximized window.
    resize(kDesignClientWidth, kDesignClientHeight + menuBar()->sizeHint().height());
    // A window larger than any screen shows nothing more, while its buffers, the table's image
    // and the pictures grow with it: at 30000 pixels square they took gigabytes.
    follow_screens();
    for (QScreen* screen : QGuiApplication::screens()) watch_screen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::watch_screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::follow_screens);
    connect(qApp, &QGuiApplication::screenRemoved, this, &MainWindow::follow_screens);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &MainWindow::follow_screens);
}

QSize MainWindow::largest_window_size() {
    QSize size(3840, 2160);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) size = size.expandedTo(screen->virtualSize());
    return size;
}

void MainWindow::follow_screens() { setMaximumSize(largest_window_size()); }

void MainWindow::watch_screen(QScreen* screen) {
    // A screen moved or resized changes the desktop the window may fill.
    connect(screen, &QScreen::virtualGeometryChanged, this, &MainWindow::follow_screens, Qt::UniqueConnection);
}

QRect MainWindow::restored_geometry(const QRect& free_area, const QSize& design) {
    // Room for a window manager's frame: its title bar above, its borders at the sides.
    const QSize room = (free_area.size() - QSize(64, 96)).expandedTo(QSize(1, 1));
    const QSize size = design.scaled(design.boundedTo(room), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, free_area);
}

void MainWindow::open_maximized() {
    // The window manager keeps the geometry the window has before it is maximized as the one to
    // restore to: a window set to the whole screen would restore with its title bar above the top.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) setGeometry(restored_geometry(screen->availableGeometry(), size()));
    // Only an X display may have no window manager at all; elsewhere the compositor maximizes.
    restored_ = screen && QGuiApplication::platformName() == QLatin1String("xcb") ? geometry() : QRect();
    showMaximized();
}

void MainWindow::fill_screen_if_unmanaged() {
    const QRect restored = std::exchange(restored_, QRect());
    if (restored.isNull()) return;
    // The window has shown, unframed and just where it was put: no window manager acts on the
    // request to maximize, so the window fills the screen itself. Not from inside the paint that
    // tells of it.
    QTimer::singleShot(0, this, [this, restored] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen && isMaximized() && frameGeometry() == geometry() && geometry() == restored)
            setGeometry(screen->availableGeometry());
    });
}

QSize MainWindow::client_size() const {
    const int bar = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    return QSize(width(), std::max(0, height() - bar));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (window_.on_resize) window_.on_resize();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimizing, restoring and maximizing each run a layout pass, whether or not the size changed.
    if (event->type() == QEvent::WindowStateChange && window_.on_resize) window_.on_resize();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    if (window_.on_unload) window_.on_unload(cancel);
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Activation follows the first paint, so that the window shows at once while the game sets
    // up its table; a window that is never painted (never exposed) is activated all the same.
    QTimer::singleShot(kActivationAtTheLatestMs, this, [this] { activate_once(); });
}

void MainWindow::activate_once() {
    if (activation_posted_) return;
    activation_posted_ = true;
    // The match loop starts from the top-level event loop, after the first layout pass, never
    // from inside a paint.
    QTimer::singleShot(0, this, [this] {
        if (window_.on_activate) window_.on_activate();
    });
}

// ---------------------------------------------------------------- the window as the game sees it

Window::Window(Surface& surface) : surface_(surface), main_(std::make_unique<MainWindow>(*this)) {
    surface_.on_changed = [this] { main_->table()->update(); };
    set_logical_size(800, 600);
}

Window::~Window() = default;

int Window::outer_width() const { return main_->width(); }
int Window::outer_height() const { return main_->height(); }

bool Window::minimized() const {
    const QSize client = main_->client_size();
    return main_->isMinimized() || client.width() <= 0 || client.height() <= 0;
}

void Window::set_logical_size(double width, double height) {
    const QSize client = main_->client_size();
    if (client.width() <= 0 || client.height() <= 0) return;
    unit_x_ = client.width() / width;
    unit_y_ = client.height() / height;
    zoom_ = std::min(double(client.width()) / kDesignClientWidth, double(client.height()) / kDesignClientHeight);
    surface_.resize_pixels(client.width(), client.height(), main_->devicePixelRatioF());
    surface_.set_scale(unit_x_, unit_y_, zoom_);
    for (BoxedControl* c : controls_) {
        if (auto* picture = dynamic_cast<PictureWidget*>(c->widget())) picture->fit_to_picture();
        c->widget()->update();
    }
}

void Window::scale_boxes(double width_ratio, double height_ratio) {
    for (BoxedControl* c : controls_)
        c->set_px_box(c->px_left() * width_ratio, c->px_top() * height_ratio, c->px_width() * width_ratio,
                      c->px_height() * height_ratio);
    box_scale_x_ *= width_ratio;
    box_scale_y_ *= height_ratio;
}

void Window::register_control(BoxedControl& box, QWidget* widget, double left, double top, double width,
                              double height) {
    box.bind(this, widget, left, top, width, height);
    widget->hide();
    controls_.push_back(&box);
}

void Window::create_picture(PictureBox& box, Picture picture, double left, double top, double width,
                            double height) {
    box.picture_ = picture;
    register_control(box, new PictureWidget(box, *this, main_->table()), left, top, width, height);
}

namespace {

template <class Edit>
Edit* multi_line(TextBox& box, const TextStyle& style, QWidget* parent) {
    auto* edit = new Edit(parent);
    edit->setReadOnly(style.read_only);
    edit->setVerticalScrollBarPolicy(style.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    QObject::connect(edit, &Edit::textChanged, edit, [&box] {
        if (box.on_change) box.on_change();
    });
    return edit;
}

}  // namespace

void Window::create_text(TextBox& box, const TextStyle& style, double left, double top, double width,
                         double height) {
    QWidget* widget = nullptr;
    QWidget* clicked = nullptr;
    if (!style.multi_line) {
        auto* edit = new QLineEdit(main_->table());
        edit->setReadOnly(style.read_only);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [&box, edit](const QString& typed) {
            const int cursor = edit->cursorPosition();
            if (box.on_change) box.on_change();
            const QString kept = edit->text();
            if (kept == typed) return;
            // A text the handler set while the user types keeps the cursor where the user left it:
            // before what follows it, where the handler kept that (letters refused or characters
            // cleaned out before the cursor), else where it was in the text cut short.
            const QString after = typed.mid(cursor);
            const int at = kept.endsWith(after) ? int(kept.size() - after.size()) : cursor;
            edit->setCursorPosition(std::clamp(at, 0, int(kept.size())));
        });
        widget = clicked = edit;
    } else {
        // Centred text needs the rich-text box; plain lines the lighter one.
        QAbstractScrollArea* edit = style.centred
                                        ? static_cast<QAbstractScrollArea*>(multi_line<QTextEdit>(box, style, main_->table()))
                                        : multi_line<QPlainTextEdit>(box, style, main_->table());
        widget = edit;
        clicked = edit->viewport();
    }
    clicked->installEventFilter(new ClickFilter(box, widget));
    // A press the box leaves unused (a right press on read-only text) is still not a press on the bare table.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
    box.style_ = style;
    register_control(box, widget, left, top, width, height);
}

void Window::clone_text(TextBox& box, const TextBox& from) {
    create_text(box, from.style_, from.px_left(), from.px_top(), from.px_width(), from.px_height());
}

void Window::create_shape(ShapeBox& box, double left, double top, double width, double height) {
    register_control(box, new ShapeWidget(main_->table()), left, top, width, height);
}

namespace {

QMenu* menu_of(MenuItem& item) { return item.action() ? item.action()->menu() : nullptr; }

void wire_action(MenuItem& item) {
    QAction* action = item.action();
    QObject::connect(action, &QAction::triggered, action, [&item, action](bool checked) {
        // Marks belong to the handlers: undo the toolkit's own toggle before the handler runs.
        if (action->isCheckable()) action->setChecked(!checked);
        if (item.on_click) item.on_click();
    });
}

}  // namespace

void Window::create_menu(MenuItem& item, const char* caption, MenuItem* parent) {
    QMenu* menu = parent ? menu_of(*parent)->addMenu(QString::fromUtf8(caption))
                         : main_->menuBar()->addMenu(QString::fromUtf8(caption));
    item.action_ = menu->menuAction();
}

void Window::create_item(MenuItem& item, const char* caption, MenuItem& parent, bool checkable) {
    item.action_ = menu_of(parent)->addAction(QString::fromUtf8(caption));
    item.action_->setCheckable(checkable);
    wire_action(item);
}

void Window::create_bar_item(MenuItem& item, const char* caption) {
    item.action_ = main_->menuBar()->addAction(QString::fromUtf8(caption));
    wire_action(item);
}

void Window::close() { main_->close(); }

void Window::message_box(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text), QMessageBox::Ok, main_.get());
    box.exec();
}

void Window::beep() { QApplication::beep(); }

// ---------------------------------------------------------------- events

void process_events(bool wait) {
    QCoreApplication::processEvents(wait ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                         : QEventLoop::AllEvents);
}

void leave_event_loop() {
    // Tests drive the window without an event loop of the application's own.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace ui
