// The "Error" message box of the game, behind a replaceable hook (the platform installs the real box).
#pragma once

#include <functional>
#include <string>

using ZoErrorHandler = std::function<void(const std::string& text)>;

// Shows text in a modal box titled "Error"; the program goes on afterwards.
void ShowError(const std::string& text);
// Replaces the handler; returns the previous one. An empty handler restores the default (stderr).
ZoErrorHandler SetErrorHandler(ZoErrorHandler handler);
