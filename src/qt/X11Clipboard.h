#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tavimor {

// The X11 clipboard of another program, asked for its text with a time limit
// on every answer. Qt's own clipboard waits 5 s for each answer and cannot be
// told to wait less: a program that has stopped answering (a hung one, a
// stalled remote-desktop or virtual-machine bridge) froze the window for 10 s,
// and its silence was then taken for an empty clipboard. This asks over an X
// connection of its own, which nothing else reads, so it can wait with a limit.
class X11Clipboard
{
public:
    // Nothing when no X display can be reached.
    static std::unique_ptr<X11Clipboard> open();
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    // Whether the clipboard's owner offers text. Throws PlatformError when
    // the owner does not answer in time.
    bool hasText();
    // The owner's text as UTF-8 (invalid bytes become U+FFFD). Throws
    // PlatformError when the owner does not answer in time or refuses.
    std::string text();

    // How long one answer may take.
    static constexpr std::chrono::milliseconds kAnswerLimit{1000};

private:
    using Connection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;
    X11Clipboard(Connection connection, xcb_window_t window);
    enum Atom { Clipboard, Targets, Utf8String, TextPlainUtf8, String, Text, TextPlain, Incr, Property, kAtomCount };

    // The clipboard converted to `target`; nothing when the owner refuses it.
    std::optional<std::pair<xcb_atom_t, std::string>> convert(xcb_atom_t target);
    std::string readIncrementally();
    // Handles events until `wanted` accepts one; throws when the answer limit passes first.
    void waitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted);
    // The property that the owner wrote, taken and deleted: its type and bytes.
    std::pair<xcb_atom_t, std::string> takeProperty();

    Connection m_connection;
    xcb_window_t m_window;
    xcb_atom_t m_atoms[kAtomCount] = {};
};

} // namespace tavimor
