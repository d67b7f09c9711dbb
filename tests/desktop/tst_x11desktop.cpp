// The Linux window answers against a real X server (run under Xvfb), with the test itself in
// the window manager's place: it publishes the root window's EWMH properties.
#include "platformbackend_p.h"
#include "tsvrows.h"

#include <zrcommonutils.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace OrvoKiv::Platform;

namespace {

xcb_connection_t *c = nullptr;
xcb_window_t root = 0;

// An xcb reply, freed with std::free().
template<typename T>
using Reply = QScopedPointer<T, QScopedPointerPodDeleter>;

xcb_atom_t atom(const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : 0;
}

// Ends with a round trip, so the server has every request before the backend asks.
void publish(xcb_window_t window, const char *name, xcb_atom_t type, const QVector<quint32> &values)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32, uint32_t(values.size()),
                        values.constData());
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

xcb_window_t createWindow(bool mapped, quint32 pid, const QRect &geometry = QRect(10, 10, 100, 100))
{
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, root, int16_t(geometry.x()), int16_t(geometry.y()),
                      uint16_t(geometry.width()), uint16_t(geometry.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    if (mapped)
        xcb_map_window(c, window);
    publish(window, "_NET_WM_PID", XCB_ATOM_CARDINAL, {pid});
    return window;
}

// The pointer mapping, after setting it to `replacement` unless that is empty.
QByteArray pointerMap(const QByteArray &replacement = QByteArray())
{
    if (!replacement.isEmpty())
        std::free(xcb_set_pointer_mapping_reply(c, xcb_set_pointer_mapping(c, uint8_t(replacement.size()),
            reinterpret_cast<const uint8_t *>(replacement.constData())), nullptr));
    const Reply<xcb_get_pointer_mapping_reply_t> reply(xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr));
    return QByteArray(reinterpret_cast<const char *>(xcb_get_pointer_mapping_map(reply.data())), reply->map_len);
}

} // namespace

class tst_X11Desktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X11 display (run under tests/common/with-xvfb.sh)");
        c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), m_dir.filePath(QStringLiteral("OrvoKiv6"))));
        m_suite.start(m_dir.filePath(QStringLiteral("OrvoKiv6")), {QStringLiteral("60")});
        QVERIFY(m_suite.waitForStarted());
    }

    void cleanupTestCase()
    {
        m_suite.kill();
        m_suite.waitForFinished();
    }

    void zOrder()
    {
        const xcb_window_t lower = createWindow(true, 7), visible = createWindow(true, 7), hidden = createWindow(false, 7),
                           owned = createWindow(true, 7), minimised = createWindow(false, 9);
        publish(owned, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW, {visible});
        publish(minimised, "_NET_WM_STATE", XCB_ATOM_ATOM, {atom("_NET_WM_STATE_HIDDEN")});
        // From the bottom up.
        publish(root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW, {lower, minimised, visible, hidden, owned});

        QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(7)), quintptr(visible));
        QCOMPARE(reinterpret_cast<quintptr>(ZRCommonUtils::hGetProcessWnd(9)), quintptr(minimised));
        QVERIFY(!ZRCommonUtils::hGetProcessWnd(10));
    }

    void fullscreen_data()
    {
        addTsvRows(QStringLiteral("desktop/x11fullscreen.tsv"), {"case", "geometry", "atoms", "suite", "expected"});
    }

    void fullscreen()
    {
        const QStringList g = tsvField("geometry").split(QLatin1Char(' '));
        const qint64 pid = tsvYes("suite") ? m_suite.processId() : QCoreApplication::applicationPid();
        const xcb_window_t window = createWindow(true, quint32(pid), QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt()));
        QVector<quint32> values;
        for (const QString &name : tsvField("atoms").split(QLatin1Char(' '), Qt::SkipEmptyParts))
            values.append(atom(qPrintable(name)));
        for (const char *property : {"_NET_WM_WINDOW_TYPE", "_NET_WM_STATE"}) // each reads only its own atoms
            publish(window, property, XCB_ATOM_ATOM, values);
        publish(root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW, {window});
        publish(root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, {window});
        QCOMPARE(ZRCommonUtils::checkFullscreenExist(), tsvYes("expected"));
        xcb_destroy_window(c, window);
    }

    void pointerMapping()
    {
        const QByteArray rightHanded = pointerMap(); // the server's own: 1, 2, 3, ...
        const QByteArray leftHanded = "\x03\x02\x01" + rightHanded.mid(3);
        for (const QByteArray &map : {rightHanded, leftHanded}) {
            pointerMap(map);
            QCOMPARE(nativeBackend().swapMouseButtons(true), map == leftHanded);
            QCOMPARE(pointerMap(), map); // read only: the mapping is as the user set it
        }
    }

    void noDisplay()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        const auto restore = qScopeGuard([&display] { qputenv("DISPLAY", display); });
        QVERIFY(nativeBackend().topLevelWindows().isEmpty());
        QVERIFY(!nativeBackend().swapMouseButtons(true));
        QVERIFY(!ZRCommonUtils::checkFullscreenExist());
    }

private:
    QTemporaryDir m_dir;
    QProcess m_suite; // a process whose executable is named OrvoKiv6
};

QTEST_GUILESS_MAIN(tst_X11Desktop)
#include "tst_x11desktop.moc"
