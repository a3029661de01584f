// The whole life of the game process: single instance, archives, profiles, application, loop, shut-down.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class GameApplication;
class ZoBaseApplication;

struct ZoStartupOptions {
    // The single-instance lock file; empty for the one the player's folders name.
    std::string lockPath;
    // The window mode of the command line, for this run only; none: the saved option.
    std::optional<bool> windowed;
    // Frames paced to the display; scripted runs may switch it off.
    bool framePacing = true;
    // Looks at every SetProgress value, in order.
    std::function<void(std::int32_t)> onProgress;
    // Runs after the application has its content, just before the loop starts.
    std::function<void(GameApplication&)> beforeRun;
    // Runs after every frame of the loop.
    std::function<void(ZoBaseApplication&)> afterFrame;
};

class ZoStartup {
public:
    static constexpr const char* kResourceArchiveError = "Error Loading Resource File. Resource.Zor";
    static constexpr const char* kLanguageArchiveError = "Error Loading Resource File.";
    static constexpr const char* kSizeArchiveError = "Error Loading Resource File. 240x320.Zor";

    // Start-up, the frame loop and shut-down in their fixed order. Always 0, a second copy included.
    static int Run(const ZoStartupOptions& options = {});

    // The extra archive some small screen sizes need; empty for every other size.
    static std::string SizeSpecificArchive(std::int32_t width, std::int32_t height);
};
