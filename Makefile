# The two everyday commands; everything else lives in CMakePresets.json.
SHELL := /bin/bash
PRESET ?= release
BUILD := build/$(PRESET)

.PHONY: run test build bench bench-floor fuzz clean package accuracy

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
	@$(call quiet_build,hygrian)
	@$(BUILD)/hygrian

test: build
	@ctest --preset $(PRESET)

# Build output goes to standard error so that `make run` leaves the program's
# own bytes alone on standard output.
build:
	@cmake --preset $(PRESET) >&2
	@cmake --build --preset $(PRESET) >&2

# The Debian package of everything installed, in $(BUILD).
package: build
	@cmake --build --preset $(PRESET) --target package >&2
	@ls $(BUILD)/hygrian_*.deb

# The README's table of saturation pressures against reference values.
accuracy:
	@$(call quiet_build,hygrian_accuracy)
	@$(BUILD)/docs/hygrian_accuracy

bench:
	@cmake --preset bench >&2
	@cmake --build --preset bench >&2
	@build/bench/bench/hygrian_bench

# The dialogue against static C floors: instruction counts and CPU-time ratios.
bench-floor:
	@bench/floor.sh

fuzz:
	@cmake --preset fuzz >&2
	@cmake --build --preset fuzz >&2
	@mkdir -p build/fuzz/corpus
	@build/fuzz/fuzz/fuzz_reader -max_total_time=30 -timeout=5 build/fuzz/corpus fuzz/corpus/reader
	@mkdir -p build/fuzz/corpus-table
	@build/fuzz/fuzz/fuzz_table -max_total_time=30 -timeout=5 build/fuzz/corpus-table fuzz/corpus/table

clean:
	@rm -rf build

# The picture in README: the default chart with three points joined by a process.
.PHONY: chart-demo
chart-demo: build
	@$(BUILD)/chart/hygrian-chart --process docs/chart-points.csv | rsvg-convert -o docs/chart.png
