// The entry point of Korrik Shooter: the command line, where the files live, then the game.
#include "ZoCommandLine.h"
#include "ZoPaths.h"
#include "ZoStartup.h"

#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

#ifndef KORRIK_VERSION
#define KORRIK_VERSION "unknown"
#endif
#ifndef KORRIK_INSTALLED_DATA
#define KORRIK_INSTALLED_DATA ""
#endif

namespace {

constexpr const char* kProgram = "korrik-shooter";

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return ".";
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? "." : folder.substr(0, slash == 0 ? 1 : slash);
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* entry = getpwuid(getuid()))
            home = entry->pw_dir != nullptr ? entry->pw_dir : "";
    return home;
}

} // namespace

int main(int argc, char** argv) {
    const ZoCommandLine line = ZoCommandLine::Parse(argc, argv);
    switch (line.action) {
    case ZoCommandLine::Action::Help:
        std::fputs(ZoCommandLine::Usage(kProgram).c_str(), stdout);
        return 0;
    case ZoCommandLine::Action::Version:
        std::printf("%s %s\n", kProgram, KORRIK_VERSION);
        return 0;
    case ZoCommandLine::Action::Refuse:
        std::fprintf(stderr, "%s: %s (see --help)\n", kProgram, line.error.c_str());
        return 2;
    case ZoCommandLine::Action::Play:
        break;
    }

    ZoPathEnvironment environment;
    environment.executableFolder = ExecutableFolder();
    environment.installedData = KORRIK_INSTALLED_DATA;
    environment.dataDirOption = line.dataDir;
    environment.xdgDataHome = Environment("XDG_DATA_HOME");
    environment.home = HomeFolder();
    environment.xdgRuntimeDir = Environment("XDG_RUNTIME_DIR");
    ZoPaths& paths = ZoPaths::Instance();
    if (!paths.Resolve(environment)) {
        std::fprintf(stderr, "%s: %s\n", kProgram, paths.error.c_str());
        return 2;
    }
    // Working in the player's folder: nothing relative can land in the install or where we were started.
    if (!paths.CreateUserFolder() || chdir(paths.userFolder.c_str()) != 0)
        std::fprintf(stderr, "%s: cannot use %s; nothing will be saved\n", kProgram,
                     paths.userFolder.c_str());

    ZoStartupOptions options;
    options.windowed = line.windowed;
    return ZoStartup::Run(options);
}
