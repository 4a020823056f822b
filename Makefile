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
LIBRARY     = $(BUILD)/src/libvarizav.so

# make install: the library, its header and the host tool under PREFIX.
# make install-calc-addin: the library in LibreOffice's legacy add-in folder.
PREFIX         ?= /usr/local
DESTDIR        ?=
CALC_ADDIN_DIR ?= /usr/lib/libreoffice/program/addin

.PHONY: all build build-asan run test test-normal test-asan bench clean install install-calc-addin

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

# Release build of the benchmarks; the calendar conversions run side by side
# with ICU 72 (libicu-dev), the summary table comes last, then the batch run.
bench:
	@test -f /usr/include/unicode/calendar.h || pkg-config --exists icu-i18n || \
	  { echo "make bench compares with ICU 72: install it with  apt-get install libicu-dev"; exit 1; }
	$(CMAKE) -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARIZAV_BUILD_BENCH=ON -DVARIZAV_BUILD_TESTS=OFF
	$(CMAKE) --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/varizav_bench
	bench/batch_bench.sh $(BENCH_BUILD)/tools/varizav/varizav

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

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
