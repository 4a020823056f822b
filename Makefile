# Two commands do everything on a fresh machine (each installs the Debian
# packages it needs first, through .ci/packages):
#   make run   builds the library and the host tool only and shows them at work
#   make test  builds and runs every test, in a normal and in an ASan+UBSan build,
#              and the concurrency stress test under ThreadSanitizer, then lists
#              every test that was skipped and why
#   make fuzz  runs each libFuzzer target (clang, ASan+UBSan) for FUZZ_SECONDS
#   make windows       cross-builds varizav.dll and varizav.exe (MinGW-w64)
#   make test-windows  runs the unit tests and the host tool under Wine against the Linux build
#   make dist          writes the release files into dist/

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
WASM_BUILD ?= build-wasm
WEB_BUILD  ?= build-web
WINDOWS_BUILD ?= build-windows
# Seconds per fuzz target; CI runs every target for a few minutes in all.
FUZZ_SECONDS ?= 90
FUZZ_TARGETS = worksheet_fuzzer registration_fuzzer differential_fuzzer
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

.PHONY: all packages build build-asan build-tsan build-fuzz run test test-normal test-asan test-tsan fuzz bench clean \
        install install-calc-addin oxt readme wasm web test-js test-web bench-wasm windows test-windows dist bench-calc bench-calc-components chinese-table \
        gnumeric install-gnumeric screenshot-gnumeric sheets excel test-sheets test-excel

all: build

# The Debian packages a target needs, installed when missing (as root, or
# through sudo); the test targets need the real hosts too. The build trees are
# configured again after an install, so that they find what came.
PACKAGES = build
test test-normal test-asan test-tsan: PACKAGES = test
packages:
	@.ci/packages $(PACKAGES) $(BUILD) $(ASAN_BUILD)

$(BUILD)/CMakeCache.txt: | packages
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

$(ASAN_BUILD)/CMakeCache.txt: | packages
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_SANITIZE=ON

$(TSAN_BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_TSAN=ON

$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARIZAV_FUZZ=ON \
	  -DVARIZAV_BUILD_TESTS=OFF

# Windows x86-64 with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix); the
# tests run under Wine (wine64) in a private prefix inside the build.
$(WINDOWS_BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/cmake/wine-run.sh -DVARIZAV_CHINESE_TABLE=$(CHINESE_TABLE)

# The Chinese year table of the native build, which the cross builds take.
CHINESE_TABLE = $(CURDIR)/$(BUILD)/src/generated/calendars/lunisolar/chinese_years.inc
chinese-table: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_calendars

build: packages $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS)

build-asan: packages $(ASAN_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(ASAN_BUILD) -j $(JOBS)

# The library and the host tool only: no tests, no extension.
run: packages $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav varizav_tool
	@echo "== varizav today =="
	@$(TOOL) today
	@echo
	@echo "== examples/showcase.tsv through varizav batch =="
	@# The showcase names calendars, months and cycles in English.
	@$(TOOL) --lang en batch --echo < examples/showcase.tsv

# Each run also writes its results as JUnit XML, whence make test lists the
# skipped tests with their reasons.
test-normal: build
	$(CTEST) --test-dir $(BUILD) --output-on-failure -j $(JOBS) --output-junit $(CURDIR)/$(BUILD)/ctest-junit.xml

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  $(CTEST) --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --output-junit $(CURDIR)/$(ASAN_BUILD)/ctest-junit.xml

# Only the stress test's program is built under ThreadSanitizer.
build-tsan: $(TSAN_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(TSAN_BUILD) -j $(JOBS) --target host_robustness_tests

test-tsan: build-tsan
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/tests/host_robustness_tests

test: test-normal test-asan test-tsan
	@/usr/bin/python3 tests/build/skipped_tests.py normal=$(BUILD)/ctest-junit.xml asan=$(ASAN_BUILD)/ctest-junit.xml

# README's appendix of names, written from the library's own tables.
readme: build
	docs/readme_names.sh $(TOOL) README.md

build-fuzz: $(FUZZ_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

# Each target starts from the checked-in seeds (fuzz/corpus/<target>; the
# differential target also from the worksheet seeds, whose layout it shares) and adds
# what it finds to a corpus of its own in the build directory; a crash, a
# failed check or a call running over 20 s stops it with the input saved in
# $(FUZZ_BUILD)/artifacts.
fuzz: build-fuzz
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@set -e; for t in $(FUZZ_TARGETS); do \
	  name=$${t%_fuzzer}; mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  seeds=fuzz/corpus/$$name; [ $$name != differential ] || seeds="$$seeds fuzz/corpus/worksheet"; \
	  echo "== $$t for $(FUZZ_SECONDS) s =="; \
	  log=$(FUZZ_BUILD)/$$name.log; \
	  $(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/ $(FUZZ_BUILD)/corpus/$$name $$seeds > $$log 2>&1 || \
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
	install -m 644 include/varizav/addin.h include/varizav/columns.h $(DESTDIR)$(PREFIX)/include/varizav/
	install -m 755 $(TOOL) $(DESTDIR)$(PREFIX)/libexec/varizav/varizav
	ln -sfn ../../lib/libvarizav.so $(DESTDIR)$(PREFIX)/libexec/varizav/libvarizav.so
	ln -sfn ../libexec/varizav/varizav $(DESTDIR)$(PREFIX)/bin/varizav

# Calc loads every library in this folder at start-up (restart it after this).
install-calc-addin: build
	install -d $(DESTDIR)$(CALC_ADDIN_DIR)
	install -m 755 $(LIBRARY) $(DESTDIR)$(CALC_ADDIN_DIR)/libvarizav.so

# Per-cell cost of the extension's C++ and Python components in headless
# Calc (CELLS formulas, default 100000), against a profile without them.
CELLS ?= 100000
bench-calc-components: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target oxt oxt_python_test
	bench/calc_cell_cost.py $(CELLS) C++=$(BUILD)/calc-extension/varizav.oxt \
	  Python=$(BUILD)/calc-extension/varizav-python-test.oxt

# The LibreOffice extension, which keeps formulas working in saved
# spreadsheets (needs the LibreOffice SDK: libreoffice-dev
# libreoffice-dev-common). Install it with Tools > Extension Manager > Add, or
# unopkg add -s varizav.oxt (README: Install).
# With the MinGW-w64 cross compiler installed it holds varizav.dll and the
# Python component for Windows too.
MINGW_CXX = x86_64-w64-mingw32-g++-posix
WINDOWS_DLL = $(CURDIR)/$(WINDOWS_BUILD)/tools/varizav/varizav.dll
oxt: $(BUILD)/CMakeCache.txt
	@test -x /usr/lib/libreoffice/sdk/bin/cppumaker || \
	  { echo "make oxt needs the LibreOffice SDK: apt-get install libreoffice-dev libreoffice-dev-common"; exit 1; }
	@if command -v $(MINGW_CXX) >/dev/null; then \
	  $(MAKE) --no-print-directory windows && $(CMAKE) -S . -B $(BUILD) -DVARIZAV_WINDOWS_DLL=$(WINDOWS_DLL); \
	else \
	  echo "No $(MINGW_CXX) (g++-mingw-w64-x86-64-posix): varizav.oxt for Linux only"; \
	  $(CMAKE) -S . -B $(BUILD) -DVARIZAV_WINDOWS_DLL=; \
	fi
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target oxt
	cp $(BUILD)/calc-extension/varizav.oxt varizav.oxt

# The Gnumeric plugin folder in build-sheets/gnumeric/varizav (Gnumeric's
# Python loader: gnumeric-plugins-extra); install-gnumeric puts it where
# Gnumeric looks for the plugins of the user running it.
SHEETS_BUILD ?= build-sheets
GNUMERIC_VERSION = $(shell ssconvert --version 2>/dev/null | sed -n "s/.*version '\([0-9.]*\)'.*/\1/p")
gnumeric: packages $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target gnumeric_plugin
	rm -rf $(SHEETS_BUILD)/gnumeric/varizav && mkdir -p $(SHEETS_BUILD)/gnumeric
	cp -r $(BUILD)/sheets/gnumeric/varizav $(SHEETS_BUILD)/gnumeric/

install-gnumeric: gnumeric
	@test -n "$(GNUMERIC_VERSION)" || { echo "make install-gnumeric needs Gnumeric: apt-get install gnumeric gnumeric-plugins-extra"; exit 1; }
	rm -rf $(HOME)/.gnumeric/$(GNUMERIC_VERSION)/plugins/varizav
	mkdir -p $(HOME)/.gnumeric/$(GNUMERIC_VERSION)/plugins
	cp -r $(SHEETS_BUILD)/gnumeric/varizav $(HOME)/.gnumeric/$(GNUMERIC_VERSION)/plugins/

# docs/img/gnumeric.png, README's picture of Gnumeric (Xvfb, ImageMagick).
screenshot-gnumeric: gnumeric
	sheets/gnumeric/screenshot.sh $(SHEETS_BUILD)/gnumeric/varizav docs/img/gnumeric.png

# Google Sheets (build-sheets/google/varizav.gs) and the Excel add-in
# (build-sheets/excel/), written from the registration by
# sheets/js/generate.mjs over the module built for them; the add-in's files
# are served from EXCEL_BASE_URL. Each target writes both.
EXCEL_BASE_URL ?= https://localhost:3000/
SHEETS_CORE = $(WASM_BUILD)/bindings/js/varizav-sheets-core
sheets excel: wasm
	$(EMSCRIPTEN_ENV) $(CMAKE) --build $(WASM_BUILD) -j $(JOBS) --target varizav_sheets_wasm
	node sheets/js/generate.mjs $(SHEETS_CORE).js $(SHEETS_CORE).wasm $(SHEETS_BUILD) $(EXCEL_BASE_URL)

# Each shell in node against the native tool: the Calc corpus and a sweep,
# as values and as ranges (the time zone of both: UTC).
test-sheets test-excel: test-%: % $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_tool
	cd sheets/js && TZ=UTC VARIZAV_NATIVE=$(CURDIR)/$(TOOL) VARIZAV_REQUIRE_NATIVE=1 \
	  VARIZAV_SHEETS_GS=$(CURDIR)/$(SHEETS_BUILD)/google/varizav.gs VARIZAV_EXCEL_DIR=$(CURDIR)/$(SHEETS_BUILD)/excel \
	  node --test test/$*.test.js

# The npm package (bindings/js): the library compiled to WebAssembly with
# Debian's Emscripten, whose JavaScript optimizer needs Debian's acorn
# (node-acorn) on NODE_PATH. The module and the generated API files land in
# bindings/js/dist, the licence beside them in the package.
JS_DIR         = bindings/js
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs

$(WASM_BUILD)/CMakeCache.txt:
	@command -v emcmake >/dev/null || { echo "make wasm needs Emscripten: apt-get install emscripten node-acorn"; exit 1; }
	$(EMSCRIPTEN_ENV) emcmake $(CMAKE) -S . -B $(WASM_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARIZAV_BUILD_TESTS=OFF -Wno-dev \
	  -DVARIZAV_CHINESE_TABLE=$(CHINESE_TABLE)

wasm: chinese-table $(WASM_BUILD)/CMakeCache.txt
	$(EMSCRIPTEN_ENV) $(CMAKE) --build $(WASM_BUILD) -j $(JOBS) --target varizav_wasm
	@mkdir -p $(JS_DIR)/dist
	cp $(WASM_BUILD)/bindings/js/varizav-core.mjs $(WASM_BUILD)/bindings/js/varizav-core.wasm $(JS_DIR)/dist/
	cp LICENSE $(JS_DIR)/LICENSE
	node $(JS_DIR)/scripts/generate.mjs

# Converter calls through the npm package next to the same calls through the
# native library (process CPU time, best of five runs each).
bench-wasm: build wasm
	@mkdir -p $(BUILD)/bench-wasm
	$(CXX) -O2 -std=c++20 -Iinclude bench/converter_calls.cpp -o $(BUILD)/bench-wasm/converter_calls -ldl
	@$(BUILD)/bench-wasm/converter_calls $(LIBRARY) > $(BUILD)/bench-wasm/native.tsv
	@node bench/converter_calls.mjs > $(BUILD)/bench-wasm/wasm.tsv
	@printf '%-26s %10s %10s %7s\n' call native wasm ratio
	@join -t '	' $(BUILD)/bench-wasm/native.tsv $(BUILD)/bench-wasm/wasm.tsv | \
	  awk -F '\t' '{ printf "%-26s %7.1f ns %7.1f ns %6.2fx\n", $$1, $$2, $$3, $$3 / $$2 }'
	@printf 'package size: %s bytes gzipped (.wasm and JavaScript)\n' \
	  "$$(cat $(JS_DIR)/dist/*.wasm $(JS_DIR)/dist/*.mjs $(JS_DIR)/dist/*.js $(JS_DIR)/varizav.js $(JS_DIR)/lib/*.js | gzip -9 | wc -c)"

# The web page: static files in $(WEB_BUILD)/site, the package beside them.
web: wasm
	rm -rf $(WEB_BUILD)/site
	mkdir -p $(WEB_BUILD)/site/varizav
	cp web/index.html web/app.js web/search-worker.js web/style.css web/calendar-view.js web/gedcom-view.js \
	  web/ics-download.js $(WEB_BUILD)/site/
	cp -r $(JS_DIR)/varizav.js $(JS_DIR)/lib $(JS_DIR)/dist $(WEB_BUILD)/site/varizav/
	@echo "web page in $(WEB_BUILD)/site: serve it with any static server, e.g. python3 -m http.server -d $(WEB_BUILD)/site"

# The package's tests, the conformance sweep against the native tool among them
# (TypeScript for the declarations' test from bindings/js/package-lock.json).
test-js: build wasm
	cd $(JS_DIR) && npm ci --no-audit --no-fund
	cd $(JS_DIR) && VARIZAV_NATIVE=$(CURDIR)/$(TOOL) VARIZAV_REQUIRE_NATIVE=1 node --test test/*.test.js

# The page in Debian's Chromium (puppeteer-core from web/package-lock.json).
test-web: build web
	cd web && npm ci --no-audit --no-fund
	cd web && VARIZAV_NATIVE=$(CURDIR)/$(TOOL) VARIZAV_SITE=$(CURDIR)/$(WEB_BUILD)/site node --test test/*.test.js


# The release files in dist/: the extension for Linux and Windows, the
# Windows zip, the Linux tar.gz and the Debian package (CPack, both with the
# Gnumeric plugin), the Google Sheets file and the Excel add-in's zip.
VERSION := $(shell sed -n '/^project/s/.*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
WINDOWS_ZIP = varizav-$(VERSION)-windows-x86_64
dist: windows sheets postgresql
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVARIZAV_WINDOWS_DLL=$(WINDOWS_DLL) \
	  -DVARIZAV_POSTGRESQL_BUILD=$(abspath $(SQL_BUILD))/postgresql
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav varizav_tool varizav_man oxt gnumeric_plugin varizav_sqlite \
	  varizav_python
	rm -rf dist && mkdir -p dist/$(WINDOWS_ZIP)
	cp $(SHEETS_BUILD)/google/varizav.gs dist/varizav-$(VERSION)-google-sheets.gs
	cd $(SHEETS_BUILD) && $(CMAKE) -E tar cf $(CURDIR)/dist/varizav-$(VERSION)-excel-addin.zip --format=zip excel
	cp $(BUILD)/calc-extension/varizav.oxt dist/varizav-$(VERSION).oxt
	cp $(WINDOWS_BUILD)/varizav.dll $(WINDOWS_BUILD)/varizav.exe README.md LICENSE dist/$(WINDOWS_ZIP)/
	cd dist && $(CMAKE) -E tar cf $(WINDOWS_ZIP).zip --format=zip $(WINDOWS_ZIP) && rm -rf $(WINDOWS_ZIP)
	cd $(BUILD) && cpack -B $(CURDIR)/dist/cpack > /dev/null
	mv dist/cpack/varizav_$(VERSION)_amd64.deb dist/cpack/varizav-$(VERSION)-linux-x86_64.tar.gz dist/
	rm -rf dist/cpack
	/usr/bin/python3 bindings/python/build_wheel.py $(BUILD)/bindings/python/varizav $(VERSION) dist
	@ls -l dist

# ---- Python, SQLite and PostgreSQL (columns of calls) ----
# make python      the wheel in dist/ (varizav-VERSION-py3-none-linux_x86_64.whl)
# make sqlite      build-sql/varizav_sqlite.so, for .load ./build-sql/varizav_sqlite
# make postgresql  the extension with PGXS in build-sql/postgresql
# make install-postgresql  installs it into the server pg_config names
SQL_BUILD   ?= build-sql
PG_CONFIG   ?= pg_config
PYTHON_WHEEL_DIR ?= dist
.PHONY: python sqlite postgresql install-postgresql bench-data format format-check

python: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_python
	/usr/bin/python3 bindings/python/build_wheel.py $(BUILD)/bindings/python/varizav $(VERSION) $(PYTHON_WHEEL_DIR)

sqlite: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_sqlite
	@mkdir -p $(SQL_BUILD)
	cp $(BUILD)/sql/varizav_sqlite.so $(SQL_BUILD)/varizav_sqlite.so

postgresql: $(BUILD)/CMakeCache.txt
	@command -v $(PG_CONFIG) >/dev/null && test -f "$$($(PG_CONFIG) --pgxs)" || \
	  { echo "make postgresql needs PGXS: apt-get install postgresql-server-dev-all"; exit 1; }
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav varizav_host varizav_events varizav_calendars \
	  varizav_western varizav_astro varizav_framework varizav_platform
	@mkdir -p $(SQL_BUILD)/postgresql
	@# PGXS does not see the library's archives change: the module is always linked afresh.
	rm -f $(SQL_BUILD)/postgresql/varizav--*.sql $(SQL_BUILD)/postgresql/varizav.so
	cp sql/postgresql/Makefile sql/postgresql/varizav_pg.c $(SQL_BUILD)/postgresql/
	sed 's/@VERSION@/$(VERSION)/' sql/postgresql/varizav.control > $(SQL_BUILD)/postgresql/varizav.control
	/usr/bin/python3 sql/postgresql/generate_sql.py $(LIBRARY) $(SQL_BUILD)/postgresql/varizav--$(VERSION).sql
	$(MAKE) -C $(SQL_BUILD)/postgresql PG_CONFIG=$(PG_CONFIG) VARIZAV_INCLUDE=$(CURDIR)/include \
	  VARIZAV_ARCHIVES=$(abspath $(BUILD))/sql/postgresql_archives.txt

# Columns and engines side by side (bench/RESULTS.md): column calls against
# direct calls, the Python package against the native column call, SQLite and
# PostgreSQL against their own date functions (the extension is installed
# into the server pg_config names, then measured in a throw-away cluster).
bench-data: build sqlite install-postgresql
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_python
	@mkdir -p $(BUILD)/bench-data
	$(CXX) -O2 -std=c++20 -Iinclude bench/columns_bench.cpp -o $(BUILD)/bench-data/columns_bench -ldl
	@echo "== per row: direct call, column call (ns) =="
	@$(BUILD)/bench-data/columns_bench $(LIBRARY) | \
	  awk -F '\t' '{ printf "%-28s %8.1f ns %8.1f ns %6.2fx\n", $$1, $$2, $$3, $$3 / $$2 }'
	@if [ -f $(JS_DIR)/dist/varizav-core.mjs ]; then \
	  echo "== per row: native column call, npm package's callColumns (make wasm first) =="; \
	  $(BUILD)/bench-data/columns_bench $(LIBRARY) > $(BUILD)/bench-data/native.tsv; \
	  node bench/columns_bench.mjs > $(BUILD)/bench-data/wasm.tsv; \
	  paste $(BUILD)/bench-data/native.tsv $(BUILD)/bench-data/wasm.tsv | \
	    awk -F '\t' '{ printf "%-28s %8.1f ns %8.1f ns %6.2fx\n", $$1, $$3, $$5, $$5 / $$3; \
	      if (NF > 5) printf "%-28s %8.1f ns %8.1f ns %6.2fx\n", $$1 " (UTF-8)", $$3, $$6, $$6 / $$3 }'; \
	fi
	@echo "== engines: ours, peer (ms) =="
	@{ /usr/bin/python3 bench/columns_bench.py $(BUILD)/bindings/python $(SQL_BUILD)/varizav_sqlite; \
	  pg_virtualenv sh bench/columns_bench_pg.sh 2>/dev/null | grep '	'; } | \
	  awk -F '\t' '{ printf "%-88s %8.1f %8.1f %6.2fx\n", $$1, $$2, $$3, $$2 / $$3 }'

install-postgresql: postgresql
	$(MAKE) -C $(SQL_BUILD)/postgresql PG_CONFIG=$(PG_CONFIG) VARIZAV_INCLUDE=$(CURDIR)/include \
	  VARIZAV_ARCHIVES=$(abspath $(BUILD))/sql/postgresql_archives.txt install

# varizav.dll (the add-in) and varizav.exe (the host tool) in $(WINDOWS_BUILD)/.
windows: chinese-table $(WINDOWS_BUILD)/CMakeCache.txt
	$(CMAKE) --build $(WINDOWS_BUILD) -j $(JOBS) --target varizav varizav_tool
	cp $(WINDOWS_BUILD)/tools/varizav/varizav.exe $(WINDOWS_BUILD)/tools/varizav/varizav.dll $(WINDOWS_BUILD)/

# The Linux host tool is the reference the Windows one is compared with.
test-windows: windows $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target varizav_tool
	$(CMAKE) --build $(WINDOWS_BUILD) -j $(JOBS)
	@# The first start of Wine sets up its prefix (a minute or two).
	@mkdir -p $(WINDOWS_BUILD)/wineprefix
	WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix WINEDEBUG=-all \
	  $(CTEST) --test-dir $(WINDOWS_BUILD) --output-on-failure
	WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix tests/windows/batch_test.sh $(TOOL) $(CURDIR)/$(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WASM_BUILD) $(WEB_BUILD) $(JS_DIR)/dist \
	  $(WINDOWS_BUILD) dist $(SHEETS_BUILD)

# The C++ sources in the style of .clang-format (Debian's clang-format 14):
# make format rewrites them, make format-check (CI) fails on any difference.
FORMAT_FILES = $(shell find src tools tests -name '*.cpp' -o -name '*.h' | sort)
format:
	clang-format -i $(FORMAT_FILES)

format-check:
	clang-format --dry-run -Werror $(FORMAT_FILES)
