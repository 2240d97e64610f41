#include "ClipboardHolder.h"

#include <xcb/xcb.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tavimor {

namespace {

// The largest part of a transfer: far below any server's request limit.
constexpr std::size_t kPartBytes = 256 * 1024;
// More than the program ever hands over (a slot's text with its line breaks).
constexpr std::size_t kMostBytes = 256ull * 1024 * 1024;

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};

// The text as the program hands it over: its size, then its bytes. Nothing
// when it ends early (the program was ended while handing it over): a holder
// never serves a text cut short.
std::optional<std::string> readText(int fd)
{
    std::uint64_t size = 0;
    if (::read(fd, &size, sizeof size) != sizeof size || size > kMostBytes)
        return std::nullopt;
    std::string text(size, '\0');
    for (std::size_t at = 0; at < size;) {
        const ssize_t got = ::read(fd, text.data() + at, size - at);
        if (got <= 0)
            return std::nullopt;
        at += std::size_t(got);
    }
    return text;
}

// The text in Latin-1, for programs that ask for STRING; nothing when it
// holds a character that Latin-1 has not.
std::unique_ptr<std::string> latin1Of(const std::string& utf8)
{
    auto latin1 = std::make_unique<std::string>(utf8.size(), '\0');
    char* out = latin1->data();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80)
            *out++ = char(c);
        else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size())
            *out++ = char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        else
            return nullptr;
    }
    latin1->resize(std::size_t(out - latin1->data()));
    return latin1;
}

class Holder
{
public:
    Holder(xcb_connection_t* connection, const std::string& text)
        : c(connection)
        , m_utf8(text)
    {
        // An ASCII text is its own Latin-1: no copy of a large text.
        if (std::all_of(m_utf8.begin(), m_utf8.end(), [](char byte) { return byte >= 0; }))
            m_string = &m_utf8;
        else if ((m_latin1 = latin1Of(m_utf8)))
            m_string = m_latin1.get();
        for (const char* name : {"CLIPBOARD", "TARGETS", "TIMESTAMP", "UTF8_STRING", "text/plain;charset=utf-8",
                                 "text/plain", "TEXT", "STRING", "INCR", "TAVIMOR_HOLDER"})
            m_atoms.push_back(atom(name));
    }

    // Owns the clipboard at a real server time; false when that fails.
    bool own()
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        m_window = xcb_generate_id(c);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        xcb_change_property(c, XCB_PROP_MODE_APPEND, m_window, m_atoms[Own], XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(c);
        while (std::unique_ptr<xcb_generic_event_t, FreeReply> event{xcb_wait_for_event(c)}) {
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                m_time = reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
                break;
            }
        }
        xcb_set_selection_owner(c, m_window, m_atoms[Clipboard], m_time);
        const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_atoms[Clipboard]), nullptr));
        return owner && owner->owner == m_window;
    }

    // Serves the text until another program takes the clipboard or the display ends.
    void serve()
    {
        while (std::unique_ptr<xcb_generic_event_t, FreeReply> event{xcb_wait_for_event(c)}) {
            switch (event->response_type & 0x7F) {
            case 0: // an error: a requestor that went away ends its transfer
                forget(reinterpret_cast<xcb_generic_error_t*>(event.get())->resource_id);
                break;
            case XCB_SELECTION_CLEAR: return;
            case XCB_SELECTION_REQUEST: answer(*reinterpret_cast<xcb_selection_request_event_t*>(event.get())); break;
            case XCB_PROPERTY_NOTIFY: nextPart(*reinterpret_cast<xcb_property_notify_event_t*>(event.get())); break;
            }
            xcb_flush(c);
        }
    }

private:
    enum Atom { Clipboard, Targets, Timestamp, Utf8String, TextPlainUtf8, TextPlain, Text, String, Incr, Own };
    struct Transfer
    {
        xcb_atom_t type;
        const std::string* bytes;
        std::size_t at;
    };

    xcb_atom_t atom(const char* name)
    {
        const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : XCB_NONE;
    }

    void answer(const xcb_selection_request_event_t& request)
    {
        // Programs older than the ICCCM name no property: the target stands for it.
        const xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
        bool served = true;
        const xcb_atom_t target = request.target;
        if (target == m_atoms[Targets]) {
            std::vector<xcb_atom_t> targets{m_atoms[Targets], m_atoms[Timestamp], m_atoms[Utf8String],
                                            m_atoms[TextPlainUtf8], m_atoms[TextPlain], m_atoms[Text]};
            if (m_string)
                targets.push_back(m_atoms[String]);
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                                std::uint32_t(targets.size()), targets.data());
        } else if (target == m_atoms[Timestamp]) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_INTEGER, 32, 1, &m_time);
        } else if (target == m_atoms[Utf8String] || target == m_atoms[TextPlainUtf8] || target == m_atoms[TextPlain]
                   || target == m_atoms[Text]) {
            put(request.requestor, property, target == m_atoms[Text] ? m_atoms[Utf8String] : target, m_utf8);
        } else if (target == m_atoms[String] && m_string) {
            put(request.requestor, property, target, *m_string);
        } else {
            served = false;
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = target;
        notify.property = served ? property : XCB_NONE;
        xcb_send_event(c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
    }

    // A text larger than a part goes in parts (INCR): each part once the
    // requestor has taken the one before, by deleting the property.
    void put(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type, const std::string& bytes)
    {
        if (bytes.size() <= kPartBytes) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, type, 8, std::uint32_t(bytes.size()),
                                bytes.data());
            return;
        }
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c, requestor, XCB_CW_EVENT_MASK, &events);
        const std::uint32_t size = std::uint32_t(bytes.size());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, m_atoms[Incr], 32, 1, &size);
        m_transfers[{requestor, property}] = Transfer{type, &bytes, 0};
    }

    void nextPart(const xcb_property_notify_event_t& notify)
    {
        const auto transfer = m_transfers.find({notify.window, notify.atom});
        if (transfer == m_transfers.end() || notify.state != XCB_PROPERTY_DELETE)
            return;
        Transfer& t = transfer->second;
        const std::size_t size = std::min(kPartBytes, t.bytes->size() - t.at);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, notify.window, notify.atom, t.type, 8, std::uint32_t(size),
                            t.bytes->data() + t.at);
        t.at += size;
        if (size == 0) // the empty part that ends it
            m_transfers.erase(transfer);
    }

    void forget(std::uint32_t window)
    {
        for (auto t = m_transfers.begin(); t != m_transfers.end();)
            t = t->first.first == window ? m_transfers.erase(t) : std::next(t);
    }

    xcb_connection_t* c;
    const std::string& m_utf8;
    std::unique_ptr<std::string> m_latin1;
    const std::string* m_string = nullptr; // the text as STRING, if it has one
    std::vector<xcb_atom_t> m_atoms;
    xcb_window_t m_window = XCB_NONE;
    xcb_timestamp_t m_time = XCB_CURRENT_TIME;
    std::map<std::pair<xcb_window_t, xcb_atom_t>, Transfer> m_transfers;
};

} // namespace

int holdClipboard(const char* host)
{
    const std::optional<std::string> text = readText(STDIN_FILENO);
    if (!text)
        return 1;
    std::signal(SIGPIPE, SIG_IGN); // a reader that went away ends its transfer only
    if (std::strcmp(host, kHoldForWayland) == 0)
        return holdWaylandClipboard(*text);
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(xcb_connect(nullptr, nullptr),
                                                                                  &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return 1;
    Holder holder(connection.get(), *text);
    if (!holder.own())
        return 1;
    std::fputs("owning\n", stdout);
    std::fclose(stdout); // the program that handed the text over may end now
    holder.serve();
    return 0;
}

} // namespace tavimor
