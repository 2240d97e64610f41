// A program that owns the X11 clipboard as the clipboard tests need it to:
// it offers the text kinds it is told, sends large texts in parts (ICCCM
// INCR) of a given size with a pause between them, and can answer late, stop
// after some parts or never end. Prints "owning" once it owns the clipboard,
// and ends when another program takes it. With --manager it is a clipboard
// manager instead: it owns CLIPBOARD_MANAGER and, asked to (SAVE_TARGETS),
// takes the clipboard's text over from the program that ends.
//   clipboard_owner [--targets UTF8_STRING,...] [--hex BYTES | --lines N] [--chunk N]
//                   [--gap MS] [--late MS] [--parts N] [--endless] [--manager]
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

xcb_connection_t* c;

xcb_atom_t atom(const std::string& name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, name.size(), name.c_str()), nullptr);
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

void pause(long ms)
{
    xcb_flush(c);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct Transfer
{
    xcb_atom_t property, type;
    std::size_t at = 0, parts = 0;
};

} // namespace

int main(int argc, char** argv)
{
    std::string targetNames = "UTF8_STRING", text = "owned text";
    std::size_t chunk = 64 * 1024, parts = 0;
    long gap = 0, late = 0;
    bool endless = false, manager = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--targets") targetNames = value, ++i;
        else if (arg == "--hex") {
            text.clear();
            for (const char* p = value; p[0] && p[1]; p += 2)
                text += char(std::strtol(std::string(p, 2).c_str(), nullptr, 16));
            ++i;
        } else if (arg == "--lines") {
            text.clear();
            for (int n = 0; text.size() < std::size_t(std::atol(value)); ++n)
                text += "line " + std::to_string(n) + " of a clipboard text in parts\n";
            text.resize(std::size_t(std::atol(value)));
            ++i;
        } else if (arg == "--chunk") chunk = std::size_t(std::atol(value)), ++i;
        else if (arg == "--gap") gap = std::atol(value), ++i;
        else if (arg == "--late") late = std::atol(value), ++i;
        else if (arg == "--parts") parts = std::size_t(std::atol(value)), ++i;
        else if (arg == "--endless") endless = true;
        else if (arg == "--manager") manager = true;
    }
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "clipboard_owner: no X display (%d)\n", xcb_connection_has_error(c));
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t clipboard = atom("CLIPBOARD"), targetsAtom = atom("TARGETS"), incr = atom("INCR");
    std::vector<xcb_atom_t> targets;
    for (std::size_t from = 0; from <= targetNames.size();) {
        const std::size_t end = std::min(targetNames.find(',', from), targetNames.size());
        targets.push_back(atom(targetNames.substr(from, end - from)));
        from = end + 1;
    }
    const xcb_atom_t managerAtom = atom("CLIPBOARD_MANAGER"), saveTargets = atom("SAVE_TARGETS");
    const xcb_atom_t utf8 = atom("UTF8_STRING"), kept = atom("KEPT");
    xcb_set_selection_owner(c, window, manager ? managerAtom : clipboard, XCB_CURRENT_TIME);
    xcb_flush(c);
    std::printf("owning\n");
    std::fflush(stdout);

    std::map<xcb_window_t, Transfer> transfers;
    bool answeredText = false;
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const int type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_CLEAR && reinterpret_cast<xcb_selection_clear_event_t*>(event)->selection == clipboard)
            return 0;
        if (type == XCB_SELECTION_REQUEST) {
            const auto& request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
            xcb_selection_notify_event_t notify{};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request.time;
            notify.requestor = request.requestor;
            notify.selection = request.selection;
            notify.target = request.target;
            notify.property = request.property;
            const bool isText = std::find(targets.begin(), targets.end(), request.target) != targets.end();
            if (request.selection == managerAtom && request.target == saveTargets) {
                // Take the text over (in parts when it comes so), then the clipboard.
                xcb_convert_selection(c, window, clipboard, utf8, kept, request.time);
                xcb_flush(c);
                text.clear();
                bool parts = false;
                while (xcb_generic_event_t* answer = xcb_wait_for_event(c)) {
                    const int kind = answer->response_type & 0x7F;
                    const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(answer);
                    const bool ready = kind == XCB_SELECTION_NOTIFY
                        || (parts && kind == XCB_PROPERTY_NOTIFY && property->state == XCB_PROPERTY_NEW_VALUE);
                    std::free(answer);
                    if (!ready)
                        continue;
                    xcb_get_property_reply_t* got = xcb_get_property_reply(
                        c, xcb_get_property(c, 1, window, kept, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr);
                    if (!got) {
                        std::fprintf(stderr, "clipboard_owner: the text could not be read\n");
                        return 1;
                    }
                    const std::string bytes(static_cast<const char*>(xcb_get_property_value(got)),
                                            xcb_get_property_value_length(got));
                    const bool inParts = got->type == incr;
                    std::free(got);
                    xcb_flush(c);
                    if (inParts) {
                        parts = true;
                        continue;
                    }
                    text += bytes;
                    if (!parts || bytes.empty())
                        break;
                }
                targets = {utf8};
                xcb_set_selection_owner(c, window, clipboard, XCB_CURRENT_TIME);
            } else if (request.target == targetsAtom) {
                std::vector<xcb_atom_t> all = targets;
                all.push_back(targetsAtom);
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, request.property, XCB_ATOM_ATOM, 32,
                                    all.size(), all.data());
            } else if (isText) {
                if (!answeredText && late > 0)
                    pause(late);
                answeredText = true;
                if (text.size() <= chunk && !endless) {
                    xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, request.property, request.target,
                                        8, text.size(), text.data());
                } else {
                    const std::uint32_t size = std::uint32_t(text.size());
                    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
                    xcb_change_window_attributes(c, request.requestor, XCB_CW_EVENT_MASK, &events);
                    xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, request.property, incr, 32, 1,
                                        &size);
                    transfers[request.requestor] = Transfer{request.property, request.target};
                }
            } else {
                notify.property = XCB_NONE;
            }
            xcb_send_event(c, 0, request.requestor, 0, reinterpret_cast<const char*>(&notify));
            xcb_flush(c);
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto& notify = *reinterpret_cast<xcb_property_notify_event_t*>(event);
            auto transfer = transfers.find(notify.window);
            if (transfer != transfers.end() && notify.state == XCB_PROPERTY_DELETE && notify.atom == transfer->second.property) {
                Transfer& t = transfer->second;
                if (parts && t.parts == parts) { // frozen: never another part
                    transfers.erase(transfer);
                } else {
                    pause(gap);
                    const std::size_t size = endless ? chunk : std::min(chunk, text.size() - t.at);
                    std::string part = endless ? std::string(chunk, 'e') : text.substr(t.at, size);
                    xcb_change_property(c, XCB_PROP_MODE_REPLACE, notify.window, t.property, t.type, 8, part.size(),
                                        part.data());
                    t.at += size;
                    ++t.parts;
                    if (part.empty())
                        transfers.erase(transfer);
                    xcb_flush(c);
                }
            }
        }
        std::free(event);
    }
    return 0;
}
