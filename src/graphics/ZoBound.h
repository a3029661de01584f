// A particle emitter: up to 512 inline particles, each drawing one frame of the clip's picture.
#pragma once

#include "ZoClip.h"

#include <array>

struct ZoParticle {
    std::int32_t value = 0;
    std::int32_t initialLifetime = 0;
    std::int32_t remainingLifetime = 0;
    ZoVector position;
    ZoVector velocity;
    ZoVector acceleration;
    float colour[4] = {0, 0, 0, 0};       // r, g, b, a
    float colourChange[4] = {0, 0, 0, 0}; // per ms
    float rotation = 0.0f;
    float rotationSpeed = 0.0f;
    std::int32_t kind = -1; // which picture a derived emitter draws for it
    std::int32_t frame = 0;
};

class ZoBound : public ZoClip {
public:
    static constexpr std::int32_t kMaxParticles = 512;

    ZoBound() = default;
    ZoBound(const ZoBound& other);

    // Moves and ages the particles; the clip animation does not run.
    void Update(std::int32_t elapsed) override;
    // Every live particle in index order (not when finished).
    void Draw() override;
    virtual bool SetupEmitter(const std::string& name);
    // Adds count particles at the emitter position, up to 512.
    virtual void Emit(std::int32_t count);

    std::int32_t LiveCount() const { return liveCount_; }
    ZoParticle& Particle(std::int32_t index) { return particles_[static_cast<std::size_t>(index)]; }

    ZoVector emitterPosition;
    ZoVector emitterSpare;
    std::int32_t lifetimeMin = 1024;
    std::int32_t lifetimeMax = 1024;
    std::int32_t emitterValue = 0;
    ZoVector velocityMin;
    ZoVector velocityMax;
    ZoVector velocitySpare;
    ZoVector accelerationMin;
    ZoVector accelerationMax;
    ZoVector accelerationSpare;
    std::int32_t continuous = 0;

protected:
    std::array<ZoParticle, kMaxParticles> particles_{};
    std::int32_t liveCount_ = 0;
};
