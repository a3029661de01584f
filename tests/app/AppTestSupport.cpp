#include "AppTestSupport.h"

#include "ZoArchiveWriter.h"
#include "ZoResourceManager.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

namespace apptest {

std::string SolidTga(int width, int height, std::uint32_t rgba) {
    std::string bytes(18, '\0');
    bytes[2] = 2; // uncompressed true colour
    bytes[12] = static_cast<char>(width & 0xFF);
    bytes[13] = static_cast<char>(width >> 8);
    bytes[14] = static_cast<char>(height & 0xFF);
    bytes[15] = static_cast<char>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28; // top-left origin, 8 alpha bits
    const char pixel[4] = {static_cast<char>((rgba >> 8) & 0xFF), static_cast<char>((rgba >> 16) & 0xFF),
                           static_cast<char>(rgba >> 24), static_cast<char>(rgba & 0xFF)};
    for (int i = 0; i < width * height; ++i)
        bytes.append(pixel, 4);
    return bytes;
}

std::string MakeTemporaryFolder(const std::string& tag) {
    std::string pattern = ::testing::TempDir() + "korrik-app-" + tag + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        return "";
    return pattern;
}

bool OpenTestArchive(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string folder = MakeTemporaryFolder(tag);
    if (folder.empty())
        return false;
    const std::string path = folder + "/" + tag + ".Zor";
    return ZoArchiveWriter::Write(path, files) && ZoResourceManager::Instance().Open(path);
}

} // namespace apptest
