// Fuzz target: any bytes as an archive file: open it and read every file it names.
#include "ZoResourceManager.h"
#include "ZoShowError.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (SetErrorHandler([](const std::string&) {}), true);
    (void)quiet;
    static const std::string path = "/tmp/fuzz_archive." + std::to_string(getpid()) + ".Zor";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    ZoResourceManager archives;
    if (archives.Open(path)) {
        for (const auto& entry : archives.Archives().front().items) {
            ZoFileBlock block;
            const std::int32_t got = archives.GetFile(entry.second->name, block);
            // An accepted table of contents only names bytes inside the file.
            if (got != entry.second->size || static_cast<std::size_t>(got) > size)
                __builtin_trap();
            if (got > 0 && block[static_cast<std::size_t>(got)] != '\0')
                __builtin_trap();
        }
    }
    std::remove(path.c_str());
    return 0;
}
