# The commands of the README. Each installs what is missing, configures and builds first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench package screenshots build deps clean windows

run: build
	./$(BUILD)/vexmora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# On an X server of its own, then without any display.
bench: build
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ./$(BUILD)/bench/startup-bench --platform xcb
	./$(BUILD)/bench/startup-bench --platform offscreen

package: build
	cd $(BUILD) && cpack

screenshots: build
	./scripts/screenshots $(BUILD)

build: deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	./scripts/install-deps

# Windows, from here: Qt for Windows is built once into ~/.cache/vexmora (or
# $VEXMORA_WINDOWS_CACHE); the program and its unit tests are cross-built into build-windows/,
# the tests run under Wine, then the installer is built, installed under Wine and checked.
WINDOWS_BUILD ?= build-windows
windows:
	./scripts/install-windows-deps
	qt=$$(nice -n 10 ./scripts/build-qt-windows --parallel $(JOBS)) && \
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	      -DCMAKE_PREFIX_PATH="$$qt" -DQT_HOST_PATH=/usr && \
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) && \
	(cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)) && \
	./scripts/windows-installer $(WINDOWS_BUILD) "$$qt" && \
	./scripts/windows-check $(WINDOWS_BUILD)/vexmora-1.15-setup.exe

clean:
	rm -rf $(BUILD)
