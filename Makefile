# make test: install what is missing, build every preset, run every test.
# make demo: the sample toolbar in the browser host.
# make test32: the 32-bit build's tests in a guest with 32-bit Wine.
# make package: the stripped modules and the installer (docs/packaging.md).
MAKEFLAGS += --no-print-directory
PRESETS := native native-asan win64 win32 fuzz
PACKAGES := cmake make g++ binutils g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools \
  wine wine64 xvfb xauth googletest libgtest-dev libgmock-dev libbenchmark-dev \
  libcurl4-openssl-dev clang libclang-rt-dev clang-format python3 nsis

.PHONY: all test test32 demo timings soak package build deps format $(PRESETS)

all: build

test: build
	@cmake/test-all

build: $(PRESETS)

# The 32-bit session: builds the guest the first time (docs/testing-32bit.md).
test32: win32
	@cmake/test32

demo: deps build/win64/CMakeCache.txt
	cmake --build --preset win64 --target qel qelhost
	@cmake/demo

# How long the toolbar takes to load in the browser host (docs/performance.md).
timings: deps build/win64/CMakeCache.txt
	cmake --build --preset win64 --target qel qelhost
	@cmake/demo --timings

# Memory and handles of one browser host process that opens and closes 200
# frames with the sample toolbar (docs/module.md).
soak: deps build/win64/CMakeCache.txt
	cmake --build --preset win64 --target qel qelhost
	@cmake/demo --soak 200

# The installer and the stripped modules, under build/win64/installer/package.
# QEL_DATA_URL=... sets the DataURL of the qel.ini it installs; it stays in
# the win64 build's cache until set again. Configuring again finds a makensis
# installed since the last time.
package: deps build/win64/CMakeCache.txt
	cmake --preset win64 $(if $(QEL_DATA_URL),-DQEL_DATA_URL='$(QEL_DATA_URL)') >/dev/null
	cmake --build --preset win64 --target qel_package
	@cd build/win64/installer/package && ls -l qel.ini */qel.dll */qel.dll.debug qel-*-setup.exe

$(PRESETS): %: deps build/%/CMakeCache.txt
	cmake --build --preset $*

build/%/CMakeCache.txt: | deps
	cmake --preset $*

# The win32 build once had its tests off: configure again when the presets change.
build/win32/CMakeCache.txt: CMakePresets.json

deps:
	@cmake/install-deps $(PACKAGES)

format:
	git ls-files '*.cc' '*.h' | xargs clang-format -i
