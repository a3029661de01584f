// The shell tests' helpers moved to tests/support (TestFiles.h); this name stays while tests/frontend uses it.
#pragma once

#include "TestFiles.h"

namespace apptest {
using ::MakeTemporaryFolder;
} // namespace apptest
