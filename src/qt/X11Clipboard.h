#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavimor {

// The X11 clipboard of another program, asked for its text with limits on
// time and size. Qt's own clipboard waits 5 s for each answer and cannot be
// told to wait less or to stop at a size: a program that has stopped
// answering (a hung one, a stalled remote-desktop or virtual-machine bridge)
// froze the window, and one that sends without end filled the memory. This
// asks over an X connection of its own, which nothing else reads.
//
// Every request is made afresh, as the ICCCM asks: from a window of its own,
// made for it and destroyed after it, and at a real server time, which the
// owner's answer must carry. So an answer to a request that was given up (too
// late, too slow) can never be taken for the answer to a later one.
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
    // The owner's text as UTF-8, in the kind of text it says it sent (invalid
    // bytes become U+FFFD). Throws PlatformError when the owner does not
    // answer in time, takes too long in all, refuses, or sends more than a
    // slot takes (stopped one byte past the limit).
    std::string text();

    // How long one answer may take, and a whole transfer.
    static constexpr std::chrono::milliseconds kAnswerLimit{1000};
    static constexpr std::chrono::seconds kTransferLimit{30};

private:
    using Connection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;
    using Clock = std::chrono::steady_clock;
    X11Clipboard(Connection connection, xcb_window_t root);
    enum Atom { Clipboard, Targets, Utf8String, TextPlainUtf8, String, Text, TextPlain, Incr, Property, kAtomCount };
    class Request;

    // The targets that the owner lists, each a text kind, in the order in
    // which they are asked for; nothing without an owner.
    std::optional<std::vector<xcb_atom_t>> textTargets();
    // The clipboard converted to `target`: the type of the answer and its
    // bytes; nothing when the owner refuses.
    std::optional<std::pair<xcb_atom_t, std::string>> convert(xcb_atom_t target);
    std::string readIncrementally(const Request& request, Clock::time_point deadline);
    // Handles events until `wanted` accepts one; throws when the answer limit
    // or the deadline passes first.
    void waitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted, Clock::time_point deadline);
    // The property that the owner wrote, taken and deleted: its type and bytes.
    std::pair<xcb_atom_t, std::string> takeProperty(xcb_window_t window);
    std::string decoded(xcb_atom_t type, std::string bytes) const;

    Connection m_connection;
    xcb_window_t m_root;
    xcb_atom_t m_atoms[kAtomCount] = {};
    // When the question being asked must have been answered in all.
    Clock::time_point m_deadline;
};

} // namespace tavimor
