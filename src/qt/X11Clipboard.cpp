#include "X11Clipboard.h"

#include "DocumentText.h"
#include "app/Limits.h"
#include "app/SlotCommands.h"
#include "platform/Platform.h"
#include "platform/PlatformError.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tavimor {

namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

constexpr const char* kAtomNames[] = {"CLIPBOARD", "TARGETS", "UTF8_STRING", "text/plain;charset=utf-8",
                                      "STRING",    "TEXT",    "text/plain",  "INCR",
                                      "TAVIMOR_CLIPBOARD"};

std::uint8_t typeOf(const xcb_generic_event_t& event)
{
    return event.response_type & 0x7F; // the top bit marks an event sent by a client
}

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        appendUtf8(text, static_cast<unsigned char>(c));
    return text;
}

[[noreturn]] void tooLarge()
{
    throw PlatformError(clipboardTooLarge("more than " + mebibytes(kSlotTextLimit)));
}

} // namespace

// One request to the owner: an invisible window of its own, which receives
// the answer and is destroyed with the request (also when making it fails),
// and the server's time at which it was made.
class X11Clipboard::Request
{
public:
    explicit Request(X11Clipboard& clipboard)
        : m_window(clipboard)
    {
        // A server time is the time of a change: an empty append to a property.
        xcb_connection_t* c = clipboard.m_connection.get();
        xcb_change_property(c, XCB_PROP_MODE_APPEND, window(), clipboard.m_atoms[Property], XCB_ATOM_STRING, 8, 0,
                            nullptr);
        xcb_flush(c);
        clipboard.waitFor(
            [&](const xcb_generic_event_t& event) {
                const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
                if (typeOf(event) != XCB_PROPERTY_NOTIFY || notify.window != window())
                    return false;
                m_time = notify.time;
                return true;
            },
            clipboard.m_deadline);
    }

    xcb_window_t window() const { return m_window.id; }
    xcb_timestamp_t time() const { return m_time; }

private:
    struct Window
    {
        explicit Window(X11Clipboard& clipboard)
            : c(clipboard.m_connection.get())
            , id(xcb_generate_id(c))
        {
            const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_create_window(c, XCB_COPY_FROM_PARENT, id, clipboard.m_root, 0, 0, 1, 1, 0,
                              XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        }
        ~Window()
        {
            xcb_destroy_window(c, id);
            xcb_flush(c);
        }
        Window(const Window&) = delete;
        Window& operator=(const Window&) = delete;
        xcb_connection_t* c;
        xcb_window_t id;
    };

    Window m_window;
    xcb_timestamp_t m_time = XCB_CURRENT_TIME;
};

std::unique_ptr<X11Clipboard> X11Clipboard::open()
{
    int screenNumber = 0;
    Connection connection(xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return nullptr;
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber && screen.rem > 1; ++i)
        xcb_screen_next(&screen);
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(std::move(connection), screen.data->root));
}

X11Clipboard::X11Clipboard(Connection connection, xcb_window_t root)
    : m_connection(std::move(connection))
    , m_root(root)
{
    xcb_connection_t* c = m_connection.get();
    xcb_intern_atom_cookie_t cookies[kAtomCount];
    for (int i = 0; i < kAtomCount; ++i)
        cookies[i] = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(kAtomNames[i])), kAtomNames[i]);
    for (int i = 0; i < kAtomCount; ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        m_atoms[i] = reply ? reply->atom : XCB_NONE;
    }
}

X11Clipboard::~X11Clipboard() = default;

bool X11Clipboard::hasText()
{
    m_deadline = Clock::now() + kTransferLimit;
    const auto targets = textTargets();
    return targets && !targets->empty();
}

std::string X11Clipboard::text()
{
    m_deadline = Clock::now() + kTransferLimit;
    // Only what the owner offers, in the order Qt asks for it.
    if (const auto targets = textTargets())
        for (const xcb_atom_t target : *targets)
            if (auto got = convert(target))
                return decoded(got->first, std::move(got->second));
    throw PlatformError("the program that holds the clipboard did not hand over its text");
}

std::optional<std::vector<xcb_atom_t>> X11Clipboard::textTargets()
{
    const auto targets = convert(m_atoms[Targets]);
    if (!targets)
        return std::nullopt;
    std::vector<xcb_atom_t> text;
    if (targets->first != XCB_ATOM_ATOM)
        return text;
    const auto* offered = reinterpret_cast<const xcb_atom_t*>(targets->second.data());
    const std::size_t count = targets->second.size() / sizeof(xcb_atom_t);
    for (const Atom kind : {Utf8String, TextPlainUtf8, String, Text, TextPlain})
        if (std::find(offered, offered + count, m_atoms[kind]) != offered + count)
            text.push_back(m_atoms[kind]);
    return text;
}

std::optional<std::pair<xcb_atom_t, std::string>> X11Clipboard::convert(xcb_atom_t target)
{
    xcb_connection_t* c = m_connection.get();
    const Request request(*this);
    xcb_convert_selection(c, request.window(), m_atoms[Clipboard], target, m_atoms[Property], request.time());
    xcb_flush(c);
    xcb_atom_t answered = XCB_NONE;
    waitFor(
        [&](const xcb_generic_event_t& event) {
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
            // The answer to this request: to its window, for its target, at its time.
            if (typeOf(event) != XCB_SELECTION_NOTIFY || notify.requestor != request.window()
                || notify.target != target || (notify.time != XCB_CURRENT_TIME && notify.time != request.time()))
                return false;
            answered = notify.property;
            return true;
        },
        m_deadline);
    if (answered == XCB_NONE)
        return std::nullopt; // refused, or no owner
    // Its size first: a text larger than a slot takes is not fetched.
    const Reply<xcb_get_property_reply_t> size(xcb_get_property_reply(
        c, xcb_get_property(c, 0, request.window(), m_atoms[Property], XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr));
    if (size && size->type != m_atoms[Incr] && size->bytes_after > kSlotTextLimit)
        tooLarge();
    auto property = takeProperty(request.window());
    if (property.first == m_atoms[Incr]) {
        // The INCR property holds a lower bound of the size.
        if (property.second.size() >= 4 && *reinterpret_cast<const std::uint32_t*>(property.second.data()) > kSlotTextLimit)
            tooLarge();
        property.second = readIncrementally(request, m_deadline);
    }
    return property;
}

// A large text comes in parts: each is put into the property, taken (which
// deletes it) and followed by the next, until an empty one.
std::string X11Clipboard::readIncrementally(const Request& request, Clock::time_point deadline)
{
    std::string text;
    for (;;) {
        waitFor(
            [&](const xcb_generic_event_t& event) {
                const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
                return typeOf(event) == XCB_PROPERTY_NOTIFY && notify.window == request.window()
                    && notify.atom == m_atoms[Property] && notify.state == XCB_PROPERTY_NEW_VALUE;
            },
            deadline);
        const auto part = takeProperty(request.window());
        if (part.second.empty())
            return text;
        if (text.size() + part.second.size() > kSlotTextLimit)
            tooLarge(); // the window goes with the request: the owner's transfer ends
        text += part.second;
    }
}

void X11Clipboard::waitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted, Clock::time_point deadline)
{
    xcb_connection_t* c = m_connection.get();
    const auto answerDeadline = std::min(Clock::now() + kAnswerLimit, deadline);
    for (;;) {
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c)})
            if (wanted(*event))
                return;
        if (xcb_connection_has_error(c))
            throw PlatformError("the connection to the display was lost");
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(answerDeadline - Clock::now());
        if (left.count() <= 0)
            throw PlatformError(answerDeadline == deadline ? kClipboardTooSlow : kClipboardHeld);
        pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&readable, 1, int(left.count()) + 1);
    }
}

std::pair<xcb_atom_t, std::string> X11Clipboard::takeProperty(xcb_window_t window)
{
    xcb_connection_t* c = m_connection.get();
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(c, 1, window, m_atoms[Property], XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply)
        throw PlatformError("the clipboard's text could not be read");
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {reply->type, std::string(bytes, std::size_t(xcb_get_property_value_length(reply.get())))};
}

// The kind of text is the answer's type, whatever was asked for (TEXT may
// come back as STRING or UTF8_STRING).
std::string X11Clipboard::decoded(xcb_atom_t type, std::string bytes) const
{
    if (type == m_atoms[String])
        return latin1ToUtf8(bytes);
    // UTF-8 (UTF8_STRING, text/plain;charset=utf-8, and text/plain, whose
    // 8-bit encoding is UTF-8 here); like any other text from outside,
    // invalid bytes become U+FFFD.
    return isValidUtf8(bytes) ? std::move(bytes) : exactUtf16(bytes).toStdString();
}

} // namespace tavimor
