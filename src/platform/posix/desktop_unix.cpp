#include "desktop_unix_p.h"

#include <QFile>
#include <QVector>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace OrvoKiv {
namespace Platform {
namespace PosixDesktop {

namespace {

template<typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T>
Reply<T> owned(T *reply)
{
    return Reply<T>(reply, &std::free);
}

// One connection per question: no state is kept between calls, and any thread may ask.
class Display
{
public:
    Display()
        : m_connection(xcb_connect(nullptr, &m_screenNumber))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; it.rem && i < m_screenNumber; ++i)
            xcb_screen_next(&it);
        if (it.rem)
            m_screen = it.data;
    }
    ~Display() { xcb_disconnect(m_connection); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    bool isOpen() const { return m_screen != nullptr; }
    xcb_connection_t *connection() const { return m_connection; }
    xcb_window_t root() const { return m_screen->root; }
    WindowRect rootRect() const { return {0, 0, m_screen->width_in_pixels, m_screen->height_in_pixels}; }

    // XCB_ATOM_NONE when no client has named it yet, so no property can carry it.
    xcb_atom_t atom(const char *name) const
    {
        const auto reply = owned(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 1, uint16_t(qstrlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_get_property_cookie_t askProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
    {
        return xcb_get_property(m_connection, 0, window, property, type, 0, 1 << 16);
    }

    // The 32-bit items of a property, empty when it is missing or of another type.
    QVector<quint32> values(xcb_get_property_cookie_t cookie) const
    {
        const auto reply = owned(xcb_get_property_reply(m_connection, cookie, nullptr));
        if (!reply || reply->format != 32)
            return {};
        const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
        return QVector<quint32>(data, data + xcb_get_property_value_length(reply.get()) / 4);
    }

    QVector<quint32> property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
    {
        return values(askProperty(window, property, type));
    }

private:
    int m_screenNumber = 0;
    xcb_connection_t *m_connection;
    const xcb_screen_t *m_screen = nullptr;
};

quint32 first(const QVector<quint32> &values)
{
    return values.isEmpty() ? 0 : values.first();
}

// _NET_CLIENT_LIST_STACKING lists the managed windows from the bottom up.
QVector<quint32> stackingTopDown(const Display &display)
{
    QVector<quint32> windows = display.property(
        display.root(), display.atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
    std::reverse(windows.begin(), windows.end());
    return windows;
}

WindowRect windowRect(const Display &display, xcb_window_t window)
{
    xcb_connection_t *c = display.connection();
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const auto origin = owned(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, display.root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    return {origin->dst_x, origin->dst_y, origin->dst_x + geometry->width,
            origin->dst_y + geometry->height};
}

} // namespace

QList<TopLevelWindow> topLevelWindows()
{
    const Display display;
    if (!display.isOpen())
        return {};
    const QVector<quint32> windows = stackingTopDown(display);
    const xcb_atom_t pidAtom = display.atom("_NET_WM_PID");
    const xcb_atom_t stateAtom = display.atom("_NET_WM_STATE");
    const xcb_atom_t hidden = display.atom("_NET_WM_STATE_HIDDEN");
    xcb_connection_t *c = display.connection();

    // All requests first, then the replies: one round trip for the whole list.
    struct Pending
    {
        xcb_get_property_cookie_t pid, state, transientFor;
        xcb_get_window_attributes_cookie_t attributes;
    };
    QVector<Pending> pending;
    pending.reserve(windows.size());
    for (quint32 window : windows) {
        pending.append({display.askProperty(window, pidAtom, XCB_ATOM_CARDINAL),
                        display.askProperty(window, stateAtom, XCB_ATOM_ATOM),
                        display.askProperty(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW),
                        xcb_get_window_attributes(c, window)});
    }
    QList<TopLevelWindow> result;
    for (int i = 0; i < windows.size(); ++i) {
        TopLevelWindow entry;
        entry.handle = windows[i];
        entry.pid = first(display.values(pending[i].pid));
        // A minimised window is unmapped but, as on Windows, still visible in this sense.
        const auto attributes = owned(xcb_get_window_attributes_reply(c, pending[i].attributes, nullptr));
        entry.visible = (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            || display.values(pending[i].state).contains(hidden);
        entry.hasParent = first(display.values(pending[i].transientFor)) != 0;
        result.append(entry);
    }
    return result;
}

ForegroundWindow foregroundWindow()
{
    ForegroundWindow result;
    const Display display;
    if (!display.isOpen())
        return result;
    result.desktop = display.root();
    result.desktopRect = display.rootRect();

    const xcb_atom_t typeAtom = display.atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t desktopType = display.atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    for (quint32 window : stackingTopDown(display)) {
        if (display.property(window, typeAtom, XCB_ATOM_ATOM).contains(desktopType)) {
            result.shell = window;
            break;
        }
    }

    const xcb_window_t active =
        first(display.property(display.root(), display.atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW));
    result.handle = active;
    if (active == XCB_WINDOW_NONE)
        return result;
    result.rect = windowRect(display, active);
    const QVector<quint32> state =
        display.property(active, display.atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
    const auto has = [&](const char *name) {
        const xcb_atom_t atom = display.atom(name);
        return atom != XCB_ATOM_NONE && state.contains(atom);
    };
    result.zoomed = has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
    result.fullScreenState = has("_NET_WM_STATE_FULLSCREEN");
    result.pid = first(display.property(active, display.atom("_NET_WM_PID"), XCB_ATOM_CARDINAL));
    return result;
}

ProcessImage processImage(qint64 pid)
{
    ProcessImage result;
    if (pid <= 0)
        return result;
    const QByteArray link = "/proc/" + QByteArray::number(pid) + "/exe";
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer);
    if (length > 0) {
        result.status = ProcessImage::Found;
        result.path = QFile::decodeName(QByteArray(buffer, int(length)));
    } else if (errno != EACCES && errno != EPERM && QFile::exists(QFile::decodeName(link))) {
        result.status = ProcessImage::NoPath; // a kernel thread
    }
    return result;
}

bool mouseButtonsSwapped()
{
    const Display display;
    if (!display.isOpen())
        return false;
    xcb_connection_t *c = display.connection();
    const auto reply = owned(xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr));
    return reply && xcb_get_pointer_mapping_map_length(reply.get()) >= 3
        && xcb_get_pointer_mapping_map(reply.get())[0] == 3;
}

} // namespace PosixDesktop
} // namespace Platform
} // namespace OrvoKiv
