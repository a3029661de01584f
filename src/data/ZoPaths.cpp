#include "ZoPaths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string Absolute(const std::string& path) {
    if (IsAbsolute(path))
        return path;
    char here[PATH_MAX];
    return getcwd(here, sizeof here) != nullptr ? WithSlash(here) + path : path;
}

// The folder's real name where it exists, so messages show no "..", with the slash the callers expect.
std::string Tidy(const std::string& folder) {
    char real[PATH_MAX];
    return WithSlash(realpath(folder.c_str(), real) != nullptr ? std::string(real) : folder);
}

bool HoldsArchives(const std::string& folder) {
    struct stat info {};
    return stat((WithSlash(folder) + "Resource.Zor").c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

ZoPaths& ZoPaths::Instance() {
    static ZoPaths paths;
    return paths;
}

bool ZoPaths::Resolve(const ZoPathEnvironment& environment) {
    error.clear();
    const std::string program = WithSlash(Absolute(environment.executableFolder));
    const std::string besideProgram = program + "Data/";
    const bool buildTree = HoldsArchives(besideProgram);

    if (!environment.dataDirOption.empty()) {
        // The archives' own folder, or the folder above it that holds Data/.
        const std::string given = Absolute(environment.dataDirOption);
        if (HoldsArchives(given)) {
            dataFolder = Tidy(given);
        } else if (HoldsArchives(WithSlash(given) + "Data")) {
            dataFolder = Tidy(WithSlash(given) + "Data");
        } else {
            error = "no game data (Resource.Zor) in " + environment.dataDirOption;
            return false;
        }
    } else if (buildTree || environment.installedData.empty()) {
        dataFolder = Tidy(besideProgram);
    } else {
        // Even when it is missing: the error then names the folder the install should have filled.
        const std::string& installed = environment.installedData;
        dataFolder = Tidy(IsAbsolute(installed) ? installed : program + installed);
    }

    // A build tree keeps the player's files beside its archives, as it always did; an install is never
    // written to, even by root.
    if (buildTree && access(besideProgram.c_str(), W_OK) == 0) {
        userFolder = Tidy(besideProgram);
    } else if (IsAbsolute(environment.xdgDataHome)) {
        userFolder = WithSlash(environment.xdgDataHome) + kGameFolderName + "/";
    } else if (IsAbsolute(environment.home)) {
        userFolder = WithSlash(environment.home) + ".local/share/" + kGameFolderName + "/";
    } else {
        error = "no home folder for the player's files (set HOME or XDG_DATA_HOME)";
        return false;
    }

    lockFile = IsAbsolute(environment.xdgRuntimeDir)
                   ? WithSlash(environment.xdgRuntimeDir) + kGameFolderName + ".lock"
                   : std::string();
    return true;
}

bool ZoPaths::CreateUserFolder() const {
    for (std::size_t slash = userFolder.find('/', 1); slash != std::string::npos;
         slash = userFolder.find('/', slash + 1)) {
        const std::string folder = userFolder.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return stat(userFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
