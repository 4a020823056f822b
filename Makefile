# Two commands do everything on a fresh machine:
#   make run   builds the library and the host tool and shows them at work
#   make test  builds and runs every test, in a normal and in an ASan+UBSan build

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)
CMAKE      ?= cmake
CTEST      ?= ctest
TOOL        = $(BUILD)/tools/varizav/varizav

.PHONY: all build build-asan run test test-normal test-asan bench clean

all: build

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

$(ASAN_BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_SANITIZE=ON

build: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS)

build-asan: $(ASAN_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@echo "== varizav today =="
	@$(TOOL) today
	@echo
	@echo "== examples/showcase.tsv through varizav batch =="
	@# The showcase names calendars, months and cycles in English.
	@$(TOOL) --lang en batch --echo < examples/showcase.tsv

test-normal: build
	$(CTEST) --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  $(CTEST) --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: test-normal test-asan

bench:
	$(CMAKE) -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARIZAV_BUILD_BENCH=ON -DVARIZAV_BUILD_TESTS=OFF
	$(CMAKE) --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/varizav_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
