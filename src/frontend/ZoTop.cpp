#include "ZoTop.h"

#include "ZoAnimation.h"
#include "ZoAtomicFile.h"
#include "ZoBitmapFont.h"
#include "ZoClip.h"
#include "ZoTextTree.h"

#include <algorithm>

namespace {

// The keys of record index within a table file, as "%i.PlayerName" and friends.
std::string Key(std::size_t index, const char* field) {
    return std::to_string(index) + "." + field;
}

std::string Shortened(std::string text) {
    if (text.size() > ZoTop::kMaxTextLength)
        text.resize(ZoTop::kMaxTextLength);
    return text;
}

} // namespace

ZoTopLayout ZoTopLayout::Read(ZoTextTree& definitions) {
    ZoTopLayout layout;
    layout.numberX = definitions.GetInt("ScoreDlg.LeftNumOffset", 0);
    layout.topY = definitions.GetInt("ScoreDlg.UpUffset", 0);
    layout.lineStep = definitions.GetInt("ScoreDlg.LineOffset", 0);
    layout.nameX = definitions.GetInt("ScoreDlg.NameOffset", 0);
    layout.scoreX = definitions.GetInt("ScoreDlg.ScoreOffset", 0);
    layout.titlePosition = definitions.GetVector("ScoreDlg.TittlePos", ' ');
    return layout;
}

ZoTop::ZoTop() = default;
ZoTop::~ZoTop() = default;

void ZoTop::SetTitle(const std::string& pictureName) {
    title_ = std::make_unique<ZoClip>();
    if (title_->Load(pictureName, false))
        title_->Animation().Setup(1, AnimNone, 1, 1);
}

bool ZoTop::Load() {
    ZoTextTree tree;
    if (tree.LoadFile(fileName_) != 0)
        return false;
    // The count comes from a file the player can edit: a negative one means no records and a huge one
    // must not make us build millions of empty lines, so the table never holds more than its maximum.
    const std::int32_t stored = tree.GetInt("NumRecords", 0);
    const std::size_t count =
        stored <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(stored), maximum_);
    std::vector<ZoTopRecord> loaded;
    loaded.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        ZoTopRecord record;
        record.playerName = Shortened(tree.GetString(Key(i, "PlayerName"), ""));
        record.difficulty = Shortened(tree.GetString(Key(i, "Difficulty"), ""));
        record.score = tree.GetInt(Key(i, "Scores"), 0);
        record.level = tree.GetInt(Key(i, "Level"), 0);
        record.episode = tree.GetInt(Key(i, "Episode"), 0);
        record.time = tree.GetInt(Key(i, "Time"), 0);
        loaded.push_back(record);
    }
    // Taken in file order on purpose: the table is sorted by the next AddRecord.
    records_ = std::move(loaded);
    return true;
}

bool ZoTop::Save() {
    ZoTextTree tree;
    tree.SetInt("NumRecords", static_cast<std::int32_t>(records_.size()));
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const ZoTopRecord& record = records_[i];
        tree.SetString(Key(i, "PlayerName"), record.playerName);
        tree.SetString(Key(i, "Difficulty"), record.difficulty);
        tree.SetInt(Key(i, "Scores"), record.score);
        tree.SetInt(Key(i, "Level"), record.level);
        tree.SetInt(Key(i, "Episode"), record.episode);
        tree.SetInt(Key(i, "Time"), record.time);
    }
    ZoAtomicFile::CreateParentFolders(fileName_);
    return tree.Save(fileName_) == 0;
}

std::int32_t ZoTop::AddRecord(const ZoTopRecord& record) {
    if (record.score == 0)
        return -1;
    // A stable sort puts the newcomer below everyone with the same or a better score, so its rank is
    // the number of those records, whatever order the table was in.
    const std::size_t rank = static_cast<std::size_t>(std::count_if(
        records_.begin(), records_.end(), [&](const ZoTopRecord& r) { return r.score >= record.score; }));
    records_.push_back(record);
    std::stable_sort(records_.begin(), records_.end(),
                     [](const ZoTopRecord& a, const ZoTopRecord& b) { return a.score > b.score; });
    if (records_.size() > maximum_)
        records_.pop_back();
    return rank < records_.size() ? static_cast<std::int32_t>(rank) : -1;
}

bool ZoTop::Clear() {
    records_.clear();
    return Save();
}

void ZoTop::ResetAlpha() {
    for (ZoTopRecord& record : records_)
        record.alpha = 0;
}

void ZoTop::DrawRecords(ZoBitmapFont& font, const ZoTopLayout& layout, float alphaLimit) const {
    const float red = font.red;
    const float green = font.green;
    const float blue = font.blue;
    const float alpha = font.alpha;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const ZoTopRecord& record = records_[i];
        const std::int32_t y = layout.topY + layout.lineStep * static_cast<std::int32_t>(i);
        font.SetColour(255.0f, 255.0f, 255.0f, std::min(static_cast<float>(record.alpha), alphaLimit));
        font.DrawText(layout.numberX, y, std::to_string(i + 1).c_str(), ZoBitmapFont::kAlignRight);
        font.DrawText(layout.nameX, y, record.playerName.c_str(), ZoBitmapFont::kAlignLeft);
        font.DrawText(layout.scoreX, y, std::to_string(record.score).c_str(), ZoBitmapFont::kAlignRight);
    }
    font.SetColour(red, green, blue, alpha);
}

void ZoTop::DrawTitle(const ZoVector& position, float alpha) {
    if (!title_)
        return;
    title_->alpha = alpha;
    title_->position = ZoVector(position.x, position.y, 0.0f);
    title_->Draw();
}
