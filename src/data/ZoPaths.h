// Where the game's files live: the read-only archives, and the player's options, profiles, saved games
// and high-score tables.
#pragma once

#include <string>

// What the folders are decided from; empty strings for what is not there.
struct ZoPathEnvironment {
    std::string executableFolder; // absolute, the folder the running program lies in
    std::string installedData;    // the install's archive folder, relative to executableFolder
    std::string dataDirOption;    // --data-dir, as typed
    std::string xdgDataHome;      // $XDG_DATA_HOME
    std::string home;             // $HOME, or the password database's home folder
    std::string xdgRuntimeDir;    // $XDG_RUNTIME_DIR
};

class ZoPaths {
public:
    static constexpr const char* kGameFolderName = "korrik-shooter";

    // The folders of this process. Until start-up sets them, both are "Data/" in the working folder.
    static ZoPaths& Instance();

    // The archives' folder, then the player's folder: next to the program in a build tree, else the
    // install's share folder and $XDG_DATA_HOME/korrik-shooter/. Looks at the file system, changes nothing.
    // False with error set when --data-dir holds no archives or no home folder is known.
    bool Resolve(const ZoPathEnvironment& environment);

    // Makes the player's folder and every missing parent, readable by the player alone, as the XDG
    // folders are meant to be. True when it exists afterwards.
    bool CreateUserFolder() const;

    std::string DataFile(const std::string& name) const { return dataFolder + name; }
    std::string UserFile(const std::string& name) const { return userFolder + name; }

    // Both end with '/'.
    std::string dataFolder = "Data/";
    std::string userFolder = "Data/";
    // The single-instance lock; empty for the platform's per-user default.
    std::string lockFile;
    std::string error;
};
