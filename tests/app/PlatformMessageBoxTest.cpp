// The "Error" box: captured, not shown, when there is no screen.
#include "PlatformMessageBox.h"
#include "ZoShowError.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformMessageBox, HeadlessRunsCaptureTheTextsInOrder) {
    ASSERT_TRUE(PlatformMessageBox::Headless()) << "the tests run with SDL_VIDEODRIVER=dummy";
    PlatformMessageBox& box = PlatformMessageBox::Instance();
    box.ClearCaptured();
    box.Install();
    ::testing::internal::CaptureStderr();
    ShowError("Data//Resource.Zor");
    ShowError("Error Loading Resource File. Resource.Zor");
    const std::string echoed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(box.Captured(),
              (std::vector<std::string>{"Data//Resource.Zor", "Error Loading Resource File. Resource.Zor"}));
    EXPECT_NE(echoed.find("Error: Error Loading Resource File. Resource.Zor"), std::string::npos);
    SetErrorHandler(nullptr);
    box.ClearCaptured();
    ShowError("after the box was taken out");
    EXPECT_TRUE(box.Captured().empty());
}

} // namespace
