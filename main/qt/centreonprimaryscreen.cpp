#include "centreonprimaryscreen.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xproto.h>

#include "centring.h"

namespace {

// Hands the window's reports to a TCentring until it is settled: every move of
// the native window and, under X11, every change of its properties, since the
// frame extents arrive as one and Qt turns that into no event of its own.
class TCentringWatch : public QObject, public QAbstractNativeEventFilter {
public:
    TCentringWatch(QWidget* window, const TCentring& centring)
        : QObject(window->windowHandle())
        , Window(window)
        , Centring(centring)
        , Client(window->geometry().topLeft())
    {
        window->windowHandle()->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move) {
            Client = static_cast<QMoveEvent*>(event)->pos();
            CheckLater();
        }
        return false;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type == "xcb_generic_event_t") {
            const auto* event = static_cast<const xcb_generic_event_t*>(message);
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY
                && reinterpret_cast<const xcb_property_notify_event_t*>(event)->window == Window->winId())
                CheckLater();
        }
        return false;
    }

private:
    // Qt takes a new frame in only after the filters have seen its event, and
    // a move of the widget inside the window's own move event would be undone.
    void CheckLater()
    {
        if (!CheckPending)
            QMetaObject::invokeMethod(this, &TCentringWatch::Check, Qt::QueuedConnection);
        CheckPending = true;
    }

    void Check()
    {
        CheckPending = false;
        // Moved through the native window: the widget may not have taken in
        // a frame that came without a move, and would place the frame wrong.
        if (const std::optional<QPoint> corner = Centring.Report(Window->windowHandle()->frameMargins(), Client))
            Window->windowHandle()->setFramePosition(*corner);
        if (Centring.Settled()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
            deleteLater();
        }
    }

    QWidget* const Window;
    TCentring Centring;
    // Where the window system last reported the client area: Qt's own idea
    // of it follows every request at once, before any window manager has acted.
    QPoint Client;
    bool CheckPending = false;
};

} // namespace

void CentreOnPrimaryScreen(QWidget* window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->move(CentredCorner(screen, window->size().grownBy(window->windowHandle()->frameMargins())));
    new TCentringWatch(window, TCentring(screen, window->size()));
}
