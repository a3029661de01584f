#include "ZoArchiveTool.h"

#include "ZoArchiveWriter.h"
#include "ZoAtomicFile.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"
#include "ZoTextTree.h"

#include <cinttypes>

namespace {

constexpr const char* kUsage = "usage: zortool pack ARCHIVE DIR [PREFIX] | list ARCHIVE | cat ARCHIVE NAME | "
                               "unpack ARCHIVE DIR | tree FILE";

// Opens one archive with the game's reader, turning its "Error" box into a quiet flag.
bool OpenArchive(ZoResourceManager& archives, const std::string& path) {
    bool failed = false;
    ZoErrorHandler previous = SetErrorHandler([&failed](const std::string&) { failed = true; });
    const bool opened = archives.Open(path);
    SetErrorHandler(previous);
    return opened && !failed;
}

} // namespace

int ZoArchiveTool::Fail(const std::string& message) {
    std::fprintf(err_, "zortool: %s\n", message.c_str());
    return 1;
}

int ZoArchiveTool::Run(const std::vector<std::string>& arguments) {
    const std::size_t count = arguments.size();
    const std::string command = count > 0 ? arguments[0] : std::string();
    if (command == "pack" && (count == 3 || count == 4))
        return Pack(arguments[1], arguments[2], count == 4 ? arguments[3] : std::string());
    if (command == "list" && count == 2)
        return List(arguments[1]);
    if (command == "cat" && count == 3)
        return Cat(arguments[1], arguments[2]);
    if (command == "unpack" && count == 3)
        return Unpack(arguments[1], arguments[2]);
    if (command == "tree" && count == 2)
        return Tree(arguments[1]);
    return Fail(kUsage);
}

int ZoArchiveTool::Pack(const std::string& archive, const std::string& folder, const std::string& prefix) {
    ZoArchiveWriter::Entries entries;
    std::string error;
    if (!ZoArchiveWriter::CollectFolder(folder, prefix, entries, error))
        return Fail(error);
    if (!ZoArchiveWriter::Write(archive, entries))
        return Fail(archive + ": cannot write the archive");
    return 0;
}

int ZoArchiveTool::List(const std::string& archive) {
    ZoResourceManager archives;
    if (!OpenArchive(archives, archive))
        return Fail(archive + ": cannot read the archive or its table of contents is damaged");
    for (const auto& entry : archives.Archives().front().items) {
        const zoResourceItem& item = *entry.second;
        std::fprintf(out_, "%" PRId32 " %" PRId32 " %s\n", item.size, item.offset, item.name.c_str());
    }
    return 0;
}

int ZoArchiveTool::Cat(const std::string& archive, const std::string& name) {
    ZoResourceManager archives;
    if (!OpenArchive(archives, archive))
        return Fail(archive + ": cannot read the archive or its table of contents is damaged");
    ZoFileBlock block;
    const std::int32_t size = archives.GetFile(name, block);
    if (size < 0)
        return Fail(name + ": not in " + archive);
    if (size > 0 && !block)
        return Fail(archive + ": cannot read");
    if (size > 0 &&
        std::fwrite(block.get(), 1, static_cast<std::size_t>(size), out_) != static_cast<std::size_t>(size))
        return Fail("cannot write the output");
    return 0;
}

bool ZoArchiveTool::IsSafeRelativePath(const std::string& name) {
    if (name.empty() || name.front() == '/')
        return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = name.find('/', start);
        const std::string part =
            name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "." || part == "..")
            return false;
        for (const char c : part) {
            if (static_cast<unsigned char>(c) < 0x20 || c == '\\')
                return false;
        }
        if (slash == std::string::npos)
            return !part.empty();
        start = slash + 1;
    }
}

int ZoArchiveTool::Unpack(const std::string& archive, const std::string& folder) {
    ZoResourceManager archives;
    if (!OpenArchive(archives, archive))
        return Fail(archive + ": cannot read the archive or its table of contents is damaged");
    const auto& items = archives.Archives().front().items;
    // Check every name before writing anything: a hostile name must not reach outside folder.
    for (const auto& entry : items) {
        if (!IsSafeRelativePath(entry.second->name))
            return Fail("refusing to unpack the unsafe name \"" + entry.second->name + "\"");
    }
    for (const auto& entry : items) {
        const std::string& name = entry.second->name;
        const std::string path = folder + "/" + name;
        ZoFileBlock block;
        const std::int32_t size = archives.GetFile(name, block);
        if (size < 0 || (size > 0 && !block))
            return Fail(archive + ": cannot read " + name);
        const std::string bytes = size > 0 ? std::string(block.get(), static_cast<std::size_t>(size)) : "";
        if (!ZoAtomicFile::CreateParentFolders(path) || !ZoAtomicFile::Write(path, bytes))
            return Fail(path + ": cannot write");
    }
    return 0;
}

int ZoArchiveTool::Tree(const std::string& file) {
    ZoTextTree tree;
    const int result = tree.LoadFile(file);
    for (const auto& [key, value] : tree.Values())
        std::fprintf(out_, "%s=%s\n", key.c_str(), value.c_str());
    std::fprintf(out_, "status=%d\n", tree.Status());
    if (result != 0)
        return Fail(file + ": cannot be read or does not parse");
    return 0;
}
