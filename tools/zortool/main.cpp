// zortool: packs, lists and extracts resource archives and prints text tree files as the game reads them.
#include "ZoArchiveTool.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return ZoArchiveTool(stdout, stderr).Run(arguments);
}
