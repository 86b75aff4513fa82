# Front door: `make` builds, `make test` runs every test, `make play` starts the game.
# Each target first installs the Debian packages that are missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8000
DEB_BUILD  ?= build-deb
WIN_BUILD  ?= build-win
JOBS       ?= $(shell nproc)
FUZZ_RUNS  ?= 20000
FUZZ_SECONDS ?= 600

PACKAGES := cmake ninja-build g++ pkg-config libpng-dev libgtest-dev libgmock-dev \
            libbenchmark-dev qt6-base-dev qt6-base-dev-tools libgl-dev \
            fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei gettext \
            desktop-file-utils appstream man-db \
            debhelper dpkg-dev lintian \
            emscripten nodejs chromium python3 clang libclang-rt-14-dev \
            xvfb xauth dbus-daemon at-spi2-core python3-pyatspi xdotool x11-apps x11-xkb-utils xkb-data

# What make bench needs besides: llvm-nm for the wasm.
BENCH_PACKAGES := llvm

# The Windows build: Debian's mingw-w64 (the POSIX-thread variant), Wine, NSIS, and the tools
# its tests drive it with.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
                    wine wine64 nsis xvfb xdotool x11-apps x11-utils

CMAKE_FLAGS := -G Ninja -DZELTORIA_WERROR=ON

# What npm ci leaves once the browser tests' driver is installed.
WEB_TEST_TOOLS := tests/web/node_modules/.package-lock.json

# Debian's Emscripten runs its JavaScript tools on Node.js with Debian's node modules.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: all build deps test test-normal test-asan test-fuzz test-web web serve-web deb screenshot \
        fuzz-build fuzz-long bench play clean windows windows-installer test-windows pot

all: build

# Installs the Debian packages of $(1) that are missing (as root), or says how to.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Run:"; \
	    echo "  sudo apt-get install$$missing"; \
	    exit 1; \
	  fi; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

# The translators' template from the sources, and every catalogue brought up to it (new texts
# untranslated, changed ones fuzzy, for a translator to finish).
pot: deps
	tools/catalogues/extract.sh . po/zeltoria.pot
	for po in po/*.po; do msgmerge --quiet --update --backup=none $$po po/zeltoria.pot; done

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

test: test-normal test-asan test-fuzz test-web test-windows deb

test-normal: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug \
	  -DZELTORIA_SANITIZE=ON -DZELTORIA_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) -j $(JOBS) --output-on-failure

# The fuzz targets (clang's libFuzzer, from Debian's clang): a short run of each in make test,
# and the long runs of make fuzz-long (FUZZ_SECONDS each, on both cores; FUZZ_TARGET=NAME for one).
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZELTORIA_WERROR=ON -DZELTORIA_FUZZ=ON -DZELTORIA_WITH_QT=OFF -DZELTORIA_TESTS=OFF \
	  -DZELTORIA_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

test-fuzz: fuzz-build
	FUZZ_RUNS=$(FUZZ_RUNS) bash fuzz/run-all.sh $(FUZZ_BUILD)

fuzz-long: fuzz-build
	bash fuzz/long.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGET)

# The benchmarks, each beside its anchor in the same run: on a busy machine compare the ratios.
bench: web windows $(WEB_TEST_TOOLS)
	$(call install_missing,$(BENCH_PACKAGES))
	$(BUILD)/bench_decode --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(BUILD)/bench_frame
	$(BUILD)/bench_startup 31
	xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb $(BUILD)/bench_startup 31
	node bench/web/measure.mjs 15
	node bench/web/wasm-breakdown.mjs $(abspath $(WEB_BUILD))
	python3 bench/win32/startup.py $(WIN_BUILD) 15

# The browser build: a static site in $(WEB_BUILD)/site, with the data file and pictures that
# the native build's art builder draws.
web: build
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DZELTORIA_WERROR=ON -DZELTORIA_NATIVE_BUILD=$(abspath $(BUILD))
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	@echo "The site is in $(WEB_BUILD)/site; 'make serve-web' serves it."

serve-web: web
	@echo "Zeltoria is served at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops the server)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD)/site $(WEB_PORT)

# The browser tests' driver (playwright-core, pinned by the lock file), from the npm registry
# with the machine's Node.js and npm; installed again only when the lock file changes.
$(WEB_TEST_TOOLS): tests/web/package-lock.json
	@command -v npm > /dev/null || { echo "The browser tests need npm (and Node.js 20 or later)."; exit 1; }
	@node -e 'process.exit(Number(process.versions.node.split(".")[0]) >= 20 ? 0 : 1)' || \
	  { echo "The browser tests need Node.js 20 or later; this is $$(node --version)."; exit 1; }
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error

# The browser test: the page's lab against zeltoria-lab, and the page in headless Chromium.
test-web: web $(WEB_TEST_TOOLS)
	ZELTORIA_SITE=$(abspath $(WEB_BUILD))/site ZELTORIA_LAB_SITE=$(abspath $(WEB_BUILD))/lab ZELTORIA_LAB=$(abspath $(BUILD))/zeltoria-lab \
	  node --test tests/web/

# The Windows build: cross-compiled with mingw-w64 into $(WIN_BUILD)/, statically linked, with the
# data file and the pictures of the native build's art builder.
windows: build
	$(call install_missing,$(WINDOWS_PACKAGES))
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZELTORIA_WERROR=ON -DZELTORIA_NATIVE_BUILD=$(abspath $(BUILD))
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The installer (NSIS, for the current user) and the portable zip, in $(WIN_BUILD)/.
windows-installer: windows
	cmake --build $(WIN_BUILD) --target windows_packages

# Every Windows test under Wine (a prefix made afresh in $(WIN_BUILD)/wineprefix).
test-windows: windows-installer
	sh tests/win32/run-wine-tests.sh $(WIN_BUILD)

# The Debian packages, built from a copy of the tree (what git would keep of it) so that the tree
# stays clean, into $(DEB_BUILD)/, then checked by lintian: any error or warning fails. The
# package's own run of the tests is left out (nocheck): make test runs them.
deb: deps
	rm -rf $(DEB_BUILD)
	mkdir -p $(DEB_BUILD)/zeltoria
	git ls-files -z --cached --others --exclude-standard | \
	  tar --null -T - --ignore-failed-read -cf - | tar -xf - -C $(DEB_BUILD)/zeltoria
	cd $(DEB_BUILD)/zeltoria && DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" \
	  dpkg-buildpackage -b -us -uc -Pnocheck
	rm -rf $(DEB_BUILD)/zeltoria
	lintian --display-info --fail-on error,warning $(DEB_BUILD)/*.changes

# The picture of the game in the README and the metainfo: a 4 x 4 game just scrambled.
screenshot: build
	$(BUILD)/zeltoria-lab shot data/screenshot.png seed=7 click=219,343 click=219,373 \
	  click=377,343 run >/dev/null

play: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the game cannot open its window here."; \
	  echo "Without a display, zeltoria-lab shot plays the real window offscreen and writes a picture of it:"; \
	  echo "  $(BUILD)/zeltoria-lab shot idle.png"; \
	  echo "  $(BUILD)/zeltoria-lab shot playing.png click=377,343 run     (Start, then the shuffle)"; \
	  echo "  $(BUILD)/zeltoria-lab shot moving.png click=377,343 run key=A tick"; \
	  echo "Run '$(BUILD)/zeltoria-lab --help' for every action."; \
	  exit 1; \
	fi
	$(BUILD)/zeltoria

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(DEB_BUILD) $(WIN_BUILD)
