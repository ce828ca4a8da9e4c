# The two commands of the README.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build deps clean fuzz

deps:
	@bash scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: deps
	@cmake -S . -B $(BUILD)-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIGA_WERROR=ON >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@bash scripts/test.sh $(BUILD)-test

clean:
	rm -rf $(BUILD) $(BUILD)-test build-fuzz
