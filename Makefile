# Two entry points for a fresh machine: `make run` and `make test`.
# Both install missing Debian/Ubuntu packages first (as root, or through sudo).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 15

PACKAGES := build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libcairo2-dev libvorbis-dev libogg-dev libjpeg-dev libfreetype-dev \
            fonts-dejavu-core xvfb
# The install test plays the installed game under a private X server; validators check what desktops read.
PACKAGES += desktop-file-utils appstream man-db dpkg-dev file openbox xdotool x11-utils x11-apps
# Fuzzing needs clang with its runtime; without it the fuzz step is skipped.
OPTIONAL_PACKAGES := clang libclang-rt-dev

.PHONY: all deps build run test test-unit test-asan test-fuzz fuzz soak clean

all: build

deps:
	@sh tools/install-deps.sh "$(PACKAGES)" "$(OPTIONAL_PACKAGES)"

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/korrik-shooter ]; then cd $(BUILD) && ./korrik-shooter; \
	else echo "Built into $(BUILD)/:"; ls $(BUILD); fi

test-unit: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORRIK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Short fuzz runs of every parser of outside data; `make fuzz FUZZ_SECONDS=600` runs longer.
test-fuzz: deps
	@if sh tools/have-libfuzzer.sh; then \
	  CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORRIK_FUZZ=ON -DKORRIK_TESTS=ON && \
	  cmake --build $(FUZZ_BUILD) -j $(JOBS) --target korrik_fuzzers && \
	  sh tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS); \
	else echo "clang with libFuzzer not available: fuzz step skipped"; fi

fuzz: FUZZ_SECONDS = 600
fuzz: test-fuzz

# The whole game played headless by its own autoplayer, SOAK_GAMES games under the sanitizers, leaving,
# continuing and switching players at random; not part of `make test`.
SOAK_GAMES ?= 200
soak: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORRIK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target korrik-soak gamedata
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(ASAN_BUILD)/korrik-soak $(ASAN_BUILD)/Data $(SOAK_GAMES)

test: test-unit test-asan test-fuzz

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

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
