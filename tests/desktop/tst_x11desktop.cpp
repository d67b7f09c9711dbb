// The Linux window answers against a real X server (run under Xvfb), with the test itself in
// the window manager's place: it publishes the root window's EWMH properties.
#include "platformbackend_p.h"

#include <zrcommonutils.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace OrvoKiv::Platform;

namespace {

enum Owner { Self, Suite, Gone };

struct FrontWindow
{
    QRect geometry;
    QByteArrayList states;
    bool desktopType = false;
    Owner owner = Self;
};

} // namespace

Q_DECLARE_METATYPE(FrontWindow)

class tst_X11Desktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void zOrder();
    void fullscreen_data();
    void fullscreen();
    void pointerMapping();
    void noDisplay();

private:
    xcb_atom_t atom(const char *name);
    void setProperty(xcb_window_t window, const char *name, xcb_atom_t type, const QVector<quint32> &values);
    xcb_window_t createWindow(const QRect &geometry, bool mapped, quint32 pid);
    void sync();
    // The pointer mapping, after setting it to `replacement` unless that is empty.
    QByteArray pointerMap(const QByteArray &replacement = QByteArray());

    xcb_connection_t *m_c = nullptr;
    xcb_screen_t *m_screen = nullptr;
    QTemporaryDir m_dir;
    QProcess m_suite; // a process whose executable is named OrvoKiv6
};

xcb_atom_t tst_X11Desktop::atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        m_c, xcb_intern_atom(m_c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : 0;
    std::free(reply);
    return result;
}

void tst_X11Desktop::setProperty(xcb_window_t window, const char *name, xcb_atom_t type,
                                 const QVector<quint32> &values)
{
    xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                        uint32_t(values.size()), values.constData());
}

xcb_window_t tst_X11Desktop::createWindow(const QRect &geometry, bool mapped, quint32 pid)
{
    const xcb_window_t window = xcb_generate_id(m_c);
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, window, m_screen->root, int16_t(geometry.x()),
                      int16_t(geometry.y()), uint16_t(geometry.width()), uint16_t(geometry.height()),
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual, 0, nullptr);
    setProperty(window, "_NET_WM_PID", XCB_ATOM_CARDINAL, {pid});
    if (mapped)
        xcb_map_window(m_c, window);
    return window;
}

// Every request has reached the server before the backend's own connection asks.
void tst_X11Desktop::sync()
{
    std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
}

void tst_X11Desktop::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X11 display (run under tests/common/with-xvfb.sh)");
    m_c = xcb_connect(nullptr, nullptr);
    QVERIFY(!xcb_connection_has_error(m_c));
    m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;

    QVERIFY(m_dir.isValid());
    const QString suite = m_dir.filePath(QStringLiteral("OrvoKiv6"));
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), suite));
    m_suite.start(suite, {QStringLiteral("60")});
    QVERIFY(m_suite.waitForStarted());
}

void tst_X11Desktop::cleanupTestCase()
{
    m_suite.kill();
    m_suite.waitForFinished();
    if (m_c)
        xcb_disconnect(m_c);
}

void tst_X11Desktop::zOrder()
{
    const QRect small(10, 10, 100, 100);
    const xcb_window_t other = createWindow(small, true, 8);
    const xcb_window_t visible = createWindow(small, true, 7);
    const xcb_window_t hidden = createWindow(small, false, 7);
    const xcb_window_t owned = createWindow(small, true, 7);
    setProperty(owned, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW, {visible});
    const xcb_window_t minimised = createWindow(small, false, 9);
    setProperty(minimised, "_NET_WM_STATE", XCB_ATOM_ATOM, {atom("_NET_WM_STATE_HIDDEN")});
    // From the bottom up.
    setProperty(m_screen->root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW,
                {minimised, other, visible, hidden, owned});
    sync();

    const QList<TopLevelWindow> windows = nativeBackend().topLevelWindows();
    QCOMPARE(windows.size(), 5);
    const QList<quintptr> order{owned, hidden, visible, other, minimised};
    for (int i = 0; i < order.size(); ++i)
        QCOMPARE(windows[i].handle, order[i]);
    QVERIFY(windows[0].visible && windows[0].hasParent);
    QVERIFY(!windows[1].visible && !windows[1].hasParent);
    QCOMPARE(windows[3].pid, qint64(8));

    QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(7)), quintptr(visible));
    QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(9)), quintptr(minimised));
    QVERIFY(!ZRCommonUtils::hGetProcessWnd(10));
}

void tst_X11Desktop::fullscreen_data()
{
    QTest::addColumn<FrontWindow>("setup");
    QTest::addColumn<bool>("expected");

    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("desktop window") << FrontWindow{screen, {}, true, Self} << false;
    QTest::newRow("another program covering") << FrontWindow{screen, {}, false, Self} << true;
    QTest::newRow("the suite covering") << FrontWindow{screen, {}, false, Suite} << false;
    QTest::newRow("covering, process gone") << FrontWindow{screen, {}, false, Gone} << true;
    QTest::newRow("maximised, not covering")
        << FrontWindow{QRect(0, 30, 1280, 770), {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"}, false, Suite}
        << true;
    QTest::newRow("maximised one way only")
        << FrontWindow{QRect(0, 30, 600, 770), {"_NET_WM_STATE_MAXIMIZED_VERT"}, false, Self} << false;
    QTest::newRow("full-screen state") << FrontWindow{QRect(5, 5, 640, 480), {"_NET_WM_STATE_FULLSCREEN"}, false, Self} << true;
}

void tst_X11Desktop::fullscreen()
{
    QFETCH(FrontWindow, setup);
    const quint32 pid = setup.owner == Self ? quint32(QCoreApplication::applicationPid())
        : setup.owner == Suite              ? quint32(m_suite.processId())
                                           : 0x3ffffffe;
    const xcb_window_t window = createWindow(setup.geometry, true, pid);
    QVector<quint32> states;
    for (const QByteArray &state : qAsConst(setup.states))
        states.append(atom(state.constData()));
    setProperty(window, "_NET_WM_STATE", XCB_ATOM_ATOM, states);
    if (setup.desktopType)
        setProperty(window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, {atom("_NET_WM_WINDOW_TYPE_DESKTOP")});
    setProperty(m_screen->root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW, {window});
    setProperty(m_screen->root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, {window});
    sync();

    const ForegroundWindow front = nativeBackend().foregroundWindow();
    QCOMPARE(front.handle, quintptr(window));
    QCOMPARE(front.desktop, quintptr(m_screen->root));
    QCOMPARE(front.shell, setup.desktopType ? quintptr(window) : quintptr(0));
    QCOMPARE(QRect(QPoint(front.rect.left, front.rect.top), QPoint(front.rect.right - 1, front.rect.bottom - 1)),
             setup.geometry);
    QCOMPARE(front.pid, qint64(pid));
    QTEST(ZRCommonUtils::checkFullscreenExist(), "expected");
    xcb_destroy_window(m_c, window);
}

QByteArray tst_X11Desktop::pointerMap(const QByteArray &replacement)
{
    if (!replacement.isEmpty())
        std::free(xcb_set_pointer_mapping_reply(
            m_c, xcb_set_pointer_mapping(m_c, uint8_t(replacement.size()), reinterpret_cast<const uint8_t *>(replacement.constData())),
            nullptr));
    xcb_get_pointer_mapping_reply_t *reply = xcb_get_pointer_mapping_reply(m_c, xcb_get_pointer_mapping(m_c), nullptr);
    const QByteArray map = reply ? QByteArray(reinterpret_cast<const char *>(xcb_get_pointer_mapping_map(reply)), reply->map_len)
                                 : QByteArray();
    std::free(reply);
    return map;
}

void tst_X11Desktop::pointerMapping()
{
    const QByteArray original = pointerMap();
    QVERIFY(original.size() >= 3);
    QVERIFY(!nativeBackend().swapMouseButtons(true));
    QByteArray leftHanded = original;
    std::swap(leftHanded.data()[0], leftHanded.data()[2]);
    pointerMap(leftHanded);
    QVERIFY(nativeBackend().swapMouseButtons(true));
    QVERIFY(nativeBackend().swapMouseButtons(false));
    QCOMPARE(pointerMap(), leftHanded); // read only: the mapping is as the user set it
    pointerMap(original);
}

void tst_X11Desktop::noDisplay()
{
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    const QList<TopLevelWindow> windows = nativeBackend().topLevelWindows();
    const ForegroundWindow front = nativeBackend().foregroundWindow();
    const bool swapped = nativeBackend().swapMouseButtons(true);
    const bool fullscreen = ZRCommonUtils::checkFullscreenExist();
    qputenv("DISPLAY", display);
    QVERIFY(windows.isEmpty());
    QCOMPARE(front.handle, quintptr(0));
    QVERIFY(!swapped);
    QVERIFY(!fullscreen);
}

QTEST_GUILESS_MAIN(tst_X11Desktop)
#include "tst_x11desktop.moc"
