/* Sends WM_DELETE_WINDOW to the window named argv[1], as a window manager would. Build: cc SendClose.c -lX11 */
#include <X11/Xlib.h>
#include <stdio.h>
#include <string.h>
static Window Find(Display* d, Window w, const char* name) {
    char* n = NULL;
    if (XFetchName(d, w, &n) && n) { int eq = strcmp(n, name) == 0; XFree(n); if (eq) return w; }
    Window root, parent, *kids = NULL; unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) found = Find(d, kids[i], name);
    if (kids) XFree(kids);
    return found;
}
int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (!d || argc < 2) return 2;
    Window w = Find(d, DefaultRootWindow(d), argv[1]);
    if (!w) return 1;
    XEvent e; memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage; e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32; e.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False); XCloseDisplay(d);
    return 0;
}
