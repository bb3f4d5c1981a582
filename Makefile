# make test: install what is missing, build, run every test.
# make run:  the same set-up, then the program on the bundled demo maps.
# In CI (CI=true) warnings are errors.

PRESET := $(if $(CI),ci,default)

.PHONY: all bootstrap configure build test run clean

all: build

bootstrap:
	@scripts/bootstrap.sh

configure: bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET)

run: build
	@scripts/run-demo.sh

clean:
	rm -rf build
