// Fuzz target: any bytes through the text tree parser, every getter, the writer and a reload from disk.
#include "ZoTextTree.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 20)
        return 0;
    ZoTextTree tree;
    tree.LoadMemory(reinterpret_cast<const char*>(data), static_cast<std::int32_t>(size));
    const auto values = tree.Values();
    for (const auto& entry : values) {
        const std::string& key = entry.first;
        tree.GetInt(key, 0);
        tree.GetFloat(key, 0.0f);
        tree.GetString(key, "");
        tree.GetCString(key, nullptr);
        tree.GetFloatList(key, ',');
        tree.GetFloatList(key, ' ');
        tree.GetVector(key, ',');
        int columns = 0, rows = 0;
        tree.GetCharGrid(key, columns, rows, ',', "");
        if (tree.Status() == 0 && static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows) > size)
            __builtin_trap(); // a grid can never hold more cells than the input had bytes
    }
    static const std::string path = "/tmp/fuzz_texttree." + std::to_string(getpid()) + ".txt";
    if (tree.Save(path) == 0) {
        ZoTextTree back;
        back.LoadFile(path);
        back.GetString("a", "");
    }
    std::remove(path.c_str());
    return 0;
}
