#include "ZoRandom.h"

ZoRandom& SystemRandom() {
    static ZoRandom generator;
    return generator;
}
