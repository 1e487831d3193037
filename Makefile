# The two commands of the README: `make run` and `make test`. Both install what
# is missing, configure, build and generate the resources first.
BUILD ?= build
ARGS ?=
JOBS ?= $(shell nproc)

.PHONY: setup build run test test-asan bench ab soak gallery windows web dist test-dist test-web clean

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/emberwight $(ARGS)

# One test more than the cores: the e2e scripts spend about a fifth of their
# time waiting on the demo (its start-up, its exit, a key's effect), and a
# further test fills that.
test: build
	@bash scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $$(($(JOBS) + 1))

# Frame-time and GPU pass figures of the camera tour at 1024 x 768.
BENCH_SECONDS ?= 30
bench: build
	@bash scripts/with-display.sh $(BUILD)/emberwight 1024 768 0 --benchmark $(BENCH_SECONDS) \
		--benchmark-csv $(BUILD)/benchmark.csv </dev/null | sed -n '/^Benchmark/,$$p'
	@echo "Per-frame figures: $(BUILD)/benchmark.csv"

# Two builds' frame times, alternated on one display: a revision (A, built in a
# temporary worktree) against this build (B), e.g.
# make ab ARGS='-r HEAD -p 4 --shots' or ARGS='-b "--glow" -p 4' (scripts/ab-bench.sh).
ab: build
	@BUILD=$(BUILD) JOBS=$(JOBS) bash scripts/ab-bench.sh $(ARGS)

# The README's pictures, remade from fixed tour times, and the animated close
# view of the fire (its encoder is installed here only, not for build or test).
gallery: build
	@bash scripts/setup.sh --gallery
	@bash scripts/gallery.sh $(BUILD)/emberwight

# 20,000 frames with every toggle pressed periodically (CI runs it; make test
# runs a short one, each key twice).
SOAK_FRAMES ?= 20000
soak: build
	@bash scripts/with-display.sh bash scripts/soak.sh $(BUILD)/emberwight $(SOAK_FRAMES)

# The unit and gl tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# A test gets a second run only because LeakSanitizer's own thread tracer now and
# then crashes on the GL driver's worker threads at exit on a loaded machine
# ("Tracer caught signal 11"); a real report fails both runs.
ASAN_BUILD ?= build-asan
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEMBERWIGHT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/ubsan.supp:print_stacktrace=1:halt_on_error=1 \
	bash scripts/with-display.sh ctest --test-dir $(ASAN_BUILD) -L 'unit|gl' --output-on-failure -j $(JOBS) \
		--repeat until-pass:2

# emberwight.exe for 64-bit Windows, cross-built with mingw-w64 and linked
# statically; the libraries are cross-built from Debian's sources once per
# machine (cached under ~/.cache/emberwight).
WINDOWS_BUILD ?= build-windows
windows:
	@bash scripts/windows/build.sh $(WINDOWS_BUILD)

# The page for the browser in build-web/ (index.html, the program as
# WebAssembly, its data), compiled with Emscripten; the libraries are
# cross-built from Debian's sources once per machine, the resources come from
# this build's generator.
WEB_BUILD ?= build-web
web: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target resources -j $(JOBS)
	@bash scripts/web/build.sh $(WEB_BUILD)

# dist/emberwight-VERSION-windows-x64.zip, dist/emberwight_VERSION_amd64.deb and
# dist/emberwight-VERSION-web.zip.
dist: build windows web
	@bash scripts/dist.sh $(BUILD) $(WINDOWS_BUILD) $(WEB_BUILD)

# The archive under Wine against the Linux build's pictures, and the package
# unpacked and run from /.
test-dist: dist
	@version=$$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$$/\1/p' $(BUILD)/CPackConfig.cmake) && \
	bash scripts/with-display.sh bash tests/dist/windows.sh dist/emberwight-$$version-windows-x64.zip $(BUILD) && \
	bash tests/dist/deb.sh dist/emberwight_$${version}_amd64.deb $(BUILD)

# The page served on 127.0.0.1 and opened in Debian's Chromium, headless,
# against this build's pictures (tests/web/).
test-web: build web
	@bash tests/web/page.sh $(WEB_BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) dist
