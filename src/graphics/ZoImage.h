// A positioned, tinted, scalable, rotatable picture drawn centred on its position.
#pragma once

#include "ZoImageData.h"
#include "ZoVector.h"

#include <cstdint>
#include <string>

// A rectangle of the picture in pixels: width, height, left, top.
struct FrameRect {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
};

class ZoImage {
public:
    ZoImage() = default;
    // Copies every field but scale (back to 1) and shares the picture.
    ZoImage(const ZoImage& other);
    ZoImage& operator=(const ZoImage&) = delete;
    virtual ~ZoImage();

    virtual void Update(std::int32_t elapsed);
    // Draws one rectangle of the picture exactly where it lies when the whole picture is drawn.
    virtual void DrawPart(ZoRect rect);
    // The whole picture, untinted and at its own size, centred on the position.
    virtual void Draw();
    // One frame rectangle with colour, scale, rotation and mirror flags, centred on the position.
    virtual void DrawFrame(FrameRect frame);
    // Attaches the named picture (shared through the cache). Always true; a failed load draws nothing.
    virtual bool Load(const std::string& name, bool masks);

    ZoImageData* Data() const { return data_; }
    // Picture size from the file, 0 without a picture.
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetPosition(float x, float y) { position.x = x; position.y = y; }
    void SetColour(float r, float g, float b, float a) { red = r; green = g; blue = b; alpha = a; }
    // The colour as 0xAARRGGBB, each channel truncated and cut to its low 8 bits.
    std::uint32_t PackedColour() const;

    std::int32_t userValue = 0; // owners' marker (the game marks its owned burst effects with 1)
    float red = 255.0f;
    float green = 255.0f;
    float blue = 255.0f;
    float alpha = 255.0f;
    ZoVector position;
    ZoVector previousPosition; // not used for drawing; kept for the owner
    ZoVector rotationCentre;   // offset of the rotation centre from the frame's centre
    float rotation = 0.0f;     // radians
    std::uint32_t flags = 0;   // 0x2 mirror horizontally, 0x4 vertically
    float scale = 1.0f;

protected:
    void ReleaseData();

    ZoImageData* data_ = nullptr;
};
