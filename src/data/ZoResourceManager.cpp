#include "ZoResourceManager.h"

#include "ZoShowError.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned char kScrambleKey = 0x6B;
constexpr std::size_t kScrambledBytes = 2048;
constexpr long kHeaderSize = 32;
constexpr std::int32_t kRecordFixedSize = 12;

std::int32_t ReadInt32(const unsigned char* bytes) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

// Closes the archive on every way out of Open and GetFile.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

long long FileLength(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long length = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return length;
}

} // namespace

ZoResourceManager& ZoResourceManager::Instance() {
    static ZoResourceManager instance;
    return instance;
}

void ZoResourceManager::Scramble(char* bytes, std::size_t count) {
    const std::size_t limit = count < kScrambledBytes ? count : kScrambledBytes;
    for (std::size_t i = 0; i < limit; ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ kScrambleKey);
}

std::string ZoResourceManager::LowerCase(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

bool ZoResourceManager::Open(const std::string& path) {
    ZoFileEntry entry;
    if (!ReadTableOfContents(path, entry)) {
        ShowError(path);
        return false;
    }
    archives_.push_back(std::move(entry));
    return true;
}

bool ZoResourceManager::ReadTableOfContents(const std::string& path, ZoFileEntry& entry) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    const long long length = FileLength(file.get());
    if (length < kHeaderSize)
        return false;
    if (std::fread(entry.header, 1, sizeof entry.header, file.get()) != sizeof entry.header)
        return false;
    entry.path = path;
    const std::int32_t count = ReadInt32(reinterpret_cast<const unsigned char*>(entry.header) + 8);
    if (count <= 0)
        return true;
    // A count the file cannot hold is damage, not a reason to allocate.
    if (static_cast<long long>(count) * kRecordFixedSize > length - kHeaderSize)
        return false;

    long long position = kHeaderSize;
    for (std::int32_t i = 0; i < count; ++i) {
        unsigned char fixed[kRecordFixedSize];
        if (std::fread(fixed, 1, sizeof fixed, file.get()) != sizeof fixed)
            return false;
        auto item = std::make_unique<zoResourceItem>();
        item->recordLength = ReadInt32(fixed);
        item->size = ReadInt32(fixed + 4);
        item->offset = ReadInt32(fixed + 8);
        if (item->recordLength < kRecordFixedSize || item->size < 0 || item->offset < 0)
            return false;
        const long long nameLength = item->recordLength - kRecordFixedSize;
        position += kRecordFixedSize + nameLength;
        if (position > length || static_cast<long long>(item->offset) + item->size > length)
            return false;
        std::string name(static_cast<std::size_t>(nameLength), '\0');
        if (nameLength > 0 && std::fread(&name[0], 1, name.size(), file.get()) != name.size())
            return false;
        Scramble(&name[0], name.size());
        // The name is a C string to the game: it ends at the first zero byte.
        name.resize(std::strlen(name.c_str()));
        item->name = name;
        entry.items[LowerCase(name)] = std::move(item);
    }
    return true;
}

const zoResourceItem* ZoResourceManager::Find(const std::string& name, const ZoFileEntry** archive) const {
    const std::string key = LowerCase(name);
    for (const ZoFileEntry& entry : archives_) {
        const auto it = entry.items.find(key);
        if (it != entry.items.end()) {
            if (archive)
                *archive = &entry;
            return it->second.get();
        }
    }
    return nullptr;
}

std::int32_t ZoResourceManager::GetFile(const std::string& name, ZoFileBlock& buffer) {
    const ZoFileEntry* archive = nullptr;
    const zoResourceItem* item = Find(name, &archive);
    if (!item)
        return -1;
    FileHandle file(std::fopen(archive->path.c_str(), "rb"));
    if (!file)
        return 0;
    lastSize_ = item->size;
    const std::size_t size = static_cast<std::size_t>(item->size);
    auto block = std::make_unique<char[]>(size + 1); // zeroed: a short read leaves zeros
    if (std::fseek(file.get(), item->offset, SEEK_SET) == 0 && size > 0)
        (void)std::fread(block.get(), 1, size, file.get());
    Scramble(block.get(), size);
    buffer = std::move(block);
    return item->size;
}

std::string ZoResourceManager::GetFileText(const std::string& name) {
    ZoFileBlock block;
    const std::int32_t size = GetFile(name, block);
    if (size <= 0 || !block)
        return std::string();
    return std::string(block.get(), static_cast<std::size_t>(size));
}
