#include "ClipboardHolder.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tavimor {

namespace {

// A reader that takes nothing for this long is given up, so that the holder
// goes on serving others and hears when another program takes the clipboard.
constexpr int kStalledReaderMs = 5000;

template <auto destroy>
struct Destroy
{
    template <typename T>
    void operator()(T* object) const { destroy(object); }
};
template <typename T, auto destroy>
using Owned = std::unique_ptr<T, Destroy<destroy>>;

struct Globals
{
    Owned<zwlr_data_control_manager_v1, zwlr_data_control_manager_v1_destroy> manager;
    Owned<wl_seat, wl_seat_destroy> seat;
};

void announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    auto& globals = *static_cast<Globals*>(data);
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0 && !globals.manager)
        globals.manager.reset(static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1)));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals.seat) // the first seat is the user's
        globals.seat.reset(static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1)));
}
void removed(void*, wl_registry*, std::uint32_t) {}
constexpr wl_registry_listener kRegistryListener{announce, removed};

struct Holding
{
    const std::string& text;
    bool ended = false;
};

// Writes the whole text into the reader's pipe, as fast as the reader takes it.
void send(void* data, zwlr_data_control_source_v1*, const char*, std::int32_t fd)
{
    const std::string& text = static_cast<Holding*>(data)->text;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (std::size_t at = 0; at < text.size();) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, kStalledReaderMs) != 1)
            break;
        const ssize_t wrote = ::write(fd, text.data() + at, text.size() - at);
        if (wrote < 0 && errno != EAGAIN)
            break; // the reader went away
        at += std::size_t(std::max<ssize_t>(wrote, 0));
    }
    ::close(fd);
}
// Another program has set the clipboard.
void cancelled(void* data, zwlr_data_control_source_v1*) { static_cast<Holding*>(data)->ended = true; }
constexpr zwlr_data_control_source_v1_listener kSourceListener{send, cancelled};

// The compositor offers the clipboard's contents; the holder never reads them.
void dataOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    zwlr_data_control_offer_v1_destroy(offer);
}
void selection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}
void finished(void* data, zwlr_data_control_device_v1*) { static_cast<Holding*>(data)->ended = true; }
constexpr zwlr_data_control_device_v1_listener kDeviceListener{dataOffer, selection, finished};

} // namespace

int holdWaylandClipboard(const std::string& text)
{
    const Owned<wl_display, wl_display_disconnect> display(wl_display_connect(nullptr));
    if (!display)
        return 1;
    Globals globals;
    const Owned<wl_registry, wl_registry_destroy> registry(wl_display_get_registry(display.get()));
    wl_registry_add_listener(registry.get(), &kRegistryListener, &globals);
    wl_display_roundtrip(display.get());
    if (!globals.manager || !globals.seat)
        return 1; // no data-control: the compositor keeps the clipboard as it does
    Holding holding{text};
    const Owned<zwlr_data_control_device_v1, zwlr_data_control_device_v1_destroy> device(
        zwlr_data_control_manager_v1_get_data_device(globals.manager.get(), globals.seat.get()));
    zwlr_data_control_device_v1_add_listener(device.get(), &kDeviceListener, &holding);
    const Owned<zwlr_data_control_source_v1, zwlr_data_control_source_v1_destroy> source(
        zwlr_data_control_manager_v1_create_data_source(globals.manager.get()));
    zwlr_data_control_source_v1_add_listener(source.get(), &kSourceListener, &holding);
    for (const char* kind : {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "TEXT"})
        zwlr_data_control_source_v1_offer(source.get(), kind);
    zwlr_data_control_device_v1_set_selection(device.get(), source.get());
    if (wl_display_roundtrip(display.get()) < 0 || holding.ended)
        return 1;
    std::fputs("owning\n", stdout);
    std::fclose(stdout); // the program that handed the text over may end now
    while (!holding.ended && wl_display_dispatch(display.get()) >= 0) {
    }
    return 0;
}

} // namespace tavimor
