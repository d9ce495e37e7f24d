# Entry points for people: `make run` and `make test` work on a fresh Debian machine.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
FILE ?=

.PHONY: deps configure build run test test-asan package clean

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

# The Debian package of the build, in $(BUILD_DIR): tamsel_<version>_<arch>.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

test-asan:
	$(MAKE) test PRESET=asan

clean:
	rm -rf build
