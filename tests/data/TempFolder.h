// Moved to tests/support; kept while other folders include it from here.
#include "../support/TestFiles.h"
