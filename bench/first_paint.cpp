// How long a program takes from its start to its first paint, seen from the X server:
//   first_paint DISPLAY TIMEOUT_MS PROGRAM [ARGS...]
// starts PROGRAM on the display, and prints the milliseconds from the start to the first
// drawing on one of its windows (the X Damage extension reports it, whoever draws: the
// program, or the server filling a window's background), then ends the program. It maps the
// program's windows itself, as a window manager does, after it has begun to watch them, so
// that no drawing goes unseen. Prints nothing and ends with status 1 when nothing was drawn within
// TIMEOUT_MS. The same measure for any program, so that the kit's start-up stands beside a
// terminal's.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: first_paint DISPLAY TIMEOUT_MS PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    ::setenv("DISPLAY", argv[1], 1);
    ::unsetenv("QT_QPA_PLATFORM"); // a Qt program draws on the display itself
    const int timeoutMs = std::atoi(argv[2]);
    xcb_connection_t* x = xcb_connect(argv[1], nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "first_paint: no display %s\n", argv[1]);
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fputs("first_paint: the display has no Damage extension\n", stderr);
        return 2;
    }
    std::free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t events =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(x);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
        std::fprintf(stderr, "first_paint: cannot start %s\n", argv[3]);
        return 2;
    }
    double painted = -1;
    pollfd waiting{xcb_get_file_descriptor(x), POLLIN, 0};
    while (painted < 0) {
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (elapsed > timeoutMs)
            break;
        ::poll(&waiting, 1, 10);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event,
                                                                                   &std::free);
            const int type = event->response_type & 0x7F;
            if (type == XCB_MAP_REQUEST) {
                const auto* request = reinterpret_cast<xcb_map_request_event_t*>(event);
                xcb_damage_create(x, xcb_generate_id(x), request->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_map_window(x, request->window);
                xcb_flush(x);
            } else if (type == XCB_CONFIGURE_REQUEST) {
                // As asked: this window manager places nothing.
                const auto* request = reinterpret_cast<xcb_configure_request_event_t*>(event);
                std::uint32_t values[7];
                std::uint16_t mask = 0;
                int n = 0;
                auto take = [&](std::uint16_t bit, std::uint32_t value) {
                    if (request->value_mask & bit) {
                        mask |= bit;
                        values[n++] = value;
                    }
                };
                take(XCB_CONFIG_WINDOW_X, static_cast<std::uint32_t>(request->x));
                take(XCB_CONFIG_WINDOW_Y, static_cast<std::uint32_t>(request->y));
                take(XCB_CONFIG_WINDOW_WIDTH, request->width);
                take(XCB_CONFIG_WINDOW_HEIGHT, request->height);
                take(XCB_CONFIG_WINDOW_BORDER_WIDTH, request->border_width);
                take(XCB_CONFIG_WINDOW_SIBLING, request->sibling);
                take(XCB_CONFIG_WINDOW_STACK_MODE, request->stack_mode);
                xcb_configure_window(x, request->window, mask, values);
                xcb_flush(x);
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && painted < 0)
                painted = std::chrono::duration<double, std::milli>(
                              std::chrono::steady_clock::now() - start)
                              .count();
        }
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    xcb_disconnect(x);
    if (painted < 0)
        return 1;
    std::printf("%.2f\n", painted);
    return 0;
}
