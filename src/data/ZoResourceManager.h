// The set of open resource archives (".Zor"): every game file is read through GetFile.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A file's bytes as GetFile returns them: size + 1 bytes, the last one zero.
using ZoFileBlock = std::unique_ptr<char[]>;

struct zoResourceItem {
    std::int32_t recordLength = 0;
    std::int32_t size = 0;
    std::int32_t offset = 0;
    std::string name;
};

struct ZoFileEntry {
    char header[32] = {};
    std::map<std::string, std::unique_ptr<zoResourceItem>> items; // key: lower-case name
    std::string path;
};

class ZoResourceManager {
public:
    static ZoResourceManager& Instance();

    // Adds the archive at path after those already open. False (and the "Error" box with the path)
    // when it cannot be read or its table of contents is damaged.
    bool Open(const std::string& path);
    // -1: no archive holds the name (buffer untouched); 0: its archive failed to open (buffer untouched);
    // otherwise the size, and buffer holds the unscrambled bytes plus a terminating zero.
    std::int32_t GetFile(const std::string& name, ZoFileBlock& buffer);
    // Convenience for readers that only want the bytes: empty when missing.
    std::string GetFileText(const std::string& name);

    // The item the game would read for name (first archive wins), or null.
    const zoResourceItem* Find(const std::string& name, const ZoFileEntry** archive = nullptr) const;

    // XOR 0x6B over the first min(count, 2048) bytes: scrambles and unscrambles alike.
    static void Scramble(char* bytes, std::size_t count);
    // ASCII A-Z only, as the archive keys are built.
    static std::string LowerCase(std::string name);

    const std::vector<ZoFileEntry>& Archives() const { return archives_; }
    std::int32_t LastSize() const { return lastSize_; }

private:
    // False for an unreadable file or a damaged table of contents (nothing is added then).
    static bool ReadTableOfContents(const std::string& path, ZoFileEntry& entry);

    std::vector<ZoFileEntry> archives_;
    std::int32_t lastSize_ = -1;
};
