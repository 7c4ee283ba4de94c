# Thin wrapper: every target runs scripts/setup first (install missing
# packages, configure, build with -j2), then does its one job.
BUILD ?= build
export BUILD_DIR := $(CURDIR)/$(BUILD)

.PHONY: all setup demo test bench clean

all: setup

setup:
	@scripts/setup

demo: setup
	@scripts/demo

test: setup
	@cd $(BUILD) && ctest -j2 --output-on-failure

bench: setup
	@for b in $(BUILD)/bin/*_bench; do echo "== $$(basename $$b)"; $$b || exit 1; done

clean:
	rm -rf $(BUILD)
