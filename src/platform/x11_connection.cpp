// SPDX-License-Identifier: MIT
#include "x11_connection.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace hueprint::x11 {

namespace {

// Replies are allocated by libxcb and released with free().
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); } // NOLINT(cppcoreguidelines-no-malloc)
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// Properties the windows look at hold a handful of items; longer ones are read no further.
constexpr std::uint32_t kMostItems = 1024;

} // namespace

xcb_connection_t* connection() {
#if QT_CONFIG(xcb)
    if (const auto* x11 = qGuiApp == nullptr
                              ? nullptr
                              : qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        return x11->connection();
    }
#endif
    return nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::vector<std::uint32_t> property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type) {
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, kMostItems),
        nullptr));
    if (!reply || reply->type != type || reply->format != 32) {
        return {};
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return {items, items + std::max(count, 0)};
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    const ReplyPtr<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return reply ? reply->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

void sendToWindowManager(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                         xcb_atom_t type, const std::uint32_t (&data)[5]) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(std::begin(data), std::end(data), std::begin(message.data.data32));
    // The request takes the event as the 32 bytes of the wire format.
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message)); // NOLINT(*-reinterpret-cast)
    xcb_flush(connection);
}

bool isMapped(xcb_connection_t* connection, xcb_window_t window) {
    const ReplyPtr<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
}

} // namespace hueprint::x11
