// Shared access for the data tests: the packed archives of the build, and small readers of their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PictureFrames {
    std::string name;
    int columns;
    int rows;
};

// Every picture the game loads, with the frame grid it cuts it into.
const std::vector<PictureFrames>& GamePictures();

// Opens Data/Resource.Zor and Data/Lang.Zor of the build once; false when they are missing.
bool OpenGameArchives();
// The bytes of an archived file; empty when no archive holds it.
std::vector<std::uint8_t> ArchiveFile(const std::string& name);
// The archived picture file of a bare name, trying the game's extensions; path receives the name found.
std::vector<std::uint8_t> PictureFile(const std::string& name, std::string* path = nullptr);

struct PictureSize {
    int width = 0, height = 0;
    bool hasAlpha = false;
};
// Our own header readers: a 32-bit uncompressed TGA of exactly the right length, or a baseline JPEG.
bool ReadTgaSize(const std::vector<std::uint8_t>& file, PictureSize& size);
bool ReadJpegSize(const std::vector<std::uint8_t>& file, PictureSize& size);

std::string BinaryDir();
std::string SourceDir();
