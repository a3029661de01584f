// The game layer: every ball and burst effect on screen, drawn by depth over an optional background.
#pragma once

#include "ZoClip.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZoSpriteLayer {
public:
    struct MoveObj {
        ZoClip* object = nullptr;
        std::unique_ptr<ZoClip> owned; // set for the burst effects the layer deletes itself
    };

    ZoSpriteLayer() = default;
    ~ZoSpriteLayer();
    ZoSpriteLayer(const ZoSpriteLayer&) = delete;
    ZoSpriteLayer& operator=(const ZoSpriteLayer&) = delete;

    // Appends an object the layer does not own.
    void Add(ZoClip* object);
    // Appends an object the layer owns; it is deleted once finished (state 2) and marked (userValue 1).
    void AddOwned(std::unique_ptr<ZoClip> object);
    // Takes the object's entry out without deleting a non-owned object.
    void Remove(const ZoClip* object);
    bool Contains(const ZoClip* object) const;
    void Clear();
    // Runs Update of every listed object.
    void UpdateAll(std::int32_t elapsed);
    // Sorts if needed, drops finished effects, draws the overlay, then every entry by depth.
    void DrawAll();

    void SetOverlay(ZoClip* overlay) { overlay_ = overlay; }
    ZoClip* Overlay() const { return overlay_; }
    std::size_t Size() const { return entries_.size(); }
    const std::vector<MoveObj>& Entries() const { return entries_; }

private:
    std::vector<MoveObj> entries_;
    ZoClip* overlay_ = nullptr;
    bool sortNeeded_ = false;
};
