# Kestro: every target sets up what is missing, then wraps CMake.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
BENCH_BUILD ?= build-bench
FUZZ_SECONDS ?= 10
FUZZ_LONG_SECONDS ?= 300
CMAKE_FLAGS ?=
EXAMPLE ?= buck_converter

.PHONY: all setup build run package pictures test test-normal test-asan test-fuzz bench fuzz format clean

all: build

setup:
	@scripts/bootstrap

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD)

# The editor on an example: a copy in the build folder, so that edits and simulation
# results never land in examples/ (a copy edited since is kept).
run: build
	mkdir -p $(BUILD)/examples
	cp -u examples/*.sch examples/*.CCT $(BUILD)/examples/
	$(BUILD)/bin/kestro $(BUILD)/examples/$(EXAMPLE).sch

package: build
	cmake --build $(BUILD) --target package

# Pictures of the windows, menus, images and the print preview in $(BUILD)/pictures/, for a
# person to look at after a change of what the editor shows.
pictures: build
	cmake --build $(BUILD) --target kestro_pictures
	QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu \
	    $(BUILD)/bin/kestro_pictures $(BUILD)/pictures

test: test-normal test-asan test-fuzz
	@echo "make test: all passed"

test-normal: build
	ctest --test-dir $(BUILD) --output-on-failure

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRO_SANITIZE=ON \
	    -DKESTRO_BUILD_GUI=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure

test-fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DKESTRO_FUZZ=ON -DKESTRO_BUILD_GUI=OFF -DKESTRO_BUILD_TOOLS=OFF -DKESTRO_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD)
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DKESTRO_FUZZ=ON -DKESTRO_BUILD_GUI=OFF -DKESTRO_BUILD_TOOLS=OFF -DKESTRO_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD)
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_LONG_SECONDS)

bench: setup
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRO_BUILD_BENCH=ON \
	    -DKESTRO_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD)
	@for b in $(BENCH_BUILD)/bin/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
