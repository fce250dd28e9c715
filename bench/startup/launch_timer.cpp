// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X display and prints two figures on one line:
// the milliseconds until its first top-level window is mapped, and its
// resident memory in kB a given time after the start. Then ends it.
//
//   launch_timer RSS_AFTER_MS PROGRAM [ARGUMENT...]
//
// Top-level windows are children of the root window; with no window manager
// running (as under Xvfb) their MapNotify reaches a client that selects
// SubstructureNotify on the root. Only a window whose _NET_WM_PID is the
// started program's counts: pop-ups and tooltips (override-redirect) and the
// windows of other clients of the same display are passed over.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool windowOfProcess(xcb_connection_t* x, xcb_window_t window, pid_t pid)
{
    static const xcb_atom_t netWmPid = [x] {
        const char name[] = "_NET_WM_PID";
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof name - 1, name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
        std::free(reply);
        return atom;
    }();
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    const bool match = reply && xcb_get_property_value_length(reply) == 4 &&
                       *static_cast<const uint32_t*>(xcb_get_property_value(reply)) == static_cast<uint32_t>(pid);
    std::free(reply);
    return match;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: launch_timer RSS_AFTER_MS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const auto rssAfter = std::chrono::milliseconds(std::atol(argv[1]));
    // A busy server now and then refuses a connection; a moment later it takes it.
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    for (int retry = 0; retry < 20 && xcb_connection_has_error(x); ++retry) {
        xcb_disconnect(x);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        x = xcb_connect(nullptr, nullptr);
    }
    if (int error = xcb_connection_has_error(x)) {
        std::fprintf(stderr, "launch_timer: no X display (%d)\n", error);
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    long mappedMs = -1;
    const int fd = xcb_get_file_descriptor(x);
    while (mappedMs < 0 && Clock::now() - start < std::chrono::seconds(30)) {
        pollfd ready{fd, POLLIN, 0};
        poll(&ready, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && !map->override_redirect && mappedMs < 0) {
                const auto mapped = Clock::now();
                if (windowOfProcess(x, map->window, child))
                    mappedMs = std::chrono::duration_cast<std::chrono::milliseconds>(mapped - start).count();
            }
            std::free(event);
        }
    }
    std::this_thread::sleep_until(start + rssAfter);
    const long rss = residentKb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%ld %ld\n", mappedMs, rss);
    return mappedMs < 0 || rss < 0 ? 1 : 0;
}
