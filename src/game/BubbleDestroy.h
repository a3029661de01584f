// The burst of a ball: a few falling particles, three of them showing a broken piece of the shell.
#pragma once

#include "ZoBound.h"

#include <array>
#include <memory>

class BubbleDestroy : public ZoBound {
public:
    BubbleDestroy() = default;
    // The copy gets copies of both piece clips.
    BubbleDestroy(const BubbleDestroy& other);
    ~BubbleDestroy() override;

    void Draw() override;
    bool SetupEmitter(const std::string& name) override;
    void Emit(std::int32_t count) override;

    // Stores the clip as the first free piece; false when both are taken.
    bool AddPiece(std::unique_ptr<ZoClip> piece);
    ZoClip* Piece(std::size_t index) const { return index < pieces_.size() ? pieces_[index].get() : nullptr; }

private:
    std::array<std::unique_ptr<ZoClip>, 2> pieces_;
};
