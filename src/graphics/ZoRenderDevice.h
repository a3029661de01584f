// The render device: the frame's sprite batch, presentation of the 800x600 frame, device re-creation.
#pragma once

#include "PlatformVideo.h"
#include "ZoPoint2D.h"

#include <cstdint>
#include <vector>

// A texture on the device: a video-layer id, 0 for none.
using ZoTexture = VideoTextureId;
// One recorded draw call of the frame (texture, source rectangle, placement, colour).
using ZoSpriteRecord = VideoSprite;

// Whoever owns the window; the device asks it to rebuild the window when the windowed flag changes.
class ZoDeviceHost {
public:
    virtual ~ZoDeviceHost() = default;
    virtual bool DestroyMainWindow() = 0;
    virtual void CreateMainWindow() = 0;
};

class ZoRenderDevice {
public:
    static constexpr std::int32_t kScreenWidth = 800;
    static constexpr std::int32_t kScreenHeight = 600;
    static constexpr std::uint32_t kMirrorHorizontal = 0x2;
    static constexpr std::uint32_t kMirrorVertical = 0x4;

    // The one device of the process.
    static ZoRenderDevice& Instance();

    // Creates the renderer on the window that is already open. 0 on success, negative on failure.
    std::int32_t Create();
    void Release();
    bool IsCreated() const;
    void SetApplication(ZoDeviceHost* host) { application_ = host; }

    // Starts a frame: the batch is emptied.
    void BeginFrame();
    // Ends it: unless the batch equals the frame last presented, redraws and presents the areas where
    // the two differ (all of it after Create or Invalidate). True when the frame was presented.
    bool EndFrame();

    // Untransformed, untinted sprite. The 32-bit value is not used.
    void DrawImage(const ZoRect* destination, ZoTexture texture, const ZoRect* source, std::uint32_t unused,
                   float offsetX, float offsetY);
    // Sprite with scale, mirroring (0x2 horizontal, 0x4 vertical), rotation about centre and colour.
    // False, drawing nothing, for a null texture.
    bool DrawSprite(const ZoRect* destination, ZoTexture texture, const ZoRect* source, std::uint32_t flags,
                    std::uint32_t colour, float rotation, const std::int32_t* centre, float x, float y);

    // Rebuilds window and device for a changed windowed flag; every cached picture draws again.
    void RecreateDevice();

    // Forces the next EndFrame to redraw and present the whole frame, even when the batch is unchanged.
    void Invalidate() { forcePresent_ = true; }
    const std::vector<ZoSpriteRecord>& Batch() const { return batch_; }
    // Counters for tests and measurements.
    std::uint64_t PresentedFrames() const { return presentedFrames_; }
    std::uint64_t SkippedFrames() const { return skippedFrames_; }
    // RGBA pixels (800x600, top row first) of the frame last presented.
    std::vector<std::uint8_t> ReadFramePixels() const;

private:
    ZoRenderDevice() = default;

    ZoDeviceHost* application_ = nullptr;
    bool created_ = false;
    bool inFrame_ = false;
    bool forcePresent_ = true;
    std::uint64_t lastGeneration_ = 0;
    std::vector<ZoSpriteRecord> batch_;
    std::vector<ZoSpriteRecord> presented_;
    std::uint64_t presentedFrames_ = 0;
    std::uint64_t skippedFrames_ = 0;
};
