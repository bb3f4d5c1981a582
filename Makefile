# make test: install what is missing, build, run every test.
#            The tests run twice: in the normal build, then in build-asan under
#            AddressSanitizer and UndefinedBehaviorSanitizer (make test-asan alone);
#            then every fuzz target runs 5 s from its seeds (make test-fuzz alone).
# make run:  the same set-up, then the program on the bundled demo maps.
# make fuzz: the libFuzzer targets, FUZZ_SECONDS (default 60) each.
# make bench: the benchmarks (never part of make test); see scripts/bench.sh.
# make deb:  the Debian package build/tessarine_<version>_<arch>.deb, checked by lintian.
# In CI (CI=true) warnings are errors.

PRESET := $(if $(CI),ci,default)
ASAN_PRESET := $(if $(CI),asan-ci,asan)

.PHONY: all bootstrap configure build test test-asan test-fuzz fuzz bench run deb clean

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-fuzz

test-asan: bootstrap
	@cmake --preset $(ASAN_PRESET) >/dev/null
	@cmake --build --preset $(ASAN_PRESET)
	@ctest --preset $(ASAN_PRESET)

test-fuzz: bootstrap
	@scripts/fuzz.sh --quick

fuzz: bootstrap
	@scripts/fuzz.sh

bench: build
	@scripts/bench.sh

run: build
	@scripts/run-demo.sh

deb: build
	@cd build && cpack -G DEB
	@lintian --fail-on error "$$(ls -t build/tessarine_*.deb | head -n 1)"

clean:
	rm -rf build build-asan build-fuzz
