# make run  - installs what is missing, builds, opens the window
# make test - installs what is missing, builds, runs every test
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Debian packages the project needs to build, test and run.
PACKAGES := cmake g++ make pkg-config python3 qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-ipafont-gothic xvfb xauth

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
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

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
