/* Time from starting a program to its first frame on screen, on an X server without a window
 * manager (Xvfb):
 *
 *   first_frame PROGRAM [ARGS...]
 *
 * Starts the program and watches every top-level window it makes for the first drawing into
 * one of them (the X server's damage report; watched from the window's creation, so a paint
 * that follows the mapping at once is not missed). Prints the milliseconds from the
 * start to that drawing, then ends the program (SIGTERM). Exits 1 when nothing is drawn within
 * 30 s. */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <stdio.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/* A window may be gone before it is watched (the program makes and drops short-lived ones). */
static int ignoreErrors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: first_frame PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_frame: cannot open the display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        perror("first_frame: exec");
        _exit(127);
    }

    double drawn = -1;
    const int fd = ConnectionNumber(display);
    while (drawn < 0 && now_ms() - start < 30000) {
        while (XPending(display) && drawn < 0) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
                XDamageCreate(display, e.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (e.type == damageEvent + XDamageNotify) {
                drawn = now_ms() - start;
            }
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        struct timeval tick = {0, 100000};
        select(fd + 1, &readable, NULL, NULL, &tick);
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    if (drawn < 0) {
        fprintf(stderr, "first_frame: nothing was drawn within 30 s\n");
        return 1;
    }
    printf("%.1f\n", drawn);
    return 0;
}
