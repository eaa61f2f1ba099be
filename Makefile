# make run   - install what is missing, build, and start the program on its shipped data
# make test  - install what is missing, build, and run every test
# make sanitize-test - the whole suite again in a separate AddressSanitizer/UBSan build, leaks included
# make package - the Debian package build/cinnabarquillpad_VERSION_ARCH.deb (CPack)
# make library - the full library (every poem, ci and qu of the poetry package) as build/bin/dat/db3.dat

BUILD      ?= build
SAN_BUILD  ?= build-san
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja

.PHONY: all deps configure build run test sanitize-test package package-test library clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/bin

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize-test: deps
	cmake -S . -B $(SAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCQ_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

# The package holds the databases in $(BUILD)/bin/dat: the shipped selection, or the full
# library after `make library`.
package: build
	cd $(BUILD) && cpack -G DEB

# As root: installs the package with apt-get, checks it as two readers, removes it again.
package-test: package
	tests/install/package-test.sh $(BUILD)

library: build
	@scripts/build-library.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
