// Packs named files into a resource archive (".Zor"), the format ZoResourceManager reads.
#pragma once

#include <string>
#include <utility>
#include <vector>

class ZoArchiveWriter {
public:
    // (stored name, bytes), in the order they go into the table of contents.
    using Entries = std::vector<std::pair<std::string, std::string>>;

    // The whole archive in memory: a 32-byte header of zeros but the entry count, the records
    // with scrambled names, then every file's data in entry order with its first 2048 bytes scrambled.
    // False when the archive would not fit the format's signed 32-bit sizes and offsets.
    static bool Build(const Entries& entries, std::string& archive);
    // Build, then write atomically to path (creating its folder when missing).
    static bool Write(const std::string& path, const Entries& entries);
    // Every regular file under folder, stored as prefix + its path relative to folder with "/"
    // separators, sorted by stored name so the same folder always gives the same archive.
    static bool CollectFolder(const std::string& folder, const std::string& prefix, Entries& entries,
                              std::string& error);
};
