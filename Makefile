# The two everyday commands; everything else lives in CMakePresets.json.
SHELL := /bin/bash
PRESET ?= release
BUILD = build/$(PRESET)

.PHONY: run test build bench bench-python bench-floor fuzz lint memcheck clean package accuracy \
	fresh-check web npm bench-js

# Each target first installs what it needs and is missing; see the script for the
# groups. NEEDS names them for `build` and the targets built on it.
DEPENDENCIES := tools/install-dependencies
NEEDS = test $(PRESET)

# Bash warns on standard error at start-up when LC_ALL names a locale the machine
# lacks. The recipes' shells run without it; the calculator gets it back as given.
ifneq ($(origin LC_ALL),undefined)
CALLER_LC_ALL := $(LC_ALL)
unexport LC_ALL
AS_CALLED := env LC_ALL='$(subst ','\'',$(CALLER_LC_ALL))'
endif

# Builds target $(1) of $(BUILD) quietly. Configuring a new tree, or the first sign
# of real work (anything but ninja's check of the source globs), puts one short
# line on standard error; the build's own output is shown only when it fails.
define quiet_build
set -o pipefail; log=$$(mktemp); noted=0; \
note="hygrian: building $(1) in $(BUILD) ..."; \
{ [ -f $(BUILD)/build.ninja ] || \
  { noted=1; echo "$$note" >&2; cmake --preset $(PRESET) >$$log 2>&1; }; } && \
cmake --build --preset $(PRESET) --target $(1) 2>&1 | \
  awk -v logfile="$$log" -v note="$$note" -v noted=$$noted \
    '{ print >> logfile } \
     !noted && !/Re-checking globbed directories|no work to do/ { \
       print note > "/dev/stderr"; fflush("/dev/stderr"); noted = 1 }' || \
  { cat $$log >&2; rm -f $$log; exit 1; }; \
rm -f $$log
endef

# Nothing reaches the terminal in front of the program's banner when the build is
# up to date.
run:
	@$(DEPENDENCIES) run $(PRESET)
	@$(call quiet_build,hygrian)
	@$(AS_CALLED) $(BUILD)/hygrian

# With the web level's tools installed the browser page and the npm package are
# built too, for their tests; without them those tests are reported as skipped.
test: build
	@if command -v emcc >/dev/null; then \
	  [ -f build/web/build.ninja ] || cmake --preset web >/dev/null; \
	  ! command -v chromedriver >/dev/null || cmake --build --preset web >&2; \
	  ! command -v npm >/dev/null || cmake --build --preset npm >&2; fi
	@ctest --preset $(PRESET)

# Build output goes to standard error so that `make run` leaves the program's
# own bytes alone on standard output.
build:
	@$(DEPENDENCIES) $(NEEDS)
	@cmake --preset $(PRESET) >&2
	@cmake --build --preset $(PRESET) >&2

# The Debian package of everything installed, in $(BUILD).
package: NEEDS = package
package: build
	@rm -f $(BUILD)/*.deb
	@cmake --build --preset $(PRESET) --target package >&2
	@ls $(BUILD)/*.deb
# That is one package per install component (hygrian, libhygrian1, libhygrian-dev,
# python3-hygrian), from the package preset's tree: its prefix /usr puts the
# libraries in the multiarch directory.
package: PRESET = package

# The README's table of saturation pressures against reference values.
accuracy:
	@$(DEPENDENCIES) run $(PRESET)
	@$(call quiet_build,hygrian_accuracy)
	@$(BUILD)/docs/hygrian_accuracy
	@echo
	@$(BUILD)/docs/hygrian_accuracy --models

bench:
	@$(DEPENDENCIES) bench
	@cmake --preset bench >&2
	@cmake --build --preset bench >&2
	@build/bench/bench/hygrian_bench

# The Python ufuncs against the library's own loop and against plain NumPy.
bench-python:
	@$(DEPENDENCIES) bench test
	@cmake --preset bench >&2
	@cmake --build --preset bench >&2
	@/usr/bin/python3 bench/python/ufunc_bench.py build/bench

# The npm package in node against the library's native array path and against
# the peer JavaScript library (fetched from the npm registry for this alone).
bench-js: npm
	@$(DEPENDENCIES) bench
	@cmake --preset bench >&2
	@cmake --build --preset bench --target hygrian_js_reference >&2
	@node bench/js/states_bench.mjs build

# The dialogue against static C floors: instruction counts and CPU-time ratios.
bench-floor:
	@$(DEPENDENCIES) memcheck
	@bench/floor.sh

# Every fuzz target for FUZZ_SECONDS each, new inputs kept under build/fuzz/corpus
# so the seed corpus in fuzz/corpus stays as committed.
FUZZ_SECONDS ?= 15
fuzz:
	@$(DEPENDENCIES) fuzz
	@cmake --preset fuzz >&2
	@cmake --build --preset fuzz >&2
	@set -e; for target in build/fuzz/fuzz/fuzz_*; do \
	  [ -f "$$target" ] && [ -x "$$target" ] || continue; \
	  name=$${target##*/fuzz_}; \
	  mkdir -p build/fuzz/corpus/$$name; \
	  echo "== fuzz $$name, $(FUZZ_SECONDS) s" >&2; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -timeout=5 -print_final_stats=1 \
	    build/fuzz/corpus/$$name fuzz/corpus/$$name; \
	done

# clang-tidy and cppcheck over every source the build knows; any finding fails.
lint:
	@$(DEPENDENCIES) test bench lint
	@.ci/lint

# The end-to-end tests with the program under valgrind (a dynamically linked
# build of the same code); any memory error or leak fails the run. Valgrind's own
# messages go to build/memcheck/valgrind, so the programs' stderr stays exact.
VALGRIND_LOGS := $(CURDIR)/build/memcheck/valgrind
memcheck:
	@$(DEPENDENCIES) test memcheck
	@cmake --preset memcheck >&2
	@cmake --build --preset memcheck >&2
	@rm -rf $(VALGRIND_LOGS) && mkdir -p $(VALGRIND_LOGS)
	@ls build/memcheck/tests/*_e2e_test | HYGRIAN_E2E_WRAPPER="valgrind --quiet \
	  --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
	  --error-exitcode=99 --log-file=$(VALGRIND_LOGS)/%p.log" \
	  xargs -P 2 -I{} sh -c '{} --gtest_brief=1 >{}.memcheck.log 2>&1 || { cat {}.memcheck.log; exit 1; }'
	@! grep -l '^==[0-9]*==' $(VALGRIND_LOGS)/* >&2 || { \
	  cat $$(grep -l '^==[0-9]*==' $(VALGRIND_LOGS)/*) >&2; exit 1; }
	@echo "memcheck: $$(ls $(VALGRIND_LOGS) | wc -l) runs under valgrind, no errors or leaks"

clean:
	@rm -rf build

# The browser page, build/web/hygrian.html: the library and the chart compiled to
# WebAssembly with emscripten, one file with its script (docs/web.md).
web:
	@$(DEPENDENCIES) web
	@cmake --preset web >&2
	@cmake --build --preset web >&2
	@echo build/web/hygrian.html

# The npm package, build/npm/hygrian-VERSION.tgz: the library and the chart in
# WebAssembly for JavaScript and TypeScript, from the web preset's tree
# (docs/javascript.md).
npm:
	@$(DEPENDENCIES) web
	@cmake --preset web >&2
	@cmake --build --preset npm >&2
	@mkdir -p build/npm && rm -f build/npm/hygrian-*.tgz
	@cp "$$(ls -t build/web/npm/hygrian-*.tgz | head -1)" build/npm/
	@ls build/npm/hygrian-*.tgz

# The two commands on a minimal Debian 12 root in a chroot, from a clone of this
# repository's last commit (as root): FRESH=run for the make run half alone.
FRESH ?= test
fresh-check:
	@$(DEPENDENCIES) fresh
	@tests/fresh_machine.sh $(FRESH)

# The pictures in README: the default chart with three points joined by a
# process, a chart zoomed on winter air, its humidity-ratio axis fitted, comfort
# zones with the protractor, and a year of one-minute logger readings.
.PHONY: chart-demo
chart-demo: build
	@$(BUILD)/chart/hygrian-chart --process docs/chart-points.csv | rsvg-convert -o docs/chart.png
	@$(BUILD)/chart/hygrian-chart --dry-bulb=-20:25 --process docs/chart-winter.csv | \
	  rsvg-convert -o docs/chart-zoomed.png
	@$(BUILD)/chart/hygrian-chart --zones docs/chart-zones.csv --protractor \
	  --dry-bulb=10:35 --humidity-ratio=20 | rsvg-convert -o docs/chart-zones.png
	@awk -f docs/logger_year.awk | $(BUILD)/chart/hygrian-chart --dry-bulb=10:35 \
	  --humidity-ratio=20 | rsvg-convert -o docs/chart-logger.png
	@$(BUILD)/chart/hygrian-chart --processes docs/chart-processes.csv --dry-bulb=-10:40 \
	  --humidity-ratio=20 < /dev/null | rsvg-convert -o docs/chart-processes.png
	@SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct) $(BUILD)/chart/hygrian-chart \
	  --processes docs/chart-report.csv --table --page a4 --title "AHU-1 summer design" \
	  --project "Clinic wing" --dpi 96 -o docs/chart-report.png < /dev/null
	@SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct) $(BUILD)/chart/hygrian-chart --units ip \
	  --altitude 5000 --processes docs/chart-report-ip.csv --table --page letter \
	  --title "AHU-1 summer design" --project "Clinic wing" --dpi 96 \
	  -o docs/chart-report-ip.png < /dev/null
	@$(BUILD)/chart/hygrian-chart --diagram mollier --processes docs/chart-report.csv --comfort \
	  --protractor --dpi 96 -o docs/chart-mollier.png < /dev/null
