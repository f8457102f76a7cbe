# The commands of the README. Each installs what is missing first; all but package then configure
# and build in $(BUILD).
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench package screenshots build deps clean windows desktops help

run: build
	./$(BUILD)/vexmora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# On an X server of its own, then without any display.
bench: build
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ./$(BUILD)/bench/startup-bench --platform xcb
	./$(BUILD)/bench/startup-bench --platform offscreen

# Debian's own tools, from debian/: the program built again in a folder of their own with
# Debian's flags, and dated by debian/changelog, so that two runs give the same bytes. They
# leave their files beside the source tree; they are moved into the build folder.
DEB_VERSION = $(shell dpkg-parsechangelog -S Version)
DEB_ARCH = $(shell dpkg-architecture -q DEB_HOST_ARCH)
DEB_FILES = vexmora_$(DEB_VERSION)_$(DEB_ARCH).deb vexmora-dbgsym_$(DEB_VERSION)_$(DEB_ARCH).deb \
	vexmora_$(DEB_VERSION)_$(DEB_ARCH).buildinfo vexmora_$(DEB_VERSION)_$(DEB_ARCH).changes

package: deps
	mkdir -p $(BUILD)
	dpkg-buildpackage -b -us -uc -J$(JOBS) --post-clean
	for file in $(DEB_FILES); do mv -f ../$$file $(BUILD)/; done
	cd $(BUILD) && sha256sum $(DEB_FILES) > SHA256SUMS
	@echo "package: $(BUILD)/vexmora_$(DEB_VERSION)_$(DEB_ARCH).deb, its SHA256SUMS beside it"

screenshots: build
	./scripts/screenshots $(BUILD)

build: deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	./scripts/install-deps

# Windows, from here: Qt for Windows is built once into ~/.cache/vexmora (or
# $VEXMORA_WINDOWS_CACHE); the program and its unit tests are cross-built into build-windows/,
# the tests run under Wine, then the installer is built, installed under Wine and checked. Given a
# certificate (VEXMORA_SIGN_PKCS12, docs/windows.md), it signs, and a bad one stops it at once.
WINDOWS_BUILD ?= build-windows
windows:
	./scripts/install-windows-deps
	./scripts/windows-installer --check $(WINDOWS_BUILD)
	qt=$$(nice -n 10 ./scripts/build-qt-windows --parallel $(JOBS)) && \
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	      -DCMAKE_PREFIX_PATH="$$qt" -DQT_HOST_PATH=/usr && \
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) && \
	(cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)) && \
	./scripts/windows-installer $(WINDOWS_BUILD) "$$qt" && \
	./scripts/windows-check $(WINDOWS_BUILD)/vexmora-1.15-setup.exe

# The end-to-end rows that depend on the window manager under each window manager of Debian 12's
# desktops (openbox, xfwm4, KWin, mutter, metacity, marco), which it installs first; a table of
# row by manager. Neither make test nor CI runs it.
desktops: build
	./scripts/install-desktop-deps
	./scripts/desktops $(BUILD)

clean:
	rm -rf $(BUILD)

# The README's table of the commands, one line each.
help:
	@echo 'make run          builds the program and starts it'
	@echo 'make test         builds, then runs every test through CTest (about 30 s when built)'
	@echo 'make package      builds the Debian package $(BUILD)/vexmora_1.15_amd64.deb (42 s)'
	@echo 'make bench        measures the start-up against a bare Qt program (15 s when built)'
	@echo 'make windows      the Windows installer, built here, tested under Wine (34 min first, then 1.5 to 3.5 min)'
	@echo 'make desktops     the end-to-end rows under the window managers of Debian 12 (4 min first, then 1 min)'
	@echo 'make screenshots  takes the pictures of the windows into docs/ (2 s when built)'
	@echo 'make clean        removes $(BUILD)/'
	@echo 'All but clean first install what is missing. More in README.md and docs/.'
