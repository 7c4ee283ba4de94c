# Thin wrapper: every target runs scripts/setup first (install missing
# packages, configure, build with -j2), then does its one job.
BUILD ?= build
export BUILD_DIR := $(CURDIR)/$(BUILD)
# The sanitizer and fuzzing trees; their settings are the presets in CMakePresets.json.
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
WERROR := $(if $(CI),ON,OFF)
# How long `make fuzz` runs each target, in seconds.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS := image_load script_parse morph_kernels vips_load video_load geometry_parse

.PHONY: all setup demo test test-asan fuzz soak soak-desktop bench clean

all: setup

setup:
	@scripts/setup

demo: setup
	@scripts/demo

# The whole suite twice: as built, then under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer, where any report fails its test.
test: setup
	@cd $(BUILD) && ctest -j2 --output-on-failure
	@$(MAKE) --no-print-directory test-asan

test-asan:
	@cmake --preset asan -DTWEENKIT_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# Runs each libFuzzer target for FUZZ_SECONDS on a working corpus that starts from the
# committed seeds; findings land in $(FUZZ_BUILD)/artifacts.
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz --target $(addprefix fuzz_,$(FUZZ_TARGETS)) fuzz_make_media_seeds
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@$(FUZZ_BUILD)/bin/fuzz_make_media_seeds $(FUZZ_BUILD)/corpus
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  if [ -d fuzz/corpus/$$t ]; then cp -n fuzz/corpus/$$t/* $(FUZZ_BUILD)/corpus/$$t/; fi; \
	  OMP_NUM_THREADS=1 $(FUZZ_BUILD)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=30 \
	    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	    $(FUZZ_BUILD)/corpus/$$t || exit 1; \
	done

# A million random editor events with the invariants checked after each; reports the rate.
soak: setup
	@TWEENKIT_SOAK_EVENTS=1000000 $(BUILD)/bin/editor_tests --gtest_filter='EditorSoak.*'

# Ten thousand seeded random real-input events on a private X server under openbox;
# prints the rate, and the seed with any mismatch (TWEENKIT_DESKTOP_SOAK_SEED replays it).
DESKTOP_SOAK_EVENTS ?= 10000
soak-desktop: setup
	@TWEENKIT_DESKTOP_SOAK_EVENTS=$(DESKTOP_SOAK_EVENTS) $(BUILD)/bin/desktop_tests --gtest_filter='*DesktopSoak*'

bench: setup
	@for b in $(BUILD)/bin/*_bench; do echo "== $$(basename $$b)"; $$b || exit 1; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
