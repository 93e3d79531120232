// SPDX-License-Identifier: MIT
// A window manager that lists _NET_REQUEST_FRAME_EXTENTS and _NET_FRAME_EXTENTS among the hints
// it supports but never answers the request, as some window managers do. It maps and configures
// windows as asked, draws no frames, and writes to standard output, each line with the time
// (CLOCK_MONOTONIC, nanoseconds, the clock of the program's first-paint report):
//   ready <ns>                       once it manages the screen
//   clock <ns>                       on SIGUSR1 (a test reads the clock before it acts)
//   map <ns> <window>                a window asks to be mapped
//   ignored-frame-request <ns> <window>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); } // NOLINT(cppcoreguidelines-no-malloc)
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Writes "clock <ns>" with write(2) alone, which a signal handler may call.
extern "C" void reportClock(int /*signal*/) {
    char line[40] = "clock ";
    long long ns = monotonicNs();
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + ns % 10);
        ns /= 10;
    } while (ns > 0 && count < 24);
    int length = 6;
    while (count > 0) {
        line[length++] = digits[--count];
    }
    line[length++] = '\n';
    (void)!write(STDOUT_FILENO, line, static_cast<std::size_t>(length));
}

void report(const char* what, xcb_window_t window = XCB_WINDOW_NONE) {
    std::printf("%s %lld 0x%x\n", what, monotonicNs(), window);
    std::fflush(stdout);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void setWindowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type, const std::vector<std::uint32_t>& items) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                        static_cast<std::uint32_t>(items.size()), items.data());
}

// Passes a configure request on as asked: the values follow the mask, in the order of its bits.
void configureAsAsked(xcb_connection_t* connection, const xcb_configure_request_event_t& request) {
    std::vector<std::uint32_t> values;
    const std::uint16_t mask = request.value_mask;
    const auto add = [&](std::uint16_t bit, std::uint32_t value) {
        if ((mask & bit) != 0) {
            values.push_back(value);
        }
    };
    add(XCB_CONFIG_WINDOW_X, static_cast<std::uint32_t>(request.x));
    add(XCB_CONFIG_WINDOW_Y, static_cast<std::uint32_t>(request.y));
    add(XCB_CONFIG_WINDOW_WIDTH, request.width);
    add(XCB_CONFIG_WINDOW_HEIGHT, request.height);
    add(XCB_CONFIG_WINDOW_BORDER_WIDTH, request.border_width);
    add(XCB_CONFIG_WINDOW_SIBLING, request.sibling);
    add(XCB_CONFIG_WINDOW_STACK_MODE, request.stack_mode);
    xcb_configure_window(connection, request.window, mask, values.data());
}

} // namespace

int main() {
    xcb_connection_t* const connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const std::uint32_t rootEvents =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const ReplyPtr<xcb_generic_error_t> refused(xcb_request_check(
        connection,
        xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &rootEvents)));
    if (refused) {
        std::fprintf(stderr, "another window manager runs\n");
        return 1;
    }

    // The check window names itself, and the root window names it: a window manager runs.
    const xcb_window_t check = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, check, root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t supportingCheck = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    const xcb_atom_t requestFrameExtents = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    setWindowProperty(connection, check, supportingCheck, XCB_ATOM_WINDOW, {check});
    setWindowProperty(connection, root, supportingCheck, XCB_ATOM_WINDOW, {check});
    setWindowProperty(
        connection, root, supported, XCB_ATOM_ATOM,
        {supported, supportingCheck, requestFrameExtents, atom(connection, "_NET_FRAME_EXTENTS")});
    xcb_flush(connection);
    std::signal(SIGUSR1, reportClock);
    report("ready");

    while (const std::unique_ptr<xcb_generic_event_t, FreeReply> event{
        xcb_wait_for_event(connection)}) {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_REQUEST: {
            const auto* request = reinterpret_cast<const xcb_map_request_event_t*>(event.get());
            report("map", request->window);
            xcb_map_window(connection, request->window);
            break;
        }
        case XCB_CONFIGURE_REQUEST:
            configureAsAsked(connection,
                             *reinterpret_cast<const xcb_configure_request_event_t*>(event.get()));
            break;
        case XCB_CLIENT_MESSAGE: {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
            if (message->type == requestFrameExtents) {
                report("ignored-frame-request", message->window);
            }
            break;
        }
        default:
            break;
        }
        xcb_flush(connection);
    }
    return 0;
}
