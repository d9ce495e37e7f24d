# Entry points for people: `make run` and `make test` work on a fresh Debian machine.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
FILE ?=

.PHONY: deps configure build run test test-asan clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run: build
	@if [ -x $(BUILD_DIR)/src/ui/tamsel ]; then \
	  $(BUILD_DIR)/src/ui/tamsel $(FILE); \
	else \
	  $(BUILD_DIR)/src/cli/tamsel-cli --help; \
	fi

test: build
	ctest --preset $(PRESET)

test-asan:
	$(MAKE) test PRESET=asan

clean:
	rm -rf build
