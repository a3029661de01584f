// Small helpers of the shell's headless tests: pictures made in code and a test archive.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace apptest {

// An uncompressed 32-bit TGA of one colour (0xRRGGBBAA), rows top-down.
std::string SolidTga(int width, int height, std::uint32_t rgba);
// Writes an archive of (stored name, bytes) under the test's temporary folder and opens it in the
// process-wide archive set. False when either failed.
bool OpenTestArchive(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& files);
// A fresh, empty folder under the test's temporary folder.
std::string MakeTemporaryFolder(const std::string& tag);

} // namespace apptest
