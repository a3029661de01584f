#include "ZoRenderDevice.h"

#include "ZoFrameDiff.h"
#include "ZoImageCache.h"
#include "ZoImageData.h"

namespace {

// Builds one record with the sprite batch's placement: scale, then rotation about centre, then translation.
ZoSpriteRecord MakeRecord(ZoTexture texture, const ZoRect& source, float scaleX, float scaleY, float centreX,
                          float centreY, float rotation, float x, float y, std::uint32_t colour)
{
    ZoSpriteRecord record;
    record.texture = texture;
    record.sourceLeft = source.left;
    record.sourceTop = source.top;
    record.sourceWidth = source.right - source.left;
    record.sourceHeight = source.bottom - source.top;
    record.scaleX = scaleX;
    record.scaleY = scaleY;
    record.centreX = centreX;
    record.centreY = centreY;
    record.angle = rotation;
    record.x = x;
    record.y = y;
    record.colour = colour;
    return record;
}

// The source rectangle, or the whole texture when none is given. False for an unknown texture.
bool ResolveSource(ZoTexture texture, const ZoRect* source, ZoRect& resolved)
{
    if (source != nullptr) {
        resolved = *source;
        return true;
    }
    int width = 0;
    int height = 0;
    if (!PlatformVideo::Instance().TextureSize(texture, width, height)) {
        return false;
    }
    resolved = ZoRect{0, 0, width, height};
    return true;
}

} // namespace

ZoRenderDevice& ZoRenderDevice::Instance()
{
    static ZoRenderDevice device;
    return device;
}

std::int32_t ZoRenderDevice::Create()
{
    PlatformVideo& video = PlatformVideo::Instance();
    // A renderer that had to let its textures go reads the pictures again from the archive.
    video.SetTextureSource([](ZoTexture texture, std::vector<std::uint8_t>& rgba) {
        const ZoImageData* data = ZoImageCache::Instance().FindTexture(texture);
        return data != nullptr && data->ReadPixels(rgba);
    });
    if (!video.IsWindowOpen() || !video.CreateRenderer()) {
        return -1;
    }
    created_ = true;
    forcePresent_ = true;
    return 0;
}

void ZoRenderDevice::Release()
{
    PlatformVideo::Instance().DestroyRenderer();
    created_ = false;
}

bool ZoRenderDevice::IsCreated() const { return created_; }

void ZoRenderDevice::BeginFrame()
{
    batch_.clear();
    inFrame_ = true;
}

bool ZoRenderDevice::EndFrame()
{
    inFrame_ = false;
    PlatformVideo& video = PlatformVideo::Instance();
    if (!created_ || !video.HasRenderer()) {
        return false;
    }
    // A frame identical to the one on screen is neither rasterised nor presented again; any other
    // is redrawn only where its sprites differ from the last one presented.
    const bool screenStale = video.Generation() != lastGeneration_;
    if (!forcePresent_ && !screenStale && batch_ == presented_) {
        ++skippedFrames_;
        return false;
    }
    if (forcePresent_) {
        video.DrawFrame(batch_, nullptr);
    } else {
        const std::vector<ZoRect> changed = ZoFrameDiff::ChangedAreas(presented_, batch_);
        video.DrawFrame(batch_, &changed);
    }
    presented_ = batch_;
    lastGeneration_ = video.Generation();
    forcePresent_ = false;
    ++presentedFrames_;
    return true;
}

void ZoRenderDevice::DrawImage(const ZoRect* destination, ZoTexture texture, const ZoRect* source,
                               std::uint32_t /*unused*/, float offsetX, float offsetY)
{
    ZoRect resolved;
    if (texture == 0 || !ResolveSource(texture, source, resolved)) {
        return;
    }
    const std::int32_t sourceWidth = resolved.right - resolved.left;
    const std::int32_t sourceHeight = resolved.bottom - resolved.top;
    if (sourceWidth == 0 || sourceHeight == 0) {
        return; // nothing to sample, and the scale would divide by zero
    }
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    if (destination != nullptr) {
        x = static_cast<float>(destination->left) + offsetX;
        y = static_cast<float>(destination->top) + offsetY;
        if (source != nullptr) {
            scaleX = static_cast<float>(destination->right - destination->left) / static_cast<float>(sourceWidth);
            scaleY = static_cast<float>(destination->bottom - destination->top) / static_cast<float>(sourceHeight);
        }
    }
    batch_.push_back(MakeRecord(texture, resolved, scaleX, scaleY, 0.0f, 0.0f, 0.0f, x, y, 0xFFFFFFFFu));
}

bool ZoRenderDevice::DrawSprite(const ZoRect* destination, ZoTexture texture, const ZoRect* source,
                                std::uint32_t flags, std::uint32_t colour, float rotation, const std::int32_t* centre,
                                float x, float y)
{
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float centreX = 0.0f;
    float centreY = 0.0f;
    float translateX = 0.0f;
    float translateY = 0.0f;
    if (destination != nullptr) {
        translateX = static_cast<float>(destination->left) + x;
        translateY = static_cast<float>(destination->top) + y;
    }
    if (centre != nullptr) {
        centreX = static_cast<float>(centre[0]);
        centreY = static_cast<float>(centre[1]);
    } else if (source != nullptr) {
        centreX = static_cast<float>(source->right - source->left) * 0.5f;
        centreY = static_cast<float>(source->bottom - source->top) * 0.5f;
    }
    if (destination != nullptr && source != nullptr) {
        const std::int32_t sourceWidth = source->right - source->left;
        const std::int32_t sourceHeight = source->bottom - source->top;
        if (sourceWidth == 0 || sourceHeight == 0) {
            return texture != 0; // an empty glyph or frame: nothing to draw
        }
        scaleX = static_cast<float>(destination->right - destination->left) / static_cast<float>(sourceWidth);
        scaleY = static_cast<float>(destination->bottom - destination->top) / static_cast<float>(sourceHeight);
    }
    if (source != nullptr && flags != 0) {
        // Mirroring flips the scale and moves the quad back over the same screen pixels.
        const float width = destination != nullptr ? static_cast<float>(destination->right - destination->left)
                                                   : static_cast<float>(source->right - source->left);
        const float height = destination != nullptr ? static_cast<float>(destination->bottom - destination->top)
                                                    : static_cast<float>(source->bottom - source->top);
        if ((flags & kMirrorHorizontal) != 0) {
            scaleX = -scaleX;
            translateX += width;
        }
        if ((flags & kMirrorVertical) != 0) {
            scaleY = -scaleY;
            translateY += height;
        }
    }
    ZoRect resolved;
    if (texture == 0 || !ResolveSource(texture, source, resolved)) {
        return false;
    }
    batch_.push_back(
        MakeRecord(texture, resolved, scaleX, scaleY, centreX, centreY, rotation, translateX, translateY, colour));
    return true;
}

void ZoRenderDevice::RecreateDevice()
{
    Release();
    if (application_ != nullptr) {
        application_->DestroyMainWindow();
        application_->CreateMainWindow();
    } else {
        PlatformVideo::Instance().RecreateWindow(PlatformVideo::Instance().IsWindowed());
    }
    // Each cached picture shows again without being requested anew: the video layer keeps its textures
    // or, where the new renderer needs them made again, reads them through the texture source.
    Create();
}

std::vector<std::uint8_t> ZoRenderDevice::ReadFramePixels() const
{
    return PlatformVideo::Instance().ReadFramePixels();
}
