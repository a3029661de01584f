#!/bin/sh
# Prints the lines of code (src/ and tools/) and of tests (tests/), and their ratio. Code lines are C and
# C++ without blank and comment lines, counted by cloc; tests also count every other text file under tests/
# (scenarios, scripts, expected output, build files) without blank and comment lines, but neither golden
# pictures nor fuzz corpora.
cd "$(dirname "$0")/.." || exit 1
langs="C++,C/C++ Header,C"
cloc_lines() {
    cloc --quiet --csv --include-lang="$langs" "$@" | awk -F, '$2 == "SUM" { print $5 } END { if (NR == 0) print 0 }' | tail -n 1
}
code=$(cloc_lines src tools)
tests_c=$(cloc_lines tests)
tests_other=$(find tests -type f ! -path '*/fuzz/corpus/*' ! -name '*.png' ! -name '*.cpp' ! -name '*.h' \
        ! -name '*.c' -exec grep -Il . {} + | xargs cat | grep -aEv '^[[:space:]]*($|#|//)' | wc -l)
tests=$((tests_c + tests_other))
echo "src/ + tools/: $code lines of C/C++"
echo "tests/:        $tests lines ($tests_c of C/C++, $tests_other of scenarios, scripts and build files)"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "ratio:         %.2f\n", t / c }'
