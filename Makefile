# The two everyday commands; everything else lives in CMakePresets.json.
PRESET ?= release
BUILD := build/$(PRESET)

.PHONY: run test build bench bench-floor fuzz clean

run: build
	@$(BUILD)/hygrian

test: build
	@ctest --preset $(PRESET)

# Build output goes to standard error so that `make run` leaves the program's
# own bytes alone on standard output.
build:
	@cmake --preset $(PRESET) >&2
	@cmake --build --preset $(PRESET) >&2

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
