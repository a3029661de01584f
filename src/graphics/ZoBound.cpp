#include "ZoBound.h"

#include "ZoRandom.h"

namespace {

// Per component a + (b - a) * rand() / 32767, drawn z first, then y, then x.
ZoVector RandomBetween(const ZoVector& a, const ZoVector& b)
{
    ZoRandom& random = SystemRandom();
    ZoVector v;
    v.z = a.z + (b.z - a.z) * static_cast<float>(random.Next() / 32767.0);
    v.y = a.y + (b.y - a.y) * static_cast<float>(random.Next() / 32767.0);
    v.x = a.x + (b.x - a.x) * static_cast<float>(random.Next() / 32767.0);
    return v;
}

} // namespace

ZoBound::ZoBound(const ZoBound& other)
    : ZoClip(other), lifetimeMin(other.lifetimeMin), lifetimeMax(other.lifetimeMax),
      emitterValue(other.emitterValue), velocityMin(other.velocityMin), velocityMax(other.velocityMax),
      velocitySpare(other.velocitySpare), accelerationMin(other.accelerationMin),
      accelerationMax(other.accelerationMax), accelerationSpare(other.accelerationSpare),
      continuous(other.continuous)
{
}

bool ZoBound::SetupEmitter(const std::string& /*name*/) { return true; }

void ZoBound::Emit(std::int32_t count)
{
    const std::int32_t target = static_cast<std::int16_t>(liveCount_ & 0xFFFF) + count;
    ZoRandom& random = SystemRandom();
    while (liveCount_ < target && liveCount_ < kMaxParticles) {
        ZoParticle& particle = particles_[static_cast<std::size_t>(liveCount_)];
        const std::int64_t range = static_cast<std::int64_t>(lifetimeMax) - lifetimeMin + 1;
        const std::int32_t draw = random.Next();
        particle.remainingLifetime =
            range > 0 ? static_cast<std::int32_t>(lifetimeMin + draw % range) : lifetimeMin;
        particle.initialLifetime = particle.remainingLifetime;
        particle.velocity = RandomBetween(velocityMin, velocityMax);
        particle.acceleration = RandomBetween(accelerationMin, accelerationMax);
        particle.position = emitterPosition;
        ++liveCount_;
    }
}

void ZoBound::Update(std::int32_t elapsed)
{
    const float t = static_cast<float>(elapsed);
    const std::int32_t frames = Animation().frameCount;
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        ZoParticle& particle = particles_[static_cast<std::size_t>(i)];
        if (particle.remainingLifetime <= 0) {
            // The last live one takes the dead one's place; it is not moved in this pass.
            --liveCount_;
            particle = particles_[static_cast<std::size_t>(liveCount_)];
            if (liveCount_ == 0 && continuous == 0) {
                state = 2;
            }
            continue;
        }
        particle.position += particle.velocity * t;
        particle.velocity += particle.acceleration * t;
        particle.remainingLifetime -= elapsed;
        for (int c = 0; c < 4; ++c) {
            particle.colour[c] += particle.colourChange[c] * t;
        }
        particle.rotation += particle.rotationSpeed * t;
        if (particle.colour[3] < 0.0f) {
            particle.colour[3] = 0.0f;
        }
        particle.frame = particle.initialLifetime != 0
                             ? static_cast<std::int32_t>(frames - (static_cast<std::int64_t>(frames) *
                                                                   particle.remainingLifetime) /
                                                                      particle.initialLifetime)
                             : frames;
    }
}

void ZoBound::Draw()
{
    if (state == 2) {
        return;
    }
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        const ZoParticle& particle = particles_[static_cast<std::size_t>(i)];
        red = particle.colour[0];
        green = particle.colour[1];
        blue = particle.colour[2];
        alpha = particle.colour[3];
        rotation = particle.rotation;
        SetFrame(particle.frame);
        position = particle.position;
        ZoClip::Draw();
    }
}
