#include "ZoEventListener.h"

// The panel host of the interface toolkit builds on these; a bare listener ignores everything.
bool ZoEventListener::OnEvent(ZoInputEvent&) {
    return false;
}

void ZoEventListener::Update(std::int32_t) {}

void ZoEventListener::Draw() {}

void ZoEventListener::ProcessCommand() {}
