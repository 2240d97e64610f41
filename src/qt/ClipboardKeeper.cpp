#include "ClipboardHolder.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

namespace tavimor {

namespace {

// A clipboard manager takes the text when one runs (it owns
// CLIPBOARD_MANAGER), but only what Qt can hand it in one X request: Qt does
// not hand over in parts while it ends. So larger texts go to the holder.
bool managerTakes(std::size_t bytes)
{
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> c(xcb_connect(nullptr, nullptr),
                                                                         &xcb_disconnect);
    if (xcb_connection_has_error(c.get()))
        return false;
    const std::size_t oneRequest = std::size_t(xcb_get_maximum_request_length(c.get())) * 4
        - sizeof(xcb_change_property_request_t);
    const char* name = "CLIPBOARD_MANAGER";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(c.get(), xcb_intern_atom(c.get(), 1, std::uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_NONE || bytes > oneRequest)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c.get(), xcb_get_selection_owner(c.get(), atom->atom), nullptr), &std::free);
    return owner && owner->owner != XCB_NONE;
}

struct Fd
{
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Starts a holder of the text (UTF-8) for the host, detached; returns once it
// owns the clipboard (true), or once it has given up, a few seconds at most.
// The holder is orphaned at once and runs in a session of its own and the
// root folder, so that it holds no terminal and no folder of the user's.
bool startClipboardHolder(const QString& holderProgram, const char* host, const QByteArray& text)
{
    const QByteArray program = QFile::encodeName(holderProgram);
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return false;
    Fd inRead{in[0]}, inWrite{in[1]};
    if (::pipe2(out, O_CLOEXEC) != 0)
        return false;
    Fd outRead{out[0]}, outWrite{out[1]};
    ::fcntl(inWrite.fd, F_SETPIPE_SZ, 1024 * 1024); // fewer turns for a large text
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) { // only calls that are safe after fork, until exec
        if (::fork() != 0) // the holder's parent ends at once: init adopts it
            ::_exit(0);
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::setsid();
        if (::chdir("/") != 0)
            ::_exit(127);
        ::execl(program.constData(), program.constData(), kHoldClipboardArgument, host, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::waitpid(child, nullptr, 0);
    ::close(std::exchange(inRead.fd, -1));
    ::close(std::exchange(outWrite.fd, -1));
    std::signal(SIGPIPE, SIG_IGN); // a holder that ended is no reason to end otherwise
    const std::uint64_t size = std::uint64_t(text.size());
    if (::write(inWrite.fd, &size, sizeof size) != sizeof size)
        return false;
    for (qsizetype at = 0; at < text.size();) {
        const ssize_t wrote = ::write(inWrite.fd, text.constData() + at, std::size_t(text.size() - at));
        if (wrote <= 0)
            return false;
        at += wrote;
    }
    ::close(std::exchange(inWrite.fd, -1));
    pollfd ready{outRead.fd, POLLIN, 0};
    char said[8] = {};
    return ::poll(&ready, 1, 3000) == 1 && ::read(outRead.fd, said, 6) == 6 && std::memcmp(said, "owning", 6) == 0;
}

} // namespace

bool keepClipboardAfterExit(const QString& holderProgram)
{
    const QString platform = QGuiApplication::platformName();
    const bool x11 = platform == QLatin1String("xcb");
    if (!x11 && !platform.startsWith(QLatin1String("wayland")))
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Nothing to keep once another program has taken the clipboard.
    if (!clipboard->ownsClipboard())
        return false;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText())
        return false;
    const QByteArray text = data->text().toUtf8();
    if (x11 && managerTakes(std::size_t(text.size())))
        return false;
    // On Wayland the holder finds out whether the compositor lets it hold
    // the clipboard, and ends at once where it does not.
    if (!startClipboardHolder(holderProgram, x11 ? kHoldForX11 : kHoldForWayland, text))
        return false;
    // Qt learns that it no longer owns the clipboard, so it asks no manager.
    QCoreApplication::processEvents();
    return true;
}

void boundTheEnd(int status)
{
    // Qt waits up to 5 s for a clipboard manager that does not answer; the
    // window is gone by then, but a session that ends waits for the program.
    std::thread([status] {
        std::this_thread::sleep_for(kEndBound);
        std::_Exit(status);
    }).detach();
}

} // namespace tavimor
