# Two entry points for a fresh machine: `make run` and `make test`.
# Both install missing Debian/Ubuntu packages first (as root, or through sudo).
#
# build/       the plain RelWithDebInfo game, its data tools and its data: what `make run` plays.
# build-asan/  clang: our libraries with AddressSanitizer + UndefinedBehaviorSanitizer and fuzzer coverage,
#              the tests (uninstrumented, -O1) and the fuzz targets; data and tools come from build/.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 5

PACKAGES := build-essential cmake pkg-config ccache cloc clang libclang-rt-dev libgtest-dev \
            libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libcairo2-dev libvorbis-dev libogg-dev libjpeg-dev \
            libfreetype-dev fonts-dejavu-core fonts-dejavu-extra xvfb
# The install test plays the installed game under a private X server; validators check what desktops read.
PACKAGES += desktop-file-utils appstream man-db dpkg-dev file openbox xdotool x11-utils x11-apps
BENCH_PACKAGES := libbenchmark-dev

# Compiler cache hits across checkouts and build folders: paths relative to the checkout, the build
# folder not hashed, precompiled headers allowed.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
export CCACHE_SLOPPINESS ?= pch_defines,time_macros,include_file_mtime,include_file_ctime

.PHONY: all deps build run test test-unit asan-configure asan-build test-asan test-fuzz fuzz bench ratio soak clean

all: build

deps:
	@sh tools/install-deps.sh "$(PACKAGES)"

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The game, its data and the tools that make the data; no tests.
build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target korrik-shooter gamedata

run: build
	cd $(BUILD) && ./korrik-shooter

# The tests in the plain build too (quicker to iterate on; `make test` runs them sanitized).
test-unit: build
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# A folder configured earlier with another compiler starts afresh.
asan-configure: build
	@grep -qs 'CMAKE_CXX_COMPILER:.*clang' $(ASAN_BUILD)/CMakeCache.txt || { rm -rf $(ASAN_BUILD) && \
	    CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORRIK_SANITIZE=ON \
	    -DKORRIK_TOOLS_BUILD=$(abspath $(BUILD)); }

asan-build: asan-configure
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan-build
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every committed fuzz input replayed, then FUZZ_SECONDS of fuzzing per target.
test-fuzz: asan-build
	sh tools/run-fuzzers.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

# Long runs; what they find that reaches new code joins tests/fuzz/corpus, to be committed.
fuzz: asan-build
	sh tools/run-fuzzers.sh $(ASAN_BUILD) 600 merge

test: test-asan test-fuzz

# The whole game played headless by its own autoplayer, SOAK_GAMES games with our code under the sanitizers
# (leaks included), leaving, continuing and switching players at random; not part of `make test`.
SOAK_GAMES ?= 200
soak: asan-configure
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target korrik-soak gamedata
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
	    $(ASAN_BUILD)/korrik-soak $(ASAN_BUILD)/Data $(SOAK_GAMES)

# Lines of test against lines of code, as the project measures them.
ratio: deps
	@sh tools/ratio.sh

# What a player's machine pays, not part of `make test`: the real game under a private Xvfb with openbox
# and scripted mouse input (CPU and memory per screen; root, for a private /tmp), and the CPU of one busy
# frame. PEERS: more builds of the game ("korrik:DIR") or command lines, measured in the same run.
PEERS ?=
bench: build
	@sh tools/install-deps.sh "$(BENCH_PACKAGES)"
	cmake -S . -B $(BUILD) -DKORRIK_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS) --target bench_game_frame
	SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KORRIK_SOURCE_DIR=$(CURDIR) KORRIK_BINARY_DIR=$(abspath $(BUILD)) \
	    $(BUILD)/tests/game/bench_game_frame
	tests/bench/xvfb-bench.sh $(BUILD) $(PEERS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz

# The game as a player installs it. `make test-install`: cmake --install into a scratch prefix, then the
# installed game played under Xvfb with a fresh home (ctest runs the same script). `make package`: the
# .deb in $(BUILD)/package/, checked by lintian and by the same script on the unpacked package.
.PHONY: package test-install
test-install: build
	tests/install/install-test.sh $(BUILD)

package: build
	@sh tools/install-deps.sh "" "lintian"
	rm -f $(BUILD)/package/*.deb
	cd $(BUILD) && cpack
	@if command -v lintian >/dev/null; then echo lintian; \
	  lintian --allow-root --fail-on error,warning $(BUILD)/package/*.deb; \
	else echo "lintian not installed: package not linted"; fi
	tests/install/install-test.sh --deb $(BUILD)/package/*.deb
