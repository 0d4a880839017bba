# The commands a person types. Every target installs what the build needs first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

# Debian packages the build, the tests and the tools need.
PACKAGES := g++ cmake ninja-build libpcre2-dev qt6-base-dev libgtest-dev libgmock-dev \
            libbenchmark-dev clang libclang-rt-14-dev xvfb xauth imagemagick time

.PHONY: all deps build run test test-asan bench fuzz dictionary format clean

all: build

# Installs only the packages that are missing; apt-get update runs only when something is.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): printing the console result for the sample instead."; \
	  ./$(BUILD)/cli/lexipulse-cli --sample; \
	else \
	  ./$(BUILD)/app/lexipulse; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLEXIPULSE_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Runs each fuzz target for FUZZ_SECONDS seconds, one after the other, from its seed corpus in
# fuzz/corpus; what a run learns stays in $(BUILD_FUZZ)/corpus, crash inputs in $(BUILD_FUZZ).
FUZZERS := fuzz_template fuzz_pipeline fuzz_dictionary fuzz_console
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLEXIPULSE_FUZZ=ON
	cmake --build $(BUILD_FUZZ) --target $(FUZZERS) -j $(JOBS)
	@for f in $(FUZZERS); do \
	  echo "== $$f for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(BUILD_FUZZ)/corpus/$$f && \
	  ./$(BUILD_FUZZ)/fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(BUILD_FUZZ)/$$f- $(BUILD_FUZZ)/corpus/$$f fuzz/corpus/$$f || exit 1; \
	done

# Rebuilds data/DICT.txt and its report from the CMU source, installed from the lock file.
DICT_SOURCE := tools/node_modules/cmu-pronouncing-dictionary/index.js
dictionary: deps $(BUILD)/build.ninja
	cd tools && npm ci --no-audit --no-fund
	cmake --build $(BUILD) --target lexipulse-dictgen lexipulse-dictcheck -j $(JOBS)
	./$(BUILD)/tools/lexipulse-dictgen $(DICT_SOURCE) data/DICT.txt data/dictgen-report.txt
	./$(BUILD)/tools/lexipulse-dictcheck $(DICT_SOURCE) data/DICT.txt data/dictgen-report.txt \
	  tests/tools/HandMarked.tsv

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH)
