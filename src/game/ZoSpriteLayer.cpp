#include "ZoSpriteLayer.h"

#include <algorithm>

ZoSpriteLayer::~ZoSpriteLayer() = default;

void ZoSpriteLayer::Add(ZoClip* object) {
    if (object == nullptr) {
        return;
    }
    entries_.push_back(MoveObj{object, nullptr});
    sortNeeded_ = true;
}

void ZoSpriteLayer::AddOwned(std::unique_ptr<ZoClip> object) {
    if (object == nullptr) {
        return;
    }
    ZoClip* raw = object.get();
    entries_.push_back(MoveObj{raw, std::move(object)});
    sortNeeded_ = true;
}

void ZoSpriteLayer::Remove(const ZoClip* object) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [object](const MoveObj& entry) { return entry.object == object; }),
                   entries_.end());
}

bool ZoSpriteLayer::Contains(const ZoClip* object) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [object](const MoveObj& entry) { return entry.object == object; });
}

void ZoSpriteLayer::Clear() {
    entries_.clear();
}

void ZoSpriteLayer::UpdateAll(std::int32_t elapsed) {
    // By index: an update may add to the layer (a burst), which can move the entries.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].object->Update(elapsed);
    }
}

void ZoSpriteLayer::DrawAll() {
    if (sortNeeded_) {
        // Stable, so objects of equal depth keep the order they were added in.
        std::stable_sort(entries_.begin(), entries_.end(), [](const MoveObj& a, const MoveObj& b) {
            return a.object->position.z < b.object->position.z;
        });
        sortNeeded_ = false;
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const MoveObj& entry) {
                                      return entry.object->state == 2 && entry.object->userValue == 1;
                                  }),
                   entries_.end());
    if (overlay_ != nullptr) {
        overlay_->Draw();
    }
    for (MoveObj& entry : entries_) {
        entry.object->Draw();
    }
}
