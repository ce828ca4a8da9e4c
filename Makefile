# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test test-sanitize build deps clean fuzz package

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

test: deps
	@cmake -S . -B $(BUILD)-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIGA_WERROR=ON >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@bash scripts/test.sh $(BUILD)-test

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer (.ci/run).
test-sanitize: deps
	@cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIGA_WERROR=ON -DVIGA_SANITIZE=ON \
		-DVIGA_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		bash scripts/test.sh $(BUILD)-asan

clean:
	rm -rf $(BUILD) $(BUILD)-test $(BUILD)-asan build-fuzz
