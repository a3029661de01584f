#include "ZoShowError.h"

#include <cstdio>
#include <utility>

namespace {
ZoErrorHandler& Handler() {
    static ZoErrorHandler handler;
    return handler;
}
} // namespace

void ShowError(const std::string& text) {
    if (Handler())
        Handler()(text);
    else
        std::fprintf(stderr, "Error: %s\n", text.c_str());
}

ZoErrorHandler SetErrorHandler(ZoErrorHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}
