// Nothing left here: tests/frontend still lists this file among its sources.
#include "AppTestSupport.h"
