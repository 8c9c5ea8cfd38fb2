# The two everyday commands; everything else lives in CMakePresets.json.
PRESET ?= release
BUILD := build/$(PRESET)

.PHONY: run test build bench fuzz lint memcheck clean

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

# Every fuzz target for FUZZ_SECONDS each, new inputs kept under build/fuzz/corpus
# so the seed corpus in fuzz/corpus stays as committed.
FUZZ_SECONDS ?= 15
fuzz:
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

clean:
	@rm -rf build
