// How long a program takes from its start to its first paint, seen from the X server:
//   first_paint DISPLAY TIMEOUT_MS PROGRAM [ARGS...]
// watches the display for new windows, starts PROGRAM on it, and prints the milliseconds from
// the start to the first drawing on one of its windows (the X Damage extension reports it,
// whoever draws: the program, or the server filling a window's background), then ends the
// program. Prints nothing and ends with status 1 when nothing was drawn within TIMEOUT_MS.
// The same measure for any program, so that the kit's start-up stands beside a terminal's.

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
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
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
            if (type == XCB_CREATE_NOTIFY) {
                // Every new top-level window is watched from its creation on, so that no
                // drawing is missed.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(x, xcb_generate_id(x), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(x);
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && painted < 0) {
                painted = std::chrono::duration<double, std::milli>(
                              std::chrono::steady_clock::now() - start)
                              .count();
            }
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
