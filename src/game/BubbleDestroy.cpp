#include "BubbleDestroy.h"

#include "ZoRandom.h"

BubbleDestroy::BubbleDestroy(const BubbleDestroy& other) : ZoBound(other) {
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (other.pieces_[i] != nullptr) {
            pieces_[i] = other.pieces_[i]->Clone();
        }
    }
}

BubbleDestroy::~BubbleDestroy() = default;

bool BubbleDestroy::AddPiece(std::unique_ptr<ZoClip> piece) {
    for (auto& slot : pieces_) {
        if (slot == nullptr) {
            slot = std::move(piece);
            return true;
        }
    }
    return false;
}

bool BubbleDestroy::SetupEmitter(const std::string& /*name*/) {
    lifetimeMin = 384;
    lifetimeMax = 896;
    velocityMin = ZoVector(-0.125f, -0.125f, 0.0f);
    velocityMax = ZoVector(0.125f, 0.125f, 0.0f);
    // One gravity per effect, chosen once: some bursts drop faster than others.
    const double gravity = (SystemRandom().Next() / 32767.0) * 0.000125 * 4.0 + 0.0005;
    accelerationMin = ZoVector(0.0f, 0.0f, 0.0f);
    accelerationMax = ZoVector(0.0f, static_cast<float>(gravity), 0.0f);
    return true;
}

void BubbleDestroy::Emit(std::int32_t count) {
    const std::int32_t first = liveCount_;
    ZoBound::Emit(count);
    for (std::int32_t i = first; i < liveCount_; ++i) {
        ZoParticle& particle = particles_[static_cast<std::size_t>(i)];
        for (int c = 0; c < 4; ++c) {
            particle.colour[c] = 255.0f;
            particle.colourChange[c] = 0.0f;
        }
        particle.kind = -1;
    }
    const std::int32_t piece = SystemRandom().Below(2);
    for (std::size_t i = 0; i < 3; ++i) {
        particles_[i].kind = piece;
    }
}

void BubbleDestroy::Draw() {
    if (state == 2) {
        return;
    }
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        const ZoParticle& particle = particles_[static_cast<std::size_t>(i)];
        ZoClip* clip = this;
        if (particle.kind == 0 || particle.kind == 1) {
            clip = pieces_[static_cast<std::size_t>(particle.kind)].get();
            if (clip == nullptr) {
                continue;
            }
        }
        clip->SetColour(particle.colour[0], particle.colour[1], particle.colour[2], particle.colour[3]);
        clip->rotation = particle.rotation;
        clip->SetFrame(particle.frame);
        clip->position = particle.position;
        clip->ZoClip::Draw();
    }
}
