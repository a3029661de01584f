/* Prints every map and resize of a top-level window until killed: "map|size W H (x,y)", one a line.
 * Shows whether a full-screen start flashes a window of another size first. Build: cc WatchMaps.c -lX11 */
#include <X11/Xlib.h>
#include <stdio.h>
int main(void) {
    Display* d = XOpenDisplay(NULL);
    if (!d) return 2;
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    setvbuf(stdout, NULL, _IOLBF, 0);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        XWindowAttributes a;
        if (e.type == MapNotify && XGetWindowAttributes(d, e.xmap.window, &a))
            printf("map %d %d (%d,%d)\n", a.width, a.height, a.x, a.y);
        else if (e.type == ConfigureNotify && e.xconfigure.override_redirect == False)
            printf("size %d %d (%d,%d)\n", e.xconfigure.width, e.xconfigure.height, e.xconfigure.x, e.xconfigure.y);
    }
}
