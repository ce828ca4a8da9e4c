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

test: deps
	@cmake -S . -B $(BUILD)-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIGA_WERROR=ON >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@bash scripts/test.sh $(BUILD)-test

clean:
	rm -rf $(BUILD) $(BUILD)-test build-fuzz
