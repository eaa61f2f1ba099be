# make run   - install what is missing, build, and start the program on its shipped data
# make test  - install what is missing, build, and run every test
# make sanitize-test - the whole suite again in a separate AddressSanitizer/UBSan build, leaks included
# make package - the Debian package build/cinnabarquillpad_VERSION_ARCH.deb (CPack)
# make library - the full library (every poem, ci and qu of the poetry package) as build/bin/dat/db3.dat
# make fuzz    - the libFuzzer targets (clang, build-fuzz), each run for FUZZ_SECONDS (default 60)
# make fuzz-merge    - minimise tests/fuzz/corpus with what the runs found
# make fuzz-coverage - line coverage the kept corpora reach
# make mutate FILES="a.cpp b.cpp" [SAMPLE=N SEED=S] [MUTATE_ARGS=...] - mutation run over those files

BUILD      ?= build
SAN_BUILD  ?= build-san
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja

.PHONY: all deps configure build run test sanitize-test package package-test library fuzz fuzz-merge fuzz-coverage mutate clean

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

# intercept_tls_get_addr=0: the sanitizer runtime of Debian 12 misreads the dynamic TLS of
# libraries loaded late (a range such as 0xa24-0x800001b26) and its leak tracer crashes on
# it; without the interception that TLS is not scanned, which can only add reports.
sanitize-test: deps
	cmake -S . -B $(SAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCQ_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 \
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

# One target after another, each in one process: FUZZ_SECONDS=600 make fuzz for a longer run,
# FUZZ_TARGETS="gbk profile" for some of them.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz.sh run $(FUZZ_TARGETS)

fuzz-merge: deps
	JOBS=$(JOBS) scripts/fuzz.sh merge $(FUZZ_TARGETS)

fuzz-coverage: deps
	JOBS=$(JOBS) scripts/fuzz.sh coverage $(FUZZ_TARGETS)

# Mutants are built in build-mutate/, a private copy of the tree with a quick build of its own.
mutate:
	@test -n "$(FILES)" || { echo 'name the files: make mutate FILES="platform/IntText.cpp ..."'; exit 2; }
	python3 tools/mutate/mutate.py --jobs $(JOBS) $(if $(SAMPLE),--sample $(SAMPLE) --seed $(or $(SEED),1)) \
	  $(MUTATE_ARGS) $(FILES)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-fuzz build-mutate
