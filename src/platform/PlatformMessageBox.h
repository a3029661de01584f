// The "Error" message box; in headless runs the texts are captured (and echoed to stderr) instead.
#pragma once

#include <string>
#include <vector>

class PlatformMessageBox {
public:
    static PlatformMessageBox& Instance();

    // Routes ShowError through this box.
    void Install();
    // A modal box titled "Error" with an OK button and no owner window; returns when it is closed.
    void Show(const std::string& text);

    // True when no real screen is there to show a box on (the dummy or offscreen video driver).
    static bool Headless();
    const std::vector<std::string>& Captured() const { return captured_; }
    void ClearCaptured() { captured_.clear(); }

private:
    std::vector<std::string> captured_;
};
