# Two commands do everything on a fresh machine:
#   make run   builds the library and the host tool and shows them at work
#   make test  builds and runs every test, in a normal and in an ASan+UBSan build,
#              and the concurrency stress test under ThreadSanitizer
#   make fuzz  runs each libFuzzer target (clang, ASan+UBSan) for FUZZ_SECONDS

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
# Seconds per fuzz target; CI runs both targets for a few minutes in all.
FUZZ_SECONDS ?= 90
FUZZ_TARGETS = worksheet_fuzzer registration_fuzzer
JOBS       ?= $(shell nproc)
CMAKE      ?= cmake
CTEST      ?= ctest
TOOL        = $(BUILD)/tools/varizav/varizav
LIBRARY     = $(BUILD)/src/libvarizav.so

# make install: the library, its header and the host tool under PREFIX.
# make install-calc-addin: the library in LibreOffice's legacy add-in folder.
PREFIX         ?= /usr/local
DESTDIR        ?=
CALC_ADDIN_DIR ?= /usr/lib/libreoffice/program/addin

.PHONY: all build build-asan build-tsan build-fuzz run test test-normal test-asan test-tsan fuzz bench bench-calc clean \
        install install-calc-addin oxt

all: build

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

$(ASAN_BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_SANITIZE=ON

$(TSAN_BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_TSAN=ON

$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_FUZZ=ON \
	  -DVARIZAV_BUILD_TESTS=OFF

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

# Only the stress test's program is built under ThreadSanitizer.
build-tsan: $(TSAN_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(TSAN_BUILD) -j $(JOBS) --target host_robustness_tests

test-tsan: build-tsan
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/tests/host_robustness_tests

test: test-normal test-asan test-tsan

build-fuzz: $(FUZZ_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

# Each target starts from the checked-in seeds (fuzz/corpus/<target>) and adds
# what it finds to a corpus of its own in the build directory; a crash, a
# failed check or a call running over 20 s stops it with the input saved in
# $(FUZZ_BUILD)/artifacts.
fuzz: build-fuzz
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@set -e; for t in $(FUZZ_TARGETS); do \
	  name=$${t%_fuzzer}; mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$t for $(FUZZ_SECONDS) s =="; \
	  log=$(FUZZ_BUILD)/$$name.log; \
	  $(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/ $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name > $$log 2>&1 || \
	    { tail -n 40 $$log; echo "$$t found a fault: input in $(FUZZ_BUILD)/artifacts"; exit 1; }; \
	  grep -E 'INITED|DONE|^stat::(number_of_executed_units|peak_rss_mb|slowest_unit_time_sec)' $$log; \
	done

# Release build of the benchmarks; the calendar conversions run side by side
# with ICU 72 (libicu-dev), the summary table comes last, then the batch run.
bench:
	@test -f /usr/include/unicode/calendar.h || pkg-config --exists icu-i18n || \
	  { echo "make bench compares with ICU 72: install it with  apt-get install libicu-dev"; exit 1; }
	$(CMAKE) -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARIZAV_BUILD_BENCH=ON -DVARIZAV_BUILD_TESTS=OFF
	$(CMAKE) --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/varizav_bench
	bench/batch_bench.sh $(BENCH_BUILD)/tools/varizav/varizav

# Cost per cell of each function family in headless LibreOffice Calc, against
# Calc's own DATE (needs libreoffice-calc-nogui and Debian's python3-uno; a
# few minutes, run by hand).
bench-calc: build
	@command -v soffice >/dev/null && /usr/bin/python3 -c "import uno" 2>/dev/null || \
	  { echo "make bench-calc needs headless Calc and UNO: apt-get install libreoffice-calc-nogui python3-uno"; exit 1; }
	/usr/bin/python3 bench/calc_bench.py $(LIBRARY)

# The tool looks for the library beside its own file: it lives in
# libexec/varizav beside a link to the installed library, and bin/varizav
# links to it.
install: build
	install -d $(DESTDIR)$(PREFIX)/lib $(DESTDIR)$(PREFIX)/include/varizav $(DESTDIR)$(PREFIX)/bin \
	  $(DESTDIR)$(PREFIX)/libexec/varizav
	install -m 755 $(LIBRARY) $(DESTDIR)$(PREFIX)/lib/libvarizav.so
	install -m 644 include/varizav/addin.h $(DESTDIR)$(PREFIX)/include/varizav/addin.h
	install -m 755 $(TOOL) $(DESTDIR)$(PREFIX)/libexec/varizav/varizav
	ln -sfn ../../lib/libvarizav.so $(DESTDIR)$(PREFIX)/libexec/varizav/libvarizav.so
	ln -sfn ../libexec/varizav/varizav $(DESTDIR)$(PREFIX)/bin/varizav

# Calc loads every library in this folder at start-up (restart it after this).
install-calc-addin: build
	install -d $(DESTDIR)$(CALC_ADDIN_DIR)
	install -m 755 $(LIBRARY) $(DESTDIR)$(CALC_ADDIN_DIR)/libvarizav.so

# The LibreOffice extension, which keeps formulas working in saved
# spreadsheets (needs the LibreOffice SDK: libreoffice-dev
# libreoffice-dev-common). Install it with Tools > Extension Manager > Add, or
# unopkg add varizav.oxt.
oxt: $(BUILD)/CMakeCache.txt
	@test -x /usr/lib/libreoffice/sdk/bin/cppumaker || \
	  { echo "make oxt needs the LibreOffice SDK: apt-get install libreoffice-dev libreoffice-dev-common"; exit 1; }
	$(CMAKE) -S . -B $(BUILD)
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target oxt
	cp $(BUILD)/calc-extension/varizav.oxt varizav.oxt

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
