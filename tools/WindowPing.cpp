// Asks a window's program whether it still handles its events: sends the window the ping a
// window manager sends (_NET_WM_PING) and waits for the program to send it back to the root
// window, as a program whose event loop runs does at once. Only the X server is needed, no
// window manager (the reply is watched for on the root window).
//
//     WindowPing window-id timeout-ms
//
// Exit status 0 when the reply came in time, 1 when it did not, 2 when the display or the
// window is not there or the window does not take pings.

#include <xcb/xcb.h>

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// Whether the window lists `protocol` among its WM_PROTOCOLS.
bool takes(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t protocols, xcb_atom_t protocol) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, window, protocols, XCB_ATOM_ATOM, 0, 64), nullptr),
        &std::free);
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == protocol) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: WindowPing window-id timeout-ms\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::stoul(argv[1], nullptr, 0));
    const int timeoutMs = std::atoi(argv[2]);

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(connection, "_NET_WM_PING");
    if (!takes(connection, window, protocols, ping)) {
        std::fprintf(stderr, "window %s is not there or takes no pings\n", argv[1]);
        xcb_disconnect(connection);
        return 2;
    }

    // The program sends its reply to the root window, for whoever watches the root's structure
    // (or its substructure, as window managers do).
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);

    // The ping's time stamp tells its reply apart from any other.
    const auto stamp = static_cast<std::uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch() / std::chrono::milliseconds(1));
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = ping;
    message.data.data32[1] = stamp;
    message.data.data32[2] = window;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 1;
    while (status == 1) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                const auto* reply = reinterpret_cast<const xcb_client_message_event_t*>(event);
                if (reply->type == protocols && reply->data.data32[0] == ping && reply->data.data32[1] == stamp) {
                    status = 0;
                }
            }
            std::free(event);
        }
        if (status == 0 || xcb_connection_has_error(connection)) {
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        (void)poll(&descriptor, 1, static_cast<int>(left.count()));
    }
    xcb_disconnect(connection);
    return status;
}
