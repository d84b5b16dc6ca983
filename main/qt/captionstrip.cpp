#include "captionstrip.h"

#include <cstring>

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <wayland-client.h>

namespace {

// Whether the compositor frames the windows that ask it to, as KWin does; Qt
// asks whenever the compositor offers it. Qt's own connection is not public
// in Qt 6.4: a short one of the program's own reads the offered interfaces.
bool CompositorDrawsFrames()
{
    static const bool draws = [] {
        wl_display* display = wl_display_connect(nullptr);
        if (!display)
            return false;
        bool offered = false;
        static const wl_registry_listener listener{
            [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
                if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                    *static_cast<bool*>(data) = true;
            },
            [](void*, wl_registry*, uint32_t) {},
        };
        wl_registry* registry = wl_display_get_registry(display);
        wl_registry_add_listener(registry, &listener, &offered);
        wl_display_roundtrip(display);
        wl_registry_destroy(registry);
        wl_display_disconnect(display);
        return offered;
    }();
    return draws;
}

constexpr Qt::WindowStates kImposed = Qt::WindowMaximized | Qt::WindowFullScreen;

class TCaptionStrip : public QWidget {
public:
    explicit TCaptionStrip(QWidget* window)
        : QWidget(window)
        , Window(window)
        , Caption(new QLabel(window->windowTitle(), this))
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Mid);
        auto* close = new QToolButton(this);
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setAccessibleName(QStringLiteral("Закрыть"));
        connect(close, &QToolButton::clicked, window, &QWidget::close);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(8, 2, 2, 2);
        layout->addWidget(Caption, 1);
        layout->addWidget(close);
        window->installEventFilter(this);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Window->windowHandle()->startSystemMove();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
            resize(Window->width(), height());
            break;
        case QEvent::WindowTitleChange:
            Caption->setText(Window->windowTitle());
            break;
        case QEvent::Show:
            // Weston maximises any window on request, and then any buffer but
            // one of the size it gave ends the connection: Qt must not hold
            // the window to its fixed size. The widget keeps its own limits.
            QMetaObject::invokeMethod(this, [this] {
                if (QWindow* handle = Window->windowHandle())
                    handle->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            }, Qt::QueuedConnection);
            break;
        case QEvent::WindowStateChange:
            // Weston takes the request back only once the window has drawn at
            // the size it imposed; asked earlier, it answers nothing and the
            // window stays maximised. That size has arrived by the time a
            // queued call runs.
            if (Window->windowState() & kImposed)
                QMetaObject::invokeMethod(this, [this] {
                    if (!(Window->windowState() & kImposed))
                        return;
                    Window->repaint();
                    Window->setWindowState(Window->windowState() & ~kImposed);
                }, Qt::QueuedConnection);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* const Window;
    QLabel* const Caption;
};

} // namespace

void UseOwnCaption(QWidget* window)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || CompositorDrawsFrames())
        return;
    // Qt drops the frameless hint beside hints for a title bar.
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    auto* strip = new TCaptionStrip(window);
    const int height = strip->sizeHint().height();
    strip->setGeometry(0, 0, window->width(), height);
    // Below the strip, as before under a frame: a laid-out window through its
    // margins, one of fixed places by moving its controls.
    if (window->layout()) {
        QMargins margins = window->contentsMargins();
        margins.setTop(margins.top() + height);
        window->setContentsMargins(margins);
    } else {
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != strip)
                child->move(child->pos() + QPoint(0, height));
        window->setFixedSize(window->width(), window->height() + height);
    }
}
