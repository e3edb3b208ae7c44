/* Asks a top-level window's program for a round trip through its event loop: a
 * WM_PROTOCOLS _NET_WM_PING client message sent to the window comes back on the root window
 * once the program has handled it.
 *
 *   xping WINDOW_ID [TIMEOUT_MS]
 *
 * Prints the milliseconds the answer took. Exit status 0 answered in time, 1 no answer in
 * time, 2 bad arguments or no X display, 3 no such window (it may have just closed). */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

/* A window that vanished while we asked is an X error, not a crash of the probe. */
static int window_error = 0;
static int on_error(Display* d, XErrorEvent* e) {
    (void)d;
    window_error = e->error_code;
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: xping WINDOW_ID [TIMEOUT_MS]\n");
        return 2;
    }
    char* end = NULL;
    const unsigned long window = strtoul(argv[1], &end, 0);
    if (*argv[1] == '\0' || *end != '\0' || window == 0) {
        fprintf(stderr, "xping: not a window id: %s\n", argv[1]);
        return 2;
    }
    long timeout = 1000;
    if (argc == 3) {
        timeout = strtol(argv[2], &end, 10);
        if (*argv[2] == '\0' || *end != '\0' || timeout <= 0) {
            fprintf(stderr, "xping: not a timeout in milliseconds: %s\n", argv[2]);
            return 2;
        }
    }
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) {
        fprintf(stderr, "xping: cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(on_error);
    const Window root = DefaultRootWindow(d);
    const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(d, "_NET_WM_PING", False);
    /* The answer goes to the root window, for its structure or substructure listeners
     * (toolkits differ); both may be selected by any number of clients. */
    XSelectInput(d, root, StructureNotifyMask | SubstructureNotifyMask);

    /* A timestamp of our own tells our answer from any other ping's. */
    const long stamp = now_ms() & 0x7fffffff;
    XEvent e = {0};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = protocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)ping;
    e.xclient.data.l[1] = stamp;
    e.xclient.data.l[2] = (long)window;
    const long start = now_ms();
    XSendEvent(d, window, False, NoEventMask, &e);
    XSync(d, False);
    if (window_error != 0) {
        fprintf(stderr, "xping: no window 0x%lx\n", window);
        XCloseDisplay(d);
        return 3;
    }

    for (;;) {
        while (XPending(d) > 0) {
            XEvent r;
            XNextEvent(d, &r);
            if (r.type == ClientMessage && r.xclient.message_type == protocols &&
                (Atom)r.xclient.data.l[0] == ping && r.xclient.data.l[1] == stamp &&
                (unsigned long)r.xclient.data.l[2] == window) {
                printf("%ld\n", now_ms() - start);
                XCloseDisplay(d);
                return 0;
            }
        }
        const long left = start + timeout - now_ms();
        if (left <= 0)
            break;
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        if (poll(&p, 1, (int)left) < 0 && errno != EINTR)
            break;
    }
    fprintf(stderr, "xping: window 0x%lx gave no answer within %ld ms\n", window, timeout);
    XCloseDisplay(d);
    return 1;
}
