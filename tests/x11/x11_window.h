#pragma once

#include <QGuiApplication>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace voltarix::testkit {

// What the X server holds for a window, read back over the application's
// own connection, so that it is what a window manager or task bar sees.
class X11Window {
public:
    explicit X11Window(const QWidget& widget) : window_(static_cast<xcb_window_t>(widget.winId())) {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        connection_ = x11 != nullptr ? x11->connection() : nullptr;
    }

    // _NET_WM_NAME, the UTF-8 caption a window manager shows.
    QString netWmName() const { return property("_NET_WM_NAME", "UTF8_STRING"); }
    // WM_NAME, the caption of the older protocol.
    QString wmName() const { return property("WM_NAME", nullptr); }

private:
    xcb_atom_t atom(const char* name) const {
        const auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection_, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    QString property(const char* name, const char* type) const {
        if (connection_ == nullptr)
            return QStringLiteral("<no X11 connection>");
        const xcb_atom_t typeAtom = type != nullptr ? atom(type) : xcb_atom_t{XCB_ATOM_ANY};
        const auto cookie =
            xcb_get_property(connection_, 0, window_, atom(name), typeAtom, 0, 4096);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (!reply)
            return QStringLiteral("<no reply>");
        const int length = xcb_get_property_value_length(reply.get());
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                                 length);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_;
};

} // namespace voltarix::testkit
