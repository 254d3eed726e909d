# Entry points of the project. Every target installs what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2

.PHONY: run test deps build bench asan-test windows format format-check clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

LX = $(BUILD)/bin/lx
SAMPLES = data/samples

# The main job: lx over the bundled samples with the default dictionary.
run: build
	@echo "== names ($(SAMPLES)/names.csv)"
	@$(LX) name --quiet --format table --order detect --comma-reverse --firms --compound-names \
	  --fields prefix,first,middle,last,suffix,prof_title,gender,result,salutation $(SAMPLES)/names.csv
	@echo; echo "== addresses ($(SAMPLES)/addresses.csv)"
	@$(LX) address --quiet --format table --trim $(SAMPLES)/addresses.csv --fields \
	  house_number,house_suffix,fraction,pre_dir,street_name,street_suffix,post_dir,unit_designator,unit_value,box,route
	@echo; echo "== US city lines ($(SAMPLES)/cities.csv)"
	@$(LX) city --quiet --format table --column line $(SAMPLES)/cities.csv
	@echo; echo "== Canadian city lines ($(SAMPLES)/canada.csv)"
	@$(LX) cancity --quiet --format table --column line $(SAMPLES)/canada.csv

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

# LxApi.dll for 32-bit Windows (and 64-bit, run under Wine against the C test host).
windows: build
	bash scripts/build-windows.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.c')

format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h' '*.c')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-win-i686 build-win-x86_64
