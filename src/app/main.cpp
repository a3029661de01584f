// The entry point of Korrik Shooter.
#include "ZoStartup.h"

#include <string>
#include <unistd.h>

namespace {
// The game finds Data/ beside itself, from whatever folder it was started.
void EnterExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return;
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string::npos)
        return;
    folder.resize(slash == 0 ? 1 : slash);
    if (chdir(folder.c_str()) != 0)
        return; // then relative paths stay relative to where we were started
}
} // namespace

int main() {
    EnterExecutableFolder();
    return ZoStartup::Run();
}
