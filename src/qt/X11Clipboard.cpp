#include "X11Clipboard.h"

#include "DocumentText.h"
#include "platform/Platform.h"
#include "platform/PlatformError.h"
#include "platform/TextCodec.h"

#include <poll.h>

#include <cstdlib>
#include <cstring>

namespace tavimor {

namespace {

using Clock = std::chrono::steady_clock;

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

} // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::open()
{
    int screenNumber = 0;
    Connection connection(xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return nullptr;
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber && screen.rem > 1; ++i)
        xcb_screen_next(&screen);
    // An invisible window that receives the owner's answers.
    const xcb_window_t window = xcb_generate_id(connection.get());
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screen.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(std::move(connection), window));
}

X11Clipboard::X11Clipboard(Connection connection, xcb_window_t window)
    : m_connection(std::move(connection))
    , m_window(window)
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

X11Clipboard::~X11Clipboard() = default; // disconnecting destroys the window too

bool X11Clipboard::hasText()
{
    const auto targets = convert(m_atoms[Targets]);
    if (!targets || targets->first != XCB_ATOM_ATOM)
        return false;
    const auto* offered = reinterpret_cast<const xcb_atom_t*>(targets->second.data());
    for (std::size_t i = 0; i < targets->second.size() / sizeof(xcb_atom_t); ++i)
        for (const Atom text : {Utf8String, TextPlainUtf8, String, Text, TextPlain})
            if (offered[i] == m_atoms[text])
                return true;
    return false;
}

std::string X11Clipboard::text()
{
    for (const Atom utf8 : {Utf8String, TextPlainUtf8}) {
        if (auto got = convert(m_atoms[utf8])) {
            std::string& bytes = got->second;
            // As any other text from outside: invalid bytes become U+FFFD.
            return isValidUtf8(bytes) ? std::move(bytes) : exactUtf16(bytes).toStdString();
        }
    }
    if (auto got = convert(m_atoms[String]))
        return latin1ToUtf8(got->second);
    throw PlatformError("the program that holds the clipboard did not hand over its text");
}

std::optional<std::pair<xcb_atom_t, std::string>> X11Clipboard::convert(xcb_atom_t target)
{
    xcb_connection_t* c = m_connection.get();
    // Answers that came after their time was up are not answers to this request.
    while (Reply<xcb_generic_event_t> late{xcb_poll_for_event(c)}) {
    }
    xcb_delete_property(c, m_window, m_atoms[Property]);
    xcb_convert_selection(c, m_window, m_atoms[Clipboard], target, m_atoms[Property], XCB_CURRENT_TIME);
    xcb_flush(c);
    xcb_atom_t answered = XCB_NONE;
    waitFor([&](const xcb_generic_event_t& event) {
        if (typeOf(event) != XCB_SELECTION_NOTIFY)
            return false;
        const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
        if (notify.requestor != m_window || notify.target != target)
            return false;
        answered = notify.property;
        return true;
    });
    if (answered == XCB_NONE)
        return std::nullopt; // refused, or no owner
    auto property = takeProperty();
    if (property.first == m_atoms[Incr])
        property.second = readIncrementally();
    return property;
}

// A large text comes in parts: each is put into the property, taken (which
// deletes it) and followed by the next, until an empty one.
std::string X11Clipboard::readIncrementally()
{
    std::string text;
    for (;;) {
        waitFor([&](const xcb_generic_event_t& event) {
            if (typeOf(event) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            return notify.window == m_window && notify.atom == m_atoms[Property]
                && notify.state == XCB_PROPERTY_NEW_VALUE;
        });
        const auto part = takeProperty();
        if (part.second.empty())
            return text;
        text += part.second;
    }
}

void X11Clipboard::waitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted)
{
    xcb_connection_t* c = m_connection.get();
    const auto deadline = Clock::now() + kAnswerLimit;
    for (;;) {
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c)})
            if (wanted(*event))
                return;
        if (xcb_connection_has_error(c))
            throw PlatformError("the connection to the display was lost");
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            throw PlatformError(kClipboardHeld);
        pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&readable, 1, int(left.count()) + 1);
    }
}

std::pair<xcb_atom_t, std::string> X11Clipboard::takeProperty()
{
    xcb_connection_t* c = m_connection.get();
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(c, 1, m_window, m_atoms[Property], XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply)
        throw PlatformError("the clipboard's text could not be read");
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {reply->type, std::string(bytes, std::size_t(xcb_get_property_value_length(reply.get())))};
}

} // namespace tavimor
