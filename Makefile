# make run   installs what is missing, builds and starts the program
# make test  the same set-up, then every test (also under ASan/UBSan, optimised by clang
#            and in the Debian package build, and the fuzzers)
SHELL := /bin/bash
JOBS ?= 2
FUZZ_SECONDS ?= 20

.PHONY: all deps build test test-dev test-asan test-clang fuzz release run bench screenshot package test-package clean format

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

test: test-dev test-asan test-clang fuzz test-package

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# clang++ at -O3 with Debian's hardening flags: warnings are errors here too.
test-clang: deps
	cmake --preset clang >/dev/null
	cmake --build --preset clang -j $(JOBS)
	ctest --preset clang -j $(JOBS)

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

package: deps
	scripts/build-deb $(JOBS)

test-package: package
	scripts/test-package build/deb

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

run: release
	build/release/src/velmor-color-picker

bench: release
	scripts/run-benchmarks build/release

screenshot: release
	scripts/screenshot build/release/src/velmor-color-picker docs/main-window.png
	scripts/screenshot build/release/src/velmor-color-picker --guide docs/guide

clean:
	rm -rf build

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
