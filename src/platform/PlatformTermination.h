// How the game ends when told to from outside: termination signals and a lost display connection.
#pragma once

class PlatformTermination {
public:
    static PlatformTermination& Instance();

    // SIGTERM and SIGINT ask the frame loop to end, so shut-down runs its normal order. The handler
    // only sets a flag; a second signal takes the default action, for a game that no longer listens.
    void InstallSignalHandlers();
    // True once a termination signal arrived and nobody took it yet.
    bool Requested() const;
    // Takes the request (the events turn it into the end of the loop); false when there was none.
    bool TakeRequest();

    // With the display connection gone nothing can be shown or closed any more, and the window
    // system's own reaction (exit with destructors that talk to the dead connection) hangs the
    // process. Once the video layer runs on X, a lost connection ends the process at once, status 0;
    // nothing is written at shut-down anyway. False when the X library is not in use.
    static bool WatchDisplayConnection();

private:
    PlatformTermination() = default;
};
