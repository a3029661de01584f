// Fuzz target: any bytes as a high-score table file, then a recorded game, a save and a reload.
#include "ZoTop.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <tuple>
#include <unistd.h>

namespace {

bool SortedAndBounded(const ZoTop& table) {
    const auto& records = table.Records();
    if (records.size() > table.Maximum())
        return false;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i - 1].score < records[i].score)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 20)
        return 0;
    static const std::string path = "/tmp/fuzz_scoretable." + std::to_string(getpid()) + ".Zot";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    ZoTop table;
    table.SetFileName(path);
    table.Load();
    for (const ZoTopRecord& record : table.Records())
        if (record.playerName.size() > ZoTop::kMaxTextLength ||
            record.difficulty.size() > ZoTop::kMaxTextLength)
            __builtin_trap(); // a file never gives an unbounded name
    if (table.Records().size() > table.Maximum())
        __builtin_trap();

    ZoTopRecord game;
    game.playerName = "Fuzz";
    game.score = size == 0 ? 1 : static_cast<std::int32_t>(data[0]) - 100;
    const std::int32_t rank = table.AddRecord(game);
    if (game.score != 0 && !SortedAndBounded(table))
        __builtin_trap(); // after a real record the table is sorted and within its maximum
    if (rank >= 0 && table.Records()[static_cast<std::size_t>(rank)].playerName != "Fuzz")
        __builtin_trap();

    // What was written reads back as the same table.
    if (table.Save()) {
        ZoTop back;
        back.SetFileName(path);
        if (!back.Load() || back.Records().size() != table.Records().size())
            __builtin_trap();
        for (std::size_t i = 0; i < back.Records().size(); ++i) {
            const ZoTopRecord &a = table.Records()[i], &b = back.Records()[i];
            if (std::tie(a.playerName, a.difficulty, a.score, a.level, a.episode, a.time) !=
                std::tie(b.playerName, b.difficulty, b.score, b.level, b.episode, b.time))
                __builtin_trap();
        }
    }
    std::remove(path.c_str());
    return 0;
}
