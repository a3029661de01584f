#include "PlatformTermination.h"

#include <SDL.h>

#include <csignal>
#include <dlfcn.h>
#include <unistd.h>

namespace {

// Written by the signal handler, so it can only be a plain flag of this type.
volatile std::sig_atomic_t g_terminationRequested = 0;

void OnTerminationSignal(int) {
    g_terminationRequested = 1;
}

// The X library's handler type, without its headers: the display pointer is only passed through.
using IoErrorHandler = int (*)(void* display);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler handler);

int OnDisplayLost(void*) {
    static const char kNote[] = "Korrik Shooter: the display connection was lost; ending.\n";
    const ssize_t written = write(STDERR_FILENO, kNote, sizeof(kNote) - 1);
    (void)written;
    // Returning would let the X library call exit(), whose destructors wait on the dead connection.
    _exit(0);
}

} // namespace

PlatformTermination& PlatformTermination::Instance() {
    static PlatformTermination termination;
    return termination;
}

void PlatformTermination::InstallSignalHandlers() {
    // SDL would otherwise put its own handlers in place of ours whenever its event queue starts.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool PlatformTermination::Requested() const {
    return g_terminationRequested != 0;
}

bool PlatformTermination::TakeRequest() {
    if (g_terminationRequested == 0)
        return false;
    g_terminationRequested = 0;
    return true;
}

bool PlatformTermination::WatchDisplayConnection() {
    // Only the copy SDL already loaded: no X library is pulled in for other display drivers.
    void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr)
        return false;
    auto setHandler = reinterpret_cast<SetIoErrorHandler>(dlsym(library, "XSetIOErrorHandler"));
    if (setHandler != nullptr)
        setHandler(OnDisplayLost);
    // The library stays loaded for SDL; this only drops our extra reference.
    dlclose(library);
    return setHandler != nullptr;
}
