#include "ZoTopTables.h"

#include "PlatformVideo.h"
#include "ZoImageCache.h"
#include "ZoPaths.h"

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || name.front() == '/')
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

ZoTopTables& ZoTopTables::Instance() {
    // Title pictures let go through the picture cache and the video layer: made first, those outlive
    // the tables even if the application never clears them before exit.
    ZoImageCache::Instance();
    PlatformVideo::Instance();
    static ZoTopTables tables;
    return tables;
}

ZoTop& ZoTopTables::Create(std::int32_t number, const std::string& fileName,
                           const std::string& titlePicture) {
    auto table = std::make_unique<ZoTop>();
    table->SetFileName(fileName);
    table->SetTitle(titlePicture);
    ZoTop& made = *table;
    tables_[number] = std::move(table);
    made.Load();
    return made;
}

void ZoTopTables::CreateGameTables(const std::string& folder) {
    const ZoPaths& paths = ZoPaths::Instance();
    Create(kClassic, InFolder(folder, paths.UserFile("Classic.Zot")), "Interface/ScoreClassic");
    Create(kArcade, InFolder(folder, paths.UserFile("Arcade.Zot")), "Interface/ScoreArcade");
}

ZoTop* ZoTopTables::Get(std::int32_t number) {
    auto found = tables_.find(number);
    return found == tables_.end() ? nullptr : found->second.get();
}

std::int32_t ZoTopTables::RecordScore(std::int32_t number, const std::string& playerName,
                                      std::int32_t score) {
    ZoTop* table = Get(number);
    if (table == nullptr || score == 0)
        return -1;
    ZoTopRecord record;
    record.playerName = playerName;
    record.score = score;
    const std::int32_t rank = table->AddRecord(record);
    table->Save();
    return rank;
}
