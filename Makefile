# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build deps clean fuzz package

deps:
	@bash scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# viga_<version>_<arch>.deb in $(BUILD)/ (README: Installing on a gatehouse computer)
package: build
	@cmake --build $(BUILD) --target package

run: build
	@bash scripts/run.sh $(BUILD)

# The test tree, built once with warnings as errors, AddressSanitizer and
# UndefinedBehaviorSanitizer; every test (and the fuzz corpora replay) runs there.
test: deps
	@cmake -S . -B $(BUILD)-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIGA_WERROR=ON -DVIGA_SANITIZE=ON \
		-DVIGA_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		bash scripts/test.sh $(BUILD)-test

clean:
	rm -rf $(BUILD) $(BUILD)-test build-fuzz
