# make run  - installs what is missing, builds, opens the window
# make test - installs what is missing, builds, runs every test
# make layers - every #include points down the layers (tools/layers)
# make core   - the Qt-free core (astro, catalog, view, session) built and tested without Qt
# make test-sanitize - every test again under AddressSanitizer and UBSan
# make fuzz    - libFuzzer runs of the three text readers (FUZZ_SECONDS each)
# make bench   - Google Benchmarks, start-up time, peak memory
# make package - the Debian package (build-package/planetarium_*.deb)
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Debian packages the project needs to build, test and run.
PACKAGES := cmake g++ make pkg-config python3 qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-ipafont-gothic xvfb xauth ffmpeg tzdata qt6-svg-dev poppler-utils \
            libfast-float-dev liberfa-dev
# Qt's own dialogs and buttons in Japanese.
PACKAGES += qt6-translations-l10n

# The browser edition and its tests: emscripten builds it; Debian's chromium,
# firefox-esr and WebKitGTK (webkit2gtk-driver and its MiniBrowser, under
# xvfb) run it (puppeteer-core and selenium-webdriver from npm drive them;
# node and npm come with the machine, or from Debian when they are missing).
WEB_PACKAGES := emscripten chromium firefox-esr webkit2gtk-driver xvfb
ifeq ($(shell command -v npm 2>/dev/null),)
WEB_PACKAGES += nodejs npm
endif

.PHONY: all deps configure build run test layers core bench clean test-sanitize fuzz package web web-test web-serve

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing || exit 1; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

# Warnings are errors in this build, the one `make run` and `make test` use.
$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLANETARIUM_WERROR=ON

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/planetarium; \
	else \
	  echo "No display: drawing the current sky over the remembered place into sky.png"; \
	  QT_QPA_PLATFORM=offscreen ./$(BUILD)/planetarium --render sky.png && echo "Wrote sky.png"; \
	fi

test: EXTRA_PACKAGES := $(WEB_PACKAGES)
test: layers build web
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory web-test

# Every #include of the core, app/ and web/ against its folder's allow-list.
layers:
	python3 tools/layers/check_layers.py

# The browser edition: build-web/planetarium.html, one file with everything
# in it. Debian's emscripten looks for its JavaScript tools (acorn) where
# Debian's node keeps them. Built for size (-Os) but for astro/ and view/
# (-O3, their CMakeLists): the page stays one file under 1.5 MB with the
# ephemeris inside (all -O3 was 1.6 MB, all -Os halved the drawing's speed).
WEB_BUILD ?= build-web
web: EXTRA_PACKAGES := $(WEB_PACKAGES)
web: deps
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DPLANETARIUM_WERROR=ON \
	  -DCMAKE_CXX_FLAGS_RELEASE="-Os -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS_RELEASE="-Os" \
	  -DPLANETARIUM_GUI=OFF -DPLANETARIUM_TESTS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON > /dev/null
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS)
	@echo "Wrote $(WEB_BUILD)/planetarium.html"

# The browser edition served at http://127.0.0.1:8080/planetarium.html, where
# it can be installed as an app that keeps working offline.
web-serve: web
	cd $(WEB_BUILD) && python3 -m http.server 8080 --bind 127.0.0.1

# The page against the desktop program (both built): the whole suite in
# headless chromium, then the answers, drawing, a tap, offline reload and
# no error in Firefox ESR and WebKitGTK (Safari's engine).
tests/web/node_modules/.package-lock.json: tests/web/package-lock.json
	cd tests/web && npm ci --no-audit --no-fund
web-test: tests/web/node_modules/.package-lock.json
	node tests/web/browser_test.mjs $(abspath $(WEB_BUILD))/planetarium.html $(abspath $(BUILD))/planetarium
	xvfb-run -a node tests/web/engines_test.mjs $(abspath $(WEB_BUILD))/planetarium.html $(abspath $(BUILD))/planetarium

clean:
	rm -rf $(BUILD)

# The core with Qt out of sight: CMake is told to find no Qt at all, so a
# Qt include or library in astro/, catalog/, view/ or the session layer
# fails this build even on a machine that has Qt.
CORE_BUILD ?= build-core
core: deps
	cmake -S . -B $(CORE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLANETARIUM_WERROR=ON \
	  -DPLANETARIUM_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
	cmake --build $(CORE_BUILD) -j $(JOBS)
	cd $(CORE_BUILD) && ctest --output-on-failure -j $(JOBS)

# --- Hardening, benchmarks, packaging -------------------------------------
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
PKG_BUILD ?= build-package
FUZZ_SECONDS ?= 30
# Packages only these targets need; `deps` checks them for the target it serves.
fuzz: EXTRA_PACKAGES := clang libclang-rt-14-dev

# Every sanitizer report stops the process with a non-zero status, and is also
# written to $(SAN_BUILD)/sanitizer-logs so that a report in a child process
# whose status nobody checks still fails the target. Leak checking stays on,
# with no suppressions: Qt under the offscreen platform reports no leaks.
SAN_LOGS = $(abspath $(SAN_BUILD))/sanitizer-logs
SAN_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$(SAN_LOGS)/asan \
          UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=$(SAN_LOGS)/ubsan \
          QT_QPA_PLATFORM=offscreen

$(SAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLANETARIUM_SANITIZE=ON

test-sanitize: deps $(SAN_BUILD)/CMakeCache.txt
	cmake --build $(SAN_BUILD) -j $(JOBS)
	rm -rf $(SAN_LOGS) && mkdir -p $(SAN_LOGS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS); status=$$?; \
	if ls $(SAN_LOGS)/* >/dev/null 2>&1; then \
	  echo "Sanitizer reports:"; cat $(SAN_LOGS)/*; exit 1; \
	fi; \
	exit $$status

# libFuzzer needs clang; every source is instrumented, only the fuzz_*
# programs link libFuzzer's main.
FUZZ_FLAGS := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

$(FUZZ_BUILD)/CMakeCache.txt: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPLANETARIUM_FUZZ=ON -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)"

fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@set -e; for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; \
	  echo "== $$b"; \
	  python3 bench/bench_startup.py --run $$b --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true --benchmark_min_time=0.2; \
	done
	python3 bench/bench_startup.py $(BUILD)/planetarium
	@echo "== window soak: 20,000 timer ticks, memory from warm-up to end"
	@cd $(BUILD) && PLANETARIUM_SOAK_TICKS=20000 QT_QPA_PLATFORM=offscreen \
	  ./tests/sweep/window_soak_tests --gtest_filter='*TimerTicks*' 2>&1 | grep -E 'window soak: .* per tick|OK|FAILED'
	@echo "== colour switches: 1,500 switches between night and day colours, heap from warm-up to end"
	@cd $(BUILD) && PLANETARIUM_SCHEME_SWITCHES=1500 QT_QPA_PLATFORM=offscreen \
	  ./tests/sweep/window_soak_tests --gtest_filter='*ColourSwitches*' 2>&1 | grep -E 'colour switches:|OK|FAILED'

$(PKG_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release

package: deps $(PKG_BUILD)/CMakeCache.txt
	cmake --build $(PKG_BUILD) -j $(JOBS)
	cd $(PKG_BUILD) && cpack -G DEB
	@ls -l $(PKG_BUILD)/*.deb
