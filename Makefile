# The commands of the README. Each installs what is missing, configures and builds first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench package screenshots build deps clean

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

clean:
	rm -rf $(BUILD)
