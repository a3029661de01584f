// A high-score table: its best records, the text tree file that keeps them, and its title picture.
#pragma once

#include "ZoTopRecord.h"
#include "ZoVector.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZoBitmapFont;
class ZoClip;
class ZoTextTree;

// Where the score dialog puts the rows and the title of a table, in screen pixels.
struct ZoTopLayout {
    std::int32_t numberX = 0;  // rank numbers end here
    std::int32_t topY = 0;     // first row
    std::int32_t lineStep = 0; // distance between rows
    std::int32_t nameX = 0;    // names start here
    std::int32_t scoreX = 0;   // scores end here
    ZoVector titlePosition;

    // The "ScoreDlg." layout keys of the engine definitions; missing keys give 0 (and -1024 for the title).
    static ZoTopLayout Read(ZoTextTree& definitions);
};

class ZoTop {
public:
    static constexpr std::uint16_t kDefaultMaximum = 10;
    // Longest name or difficulty text taken from a file: a hand-edited file may hold megabytes in one
    // name, which would cost a sprite per byte every frame.
    static constexpr std::size_t kMaxTextLength = 64;

    ZoTop();
    virtual ~ZoTop();
    ZoTop(const ZoTop&) = delete;
    ZoTop& operator=(const ZoTop&) = delete;

    void SetFileName(const std::string& name) { fileName_ = name; }
    const std::string& FileName() const { return fileName_; }
    // Creates the title clip from the named picture (a missing picture simply draws nothing).
    void SetTitle(const std::string& pictureName);
    ZoClip* Title() const { return title_.get(); }
    void SetMaximum(std::uint16_t maximum) { maximum_ = maximum; }
    std::uint16_t Maximum() const { return maximum_; }

    // Reads the file. False (records untouched) when it is missing or does not parse; on success the
    // records are replaced by the file's, at most Maximum() of them.
    bool Load();
    // Writes the whole table atomically, creating its folder first. False when the write failed.
    bool Save();
    // Enters a finished game: a zero score is ignored; otherwise the record goes below every record with
    // the same or a better score and the table is cut back to its maximum. Returns the record's rank
    // (0 = best), or -1 when it did not make it into the table. The caller saves.
    std::int32_t AddRecord(const ZoTopRecord& record);
    // Removes every record and saves.
    bool Clear();
    void ResetAlpha();

    const std::vector<ZoTopRecord>& Records() const { return records_; }
    std::vector<ZoTopRecord>& Records() { return records_; }

    // One row per record in white at the record's alpha, never above the given limit (the panel's own
    // alpha): rank ending at numberX, name from nameX, score ending at scoreX. The font's colour is
    // restored afterwards.
    void DrawRecords(ZoBitmapFont& font, const ZoTopLayout& layout, float alphaLimit = 255.0f) const;
    // The title picture at position with the given alpha; nothing without a title.
    void DrawTitle(const ZoVector& position, float alpha);

private:
    std::uint16_t maximum_ = kDefaultMaximum;
    std::vector<ZoTopRecord> records_;
    std::string fileName_;
    std::unique_ptr<ZoClip> title_;
};
