# Entry points of the project. Every target installs what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2

.PHONY: run test deps build bench asan-test format clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The main job on the default dictionary.
run: build
	$(BUILD)/bin/lx dict info $(BUILD)/share/lexorin/default.dct

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bin/lexorin_bench

# The engine and tool tests again, under AddressSanitizer and UBSan.
asan-test: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLX_SANITIZE=ON \
	  -DLX_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
