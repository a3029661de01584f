// A horizontal slider: a two-frame bar and a two-frame thumb; highlighted while it is being dragged.
#pragma once

#include "ZoBaseGuiElemen.h"

class ZoSlider : public ZoBaseGuiElemen {
public:
    ZoSlider();

    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    std::int32_t GetValue() const override { return value; }
    void OnHighlight() override;
    void OnUnhighlight() override;
    void Decrease() override;
    void Increase() override;
    bool HitTest(const ZoInputEvent& event) override;
    void Draw() override;

    // Loads bar and thumb and takes the range; false when a picture is missing.
    bool Create(const std::string& barName, const std::string& thumbName, std::int32_t minimumValue,
                std::int32_t maximumValue, std::int32_t stepValue);
    // The value a press at screen x gives, kept within the range.
    std::int32_t ValueAt(float x) const;
    // Where the thumb's centre stands for the current value.
    float ThumbX() const;
    ZoClip* Thumb() const { return thumb.get(); }

    std::unique_ptr<ZoClip> thumb;
    std::int32_t minimum = 0;
    std::int32_t maximum = 128;
    std::int32_t value = 32;
    std::int32_t step = 0;
    std::int32_t margin = 32;

private:
    std::int32_t TrackWidth() const;
    float TrackLeft() const;
};
