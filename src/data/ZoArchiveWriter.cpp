#include "ZoArchiveWriter.h"

#include "ZoAtomicFile.h"
#include "ZoResourceManager.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr long long kLargest = INT32_MAX;

void AppendInt32(std::string& out, long long value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((bits >> shift) & 0xFFu);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

bool ZoArchiveWriter::Build(const Entries& entries, std::string& archive) {
    archive.clear();
    if (static_cast<long long>(entries.size()) > kLargest)
        return false;
    long long tableEnd = 32;
    for (const auto& entry : entries)
        tableEnd += 12 + static_cast<long long>(entry.first.size());
    long long offset = tableEnd;
    std::string table;
    for (const auto& [name, bytes] : entries) {
        const long long recordLength = 12 + static_cast<long long>(name.size());
        if (recordLength > kLargest || offset + static_cast<long long>(bytes.size()) > kLargest)
            return false;
        AppendInt32(table, recordLength);
        AppendInt32(table, static_cast<long long>(bytes.size()));
        AppendInt32(table, offset);
        std::string stored = name;
        ZoResourceManager::Scramble(stored.data(), stored.size());
        table += stored;
        offset += static_cast<long long>(bytes.size());
    }
    std::string header(8, '\0');
    AppendInt32(header, static_cast<long long>(entries.size()));
    header.append(20, '\0');

    archive.reserve(static_cast<std::size_t>(offset));
    archive = header + table;
    for (const auto& entry : entries) {
        const std::size_t start = archive.size();
        archive += entry.second;
        ZoResourceManager::Scramble(&archive[start], entry.second.size());
    }
    return true;
}

bool ZoArchiveWriter::Write(const std::string& path, const Entries& entries) {
    std::string archive;
    return Build(entries, archive) && ZoAtomicFile::CreateParentFolders(path) &&
           ZoAtomicFile::Write(path, archive);
}

bool ZoArchiveWriter::CollectFolder(const std::string& folder, const std::string& prefix, Entries& entries,
                                    std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    if (!fs::is_directory(folder, code)) {
        error = folder + ": not a folder";
        return false;
    }
    std::vector<std::pair<std::string, fs::path>> found;
    fs::recursive_directory_iterator it(folder, code), end;
    if (code) {
        error = folder + ": " + code.message();
        return false;
    }
    for (; it != end; it.increment(code)) {
        if (code) {
            error = folder + ": " + code.message();
            return false;
        }
        if (!it->is_regular_file(code))
            continue;
        const std::string relative = it->path().lexically_relative(folder).generic_string();
        found.emplace_back(prefix + relative, it->path());
    }
    if (code) {
        error = folder + ": " + code.message();
        return false;
    }
    std::sort(found.begin(), found.end());
    for (const auto& [name, path] : found) {
        std::string bytes;
        if (!ReadWholeFile(path, bytes)) {
            error = path.string() + ": cannot read";
            return false;
        }
        entries.emplace_back(name, std::move(bytes));
    }
    return true;
}
