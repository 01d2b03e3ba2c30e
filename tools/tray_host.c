/* A tiny system tray for trying the clock's icon on a bare X server (Xvfb has no panel).
 *
 *   tray_host [DELAY_SECONDS]
 *
 * After the delay it draws a strip at the top right of the screen, takes the tray selection of
 * screen 0, announces itself to the root window as a tray manager does, and docks every icon
 * that asks, side by side. It ends on SIGTERM or SIGINT, giving the selection back. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <unistd.h>

enum { kIconSize = 24, kStripWidth = 240, kStripHeight = 32, kRequestDock = 0, kEmbeddedNotify = 0 };

static volatile sig_atomic_t g_stop = 0;

static void stop(int signo)
{
    (void)signo;
    g_stop = 1;
}

static void sendEmbedded(Display* display, Window icon, Window strip, Atom xembed)
{
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = icon;
    e.xclient.message_type = xembed;
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = kEmbeddedNotify;
    e.xclient.data.l[3] = (long)strip;
    e.xclient.data.l[4] = 0; /* XEmbed version */
    XSendEvent(display, icon, False, NoEventMask, &e);
}

int main(int argc, char** argv)
{
    const int delay = argc > 1 ? atoi(argv[1]) : 0;
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = stop;
    sigaction(SIGTERM, &action, NULL);
    sigaction(SIGINT, &action, NULL);
    if (delay > 0)
        sleep((unsigned)delay);
    if (g_stop)
        return 0;

    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "tray_host: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int screenWidth = DisplayWidth(display, screen);

    XSetWindowAttributes attributes;
    attributes.background_pixel = 0x3c3c46;
    attributes.override_redirect = True;
    attributes.event_mask = SubstructureNotifyMask | ExposureMask;
    const Window strip = XCreateWindow(display, root, screenWidth - kStripWidth, 0, kStripWidth, kStripHeight, 0,
                                       CopyFromParent, InputOutput, CopyFromParent,
                                       CWBackPixel | CWOverrideRedirect | CWEventMask, &attributes);
    XStoreName(display, strip, "tray_host");
    XMapRaised(display, strip);

    char selectionName[32];
    snprintf(selectionName, sizeof selectionName, "_NET_SYSTEM_TRAY_S%d", screen);
    const Atom selection = XInternAtom(display, selectionName, False);
    const Atom opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    const Atom manager = XInternAtom(display, "MANAGER", False);
    const Atom xembed = XInternAtom(display, "_XEMBED", False);
    const Atom orientation = XInternAtom(display, "_NET_SYSTEM_TRAY_ORIENTATION", False);
    const long horizontal = 0;
    XChangeProperty(display, strip, orientation, XA_CARDINAL, 32, PropModeReplace,
                    (const unsigned char*)&horizontal, 1);

    XSetSelectionOwner(display, selection, strip, CurrentTime);
    if (XGetSelectionOwner(display, selection) != strip) {
        fprintf(stderr, "tray_host: another tray owns %s\n", selectionName);
        return 1;
    }
    XEvent announce;
    memset(&announce, 0, sizeof announce);
    announce.xclient.type = ClientMessage;
    announce.xclient.window = root;
    announce.xclient.message_type = manager;
    announce.xclient.format = 32;
    announce.xclient.data.l[0] = CurrentTime;
    announce.xclient.data.l[1] = (long)selection;
    announce.xclient.data.l[2] = (long)strip;
    XSendEvent(display, root, False, StructureNotifyMask, &announce);
    XFlush(display);

    int docked = 0;
    const int fd = ConnectionNumber(display);
    while (!g_stop) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == ClientMessage && e.xclient.message_type == opcode &&
                e.xclient.data.l[1] == kRequestDock) {
                const Window icon = (Window)e.xclient.data.l[2];
                XReparentWindow(display, icon, strip, 4 + docked * (kIconSize + 4),
                                (kStripHeight - kIconSize) / 2);
                XResizeWindow(display, icon, kIconSize, kIconSize);
                sendEmbedded(display, icon, strip, xembed);
                XMapRaised(display, icon);
                ++docked;
                printf("tray_host: docked window 0x%lx\n", (unsigned long)icon);
                fflush(stdout);
            }
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        struct timeval tick = {1, 0}; /* wake now and then to see a signal */
        select(fd + 1, &readable, NULL, NULL, &tick);
    }
    XSetSelectionOwner(display, selection, None, CurrentTime);
    XDestroyWindow(display, strip);
    XCloseDisplay(display);
    return 0;
}
