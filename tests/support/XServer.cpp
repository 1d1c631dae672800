// SPDX-License-Identifier: GPL-3.0-or-later
#include "XServer.h"

#include "ProcessGroup.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

using namespace Qt::StringLiterals;

namespace corvane::test {
namespace {

constexpr int pollMs = 25;
constexpr char startedPid[] = "startedPid";

// xcb's replies and errors are released with free().
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> std::unique_ptr<T, FreeDeleter> owned(T* p)
{
    return std::unique_ptr<T, FreeDeleter>(p);
}

// Polls until `done` answers true; false when the time ran out first.
template <typename Done> bool waitFor(Done done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}

bool displayNumberTaken(int n)
{
    return QFile::exists(u"/tmp/.X%1-lock"_s.arg(n)) ||
           QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(n));
}

} // namespace

bool XServer::isAvailable()
{
    return !QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty();
}

XServer::XServer() : XServer(Options{}) {}

XServer::XServer(Options options)
{
    hadDisplay_ = qEnvironmentVariableIsSet("DISPLAY");
    previousDisplay_ = qgetenv("DISPLAY");
    if (!startServer(options))
        return;
    qputenv("DISPLAY", display_);
    startSessionBus();
    for (const Monitor& m : options.monitors) {
        if (!setMonitor(m.name, m.geometry, m.primary, m.output)) {
            error_ = u"xrandr could not make the monitor %1"_s.arg(m.name);
            return;
        }
    }
    if (options.windowManager && !startWindowManager(options))
        return;
    running_ = true;
}

XServer::~XServer()
{
    if (connection_)
        xcb_disconnect(connection_);
    // Clients first, the server last.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it)
        stopProcessGroup(**it);
    processes_.clear();
    if (hadDisplay_)
        qputenv("DISPLAY", previousDisplay_);
    else
        qunsetenv("DISPLAY");
    if (ownBus_)
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}

void XServer::startSessionBus()
{
    // A program started with a display and no session bus launches a bus of its own, which
    // outlives the server; one private bus serves them all and ends with the server. A bus the
    // test chose stays; without dbus-daemon the programs go without, as they would anyway.
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    QProcess* bus =
        spawn(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s}, true);
    if (!bus || !bus->waitForReadyRead(5000))
        return;
    ownBus_ = true;
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus->readLine().trimmed());
}

QProcess* XServer::spawn(const QString& program, const QStringList& arguments, bool readOutput)
{
    auto env = QProcessEnvironment::systemEnvironment();
    if (!display_.isEmpty())
        env.insert(u"DISPLAY"_s, QString::fromLatin1(display_));
    auto process = startProcessGroup(program, arguments, env, {}, readOutput);
    if (!process)
        return nullptr;
    process->setProperty(startedPid, process->processId());
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

bool XServer::startServer(const Options& options)
{
    // A number far from the usual ones, spread by pid so that tests running side by side
    // rarely try the same one; Xvfb's lock file settles any race.
    const int base = 200 + static_cast<int>(::getpid() % 500);
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int n = base + attempt;
        if (displayNumberTaken(n))
            continue;
        const QByteArray name = ":" + QByteArray::number(n);
        QProcess* server =
            spawn(u"Xvfb"_s, {QString::fromLatin1(name), u"-screen"_s, u"0"_s,
                              u"%1x%2x%3"_s.arg(options.screenSize.width())
                                  .arg(options.screenSize.height())
                                  .arg(options.depth),
                              // Without -noreset the server forgets RandR monitors whenever its
                              // last client leaves (xrandr is often the only one).
                              u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        if (!server) {
            error_ = u"Xvfb could not be started"_s;
            return false;
        }
        waitFor(
            [&] {
                if (server->state() != QProcess::Running)
                    return true;
                xcb_connection_t* c = xcb_connect(name.constData(), nullptr);
                if (!xcb_connection_has_error(c))
                    connection_ = c;
                else
                    xcb_disconnect(c);
                return connection_ != nullptr;
            },
            10000);
        if (connection_) {
            display_ = name;
            return true;
        }
        stopProcessGroup(*server);
        processes_.pop_back();
    }
    error_ = u"No free display number for Xvfb"_s;
    return false;
}

bool XServer::startWindowManager(const Options& options)
{
    QStringList arguments{u"--sm-disable"_s};
    if (!options.openboxConfig.isEmpty()) {
        const QString path = directory_.filePath(u"rc.xml"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(options.openboxConfig.toUtf8()) < 0) {
            error_ = u"Cannot write the openbox configuration"_s;
            return false;
        }
        file.close();
        arguments << u"--config-file"_s << path;
    }
    if (!spawn(u"openbox"_s, arguments)) {
        error_ = u"openbox could not be started"_s;
        return false;
    }
    if (!waitForWindowManager()) {
        error_ = u"openbox did not come up"_s;
        return false;
    }
    return true;
}

qint64 XServer::startWindowManager(const QString& program, const QStringList& arguments)
{
    const qint64 pid = startProcess(program, arguments);
    return pid > 0 && waitForWindowManager() ? pid : 0;
}

bool XServer::waitForWindowManager()
{
    // The window manager announces itself on the root early in its start-up, and may drop
    // requests that arrive before its event loop runs: it is ready once it frames a window.
    xcb_connection_t* c = connection();
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root(), 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    int polls = 0;
    const bool framed = waitFor(
        [&] {
            if (polls++ % 20 == 0) // mapped again now and then, in case it was dropped
                xcb_map_window(c, probe);
            const auto tree = owned(xcb_query_tree_reply(c, xcb_query_tree(c, probe), nullptr));
            return tree && tree->parent != tree->root;
        },
        10000);
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    return framed;
}

xcb_connection_t* XServer::connection()
{
    return connection_;
}

xcb_window_t XServer::root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

xcb_atom_t XServer::atom(const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

bool XServer::run(const QString& program, const QStringList& arguments, QByteArray* output,
                  int timeoutMs)
{
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, QString::fromLatin1(display_));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool XServer::xdotool(const QStringList& arguments, QByteArray* output)
{
    return run(u"xdotool"_s, arguments, output);
}

bool XServer::setMonitor(const QString& name, const QRect& g, bool primary, const QString& output)
{
    // Physical sizes at 96 dots per inch.
    const auto mm = [](int pixels) { return qRound(pixels * 25.4 / 96.0); };
    const QString geometry = QString::asprintf("%d/%dx%d/%d+%d+%d", g.width(), mm(g.width()),
                                               g.height(), mm(g.height()), g.x(), g.y());
    return run(u"xrandr"_s,
               {u"--setmonitor"_s, (primary ? u"*"_s : QString()) + name, geometry, output});
}

bool XServer::deleteMonitor(const QString& name)
{
    return run(u"xrandr"_s, {u"--delmonitor"_s, name});
}

qint64 XServer::startProcess(const QString& program, const QStringList& arguments)
{
    QProcess* process = spawn(program, arguments);
    return process ? process->processId() : 0;
}

bool XServer::killProcess(qint64 pid)
{
    for (auto& process : processes_) {
        if (process->processId() == pid && process->state() != QProcess::NotRunning) {
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
            return process->waitForFinished(5000);
        }
    }
    return false;
}

std::optional<XServer::Exit> XServer::waitForExit(qint64 pid, int timeoutMs)
{
    for (auto& process : processes_) {
        // The process's id is gone once it has ended; the one it started with is kept.
        if (process->property(startedPid).toLongLong() != pid)
            continue;
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(timeoutMs))
            return std::nullopt;
        return Exit{process->exitStatus() == QProcess::CrashExit, process->exitCode()};
    }
    return std::nullopt;
}

bool XServer::killServer()
{
    if (processes_.empty() || processes_.front()->state() == QProcess::NotRunning)
        return false;
    QProcess& server = *processes_.front();
    ::kill(-static_cast<pid_t>(server.processId()), SIGKILL);
    return server.waitForFinished(5000);
}

std::optional<XServer::Client> XServer::startClient(const QString& program,
                                                    const QStringList& arguments,
                                                    const QString& wmClass, int timeoutMs)
{
    const QList<xcb_window_t> known = clientWindows();
    const qint64 pid = startProcess(program, arguments);
    if (pid == 0)
        return std::nullopt;
    const auto window = waitForWindow(wmClass, known, timeoutMs);
    if (!window)
        return std::nullopt;
    return Client{pid, *window};
}

xcb_window_t XServer::createDock(const QRect& rect, const QList<std::uint32_t>& strut, bool managed)
{
    xcb_connection_t* c = connection();
    const xcb_window_t w = xcb_generate_id(c);
    const std::uint32_t overrideRedirect = managed ? 0 : 1;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root(), rect.x(), rect.y(), rect.width(),
                      rect.height(), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                        1, &dock);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_STRUT_PARTIAL"),
                        XCB_ATOM_CARDINAL, 32, strut.size(), strut.constData());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 10,
                        "dock\0Dock\0");
    xcb_map_window(c, w);
    xcb_flush(c);
    return w;
}

QList<std::uint32_t> XServer::property(xcb_window_t window, const char* name)
{
    xcb_connection_t* c = connection();
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QList<std::uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

QList<xcb_window_t> XServer::clientWindows()
{
    if (const auto managed = property(root(), "_NET_CLIENT_LIST"); !managed.isEmpty())
        return managed;
    xcb_connection_t* c = connection();
    const auto tree = owned(xcb_query_tree_reply(c, xcb_query_tree(c, root()), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* w = xcb_query_tree_children(tree.get());
    QList<xcb_window_t> windows(w, w + xcb_query_tree_children_length(tree.get()));
    // A window manager that lists no clients (i3) still holds them in its frames.
    for (qsizetype i = 0, top = windows.size(); i < top; ++i) {
        const auto frame = owned(xcb_query_tree_reply(c, xcb_query_tree(c, windows[i]), nullptr));
        if (frame) {
            const xcb_window_t* inner = xcb_query_tree_children(frame.get());
            windows.append(
                QList<xcb_window_t>(inner, inner + xcb_query_tree_children_length(frame.get())));
        }
    }
    return windows;
}

bool XServer::isViewable(xcb_window_t window)
{
    xcb_connection_t* c = connection();
    const auto attributes =
        owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::optional<xcb_window_t> XServer::waitForWindow(const QString& wmClass,
                                                   const QList<xcb_window_t>& known, int timeoutMs)
{
    xcb_connection_t* c = connection();
    const QByteArray wanted = wmClass.toUtf8();
    const auto matches = [&](xcb_window_t w) {
        const auto cls = owned(xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
        return cls && cls->type != XCB_NONE &&
               QByteArray(static_cast<const char*>(xcb_get_property_value(cls.get())),
                          xcb_get_property_value_length(cls.get()))
                   .split('\0')
                   .contains(wanted);
    };
    std::optional<xcb_window_t> found;
    waitFor(
        [&] {
            for (xcb_window_t w : clientWindows()) {
                if (!found && !known.contains(w) && matches(w) && isViewable(w))
                    found = w;
            }
            return found.has_value();
        },
        timeoutMs);
    return found;
}

bool XServer::waitForViewable(xcb_window_t window, int timeoutMs)
{
    return waitFor([&] { return isViewable(window); }, timeoutMs);
}

bool XServer::waitForWindowGone(xcb_window_t window, int timeoutMs)
{
    xcb_connection_t* c = connection();
    return waitFor(
        [&] {
            xcb_generic_error_t* error = nullptr;
            const auto reply = owned(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), &error));
            std::free(error);
            return !reply;
        },
        timeoutMs);
}

std::optional<QRect> XServer::clientGeometry(xcb_window_t window)
{
    xcb_connection_t* c = connection();
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const auto origin = owned(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

xcb_window_t XServer::frameOf(xcb_window_t client)
{
    xcb_connection_t* c = connection();
    xcb_window_t current = client;
    for (int depth = 0; depth < 16; ++depth) {
        const auto tree = owned(xcb_query_tree_reply(c, xcb_query_tree(c, current), nullptr));
        if (!tree)
            return XCB_NONE;
        if (tree->parent == tree->root)
            return current;
        current = tree->parent;
    }
    return XCB_NONE;
}

std::optional<QRect> XServer::frameGeometry(xcb_window_t client)
{
    const xcb_window_t frame = frameOf(client);
    if (frame == XCB_NONE)
        return std::nullopt;
    xcb_connection_t* c = connection();
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, frame), nullptr));
    if (!geometry)
        return std::nullopt;
    const int border = geometry->border_width;
    return QRect(geometry->x, geometry->y, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

bool XServer::fakeMotion(const QPoint& p)
{
    xcb_connection_t* c = connection();
    return !owned(
        xcb_request_check(c, xcb_test_fake_input_checked(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME,
                                                         root(), p.x(), p.y(), 0)));
}

bool XServer::fakeButton(int button, bool press)
{
    xcb_connection_t* c = connection();
    return !owned(xcb_request_check(
        c, xcb_test_fake_input_checked(c, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE,
                                       std::uint8_t(button), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0)));
}

xcb_keycode_t XServer::keycode(xcb_keysym_t keysym)
{
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection());
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const xcb_keycode_t code = codes ? codes[0] : 0;
    std::free(codes);
    xcb_key_symbols_free(symbols);
    return code;
}

bool XServer::fakeKey(xcb_keysym_t keysym, bool press)
{
    const xcb_keycode_t code = keycode(keysym);
    xcb_connection_t* c = connection();
    return code != 0 &&
           !owned(xcb_request_check(
               c, xcb_test_fake_input_checked(c, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code,
                                              XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0)));
}

} // namespace corvane::test
