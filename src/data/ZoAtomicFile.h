// Writes whole files atomically (temporary file in the same folder, flushed, renamed over the old one).
#pragma once

#include <string>

class ZoAtomicFile {
public:
    // Replaces path with bytes. On any failure the old file stays exactly as it was, the temporary
    // file is removed and false comes back.
    static bool Write(const std::string& path, const std::string& bytes);
    // Creates folder and every missing parent. True when it exists afterwards.
    static bool CreateFolders(const std::string& folder);
    // Creates the folder that holds path (nothing to do for a bare file name).
    static bool CreateParentFolders(const std::string& path);
};
