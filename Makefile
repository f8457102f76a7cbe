# The commands of the README. Each installs what is missing, configures and builds first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test screenshots build deps clean

run: build
	./$(BUILD)/vexmora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

screenshots: build
	./scripts/screenshots $(BUILD)

build: deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	./scripts/install-deps

clean:
	rm -rf $(BUILD)
