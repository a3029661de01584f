#!/bin/sh
# Succeeds when clang can build a libFuzzer target on this machine.
command -v clang++ >/dev/null 2>&1 || exit 1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '#include <cstdint>\n#include <cstddef>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n' > "$dir/f.cpp"
clang++ -fsanitize=fuzzer "$dir/f.cpp" -o "$dir/f" >/dev/null 2>&1
