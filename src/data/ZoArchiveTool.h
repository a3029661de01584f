// The commands of zortool (pack, list, cat, unpack, tree), kept here so they are testable in-process.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class ZoArchiveTool {
public:
    ZoArchiveTool(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    // Runs one command line (without the program name). 0 on success, 1 on bad input (one line on err).
    int Run(const std::vector<std::string>& arguments);

    int Pack(const std::string& archive, const std::string& folder, const std::string& prefix);
    int List(const std::string& archive);
    int Cat(const std::string& archive, const std::string& name);
    int Unpack(const std::string& archive, const std::string& folder);
    int Tree(const std::string& file);

    // True when name can become a path under a folder without leaving it.
    static bool IsSafeRelativePath(const std::string& name);

private:
    int Fail(const std::string& message);

    std::FILE* out_;
    std::FILE* err_;
};
