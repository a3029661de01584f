// The widget pictures in every look, drawn headless and compared with a golden image: a frame that
// reaches into its neighbour (the faint light line once seen under every button) shows up here.
#include "GraphicsTestSupport.h"
#include "GuiTestSupport.h"

#include "ZoButton.h"
#include "ZoCheckBox.h"
#include "ZoProfileButton.h"
#include "ZoRenderDevice.h"
#include "ZoSlider.h"

#include <gtest/gtest.h>

namespace {

TEST(WidgetArt, EveryLookOfEveryKindOfWidgetMatchesTheGoldenImage) {
    ASSERT_TRUE(guitest::EnsureGuiWorld()) << "build the target gamedata first";
    std::vector<std::unique_ptr<ZoButton>> widgets;
    const struct {
        const char* picture;
        float x;
    } columns[] = {{"Interface/Continue", 110},
                   {"Interface/BtnOk", 300},
                   {"Interface/RArrow", 410},
                   {"Interface/CheckBox", 470},
                   {"Interface/ProfileItem", 640}};
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.Invalidate();
    device.BeginFrame();
    for (const auto& column : columns) {
        for (int look = 0; look < ZoButton::kFrameCount; ++look) {
            auto widget = column.picture == std::string("Interface/CheckBox") ? std::make_unique<ZoCheckBox>()
                                                                              : std::make_unique<ZoButton>();
            ASSERT_TRUE(widget->LoadImage(column.picture)) << column.picture;
            widget->image->SetPosition(column.x, 60.0f + 70.0f * static_cast<float>(look));
            widget->image->SetFrame(look);
            widget->image->Draw();
            widgets.push_back(std::move(widget));
        }
    }
    ZoSlider slider;
    ASSERT_TRUE(slider.Create("Interface/Slider", "Interface/SliderThumb", 0, 255, 15));
    slider.image->SetPosition(400, 400);
    slider.value = 100;
    slider.Draw();
    slider.OnHighlight();
    slider.image->SetPosition(400, 460);
    slider.Draw();
    device.EndFrame();
    EXPECT_FALSE(guitest::SavePng(device.ReadFramePixels(), "gui-widget-looks").empty());
    EXPECT_EQ(gfxtest::CompareGolden("../../gui/golden/widget_looks"), "");
}

} // namespace
