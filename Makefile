# The two commands of the README: `make run` and `make test`. Both install what
# is missing, configure, build and generate the resources first.
BUILD ?= build
ARGS ?=
JOBS ?= $(shell nproc)

.PHONY: setup build run test clean

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/emberwight $(ARGS)

test: build
	@bash scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
