# The commands a person types. Every target installs what the build needs first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_FUZZ ?= build-fuzz
BUILD_PACKAGE ?= build-package
PREFIX     ?= /usr/local
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

# Debian packages the build, the tests and the tools need.
PACKAGES := g++ cmake ninja-build pkg-config libpcre2-dev qt6-base-dev libgtest-dev libgmock-dev \
            libbenchmark-dev clang libclang-rt-14-dev xvfb xauth imagemagick time \
            help2man librsvg2-bin desktop-file-utils appstream bash-completion \
            poppler-utils
# What make package needs besides: the package tools and the judge of the package.
PACKAGE_TOOLS := dpkg-dev lintian

.PHONY: all deps deps-package install-packages build run test test-asan test-tsan bench fuzz dictionary \
        install uninstall package format clean

all: build

# Installs only the packages that are missing; apt-get update runs only when something is.
deps:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES)"

deps-package: deps
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGE_TOOLS)"

install-packages:
	@missing=""; for p in $(WANTED); do \
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

# The console's parallel blocks under ThreadSanitizer (clang): any data race fails the run.
BUILD_TSAN ?= build-tsan
test-tsan: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_TSAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
	cmake --build $(BUILD_TSAN) --target cli_tests -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1 ./$(BUILD_TSAN)/tests/cli/cli_tests --gtest_filter='Streaming*'

bench: deps
	cmake -S . -B $(BUILD_BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Runs every fuzz target for FUZZ_SECONDS seconds, one after the other, from its seed corpus in
# fuzz/corpus; what a run learns stays in $(BUILD_FUZZ)/corpus, crash inputs in $(BUILD_FUZZ).
# A target that finds something does not stop the others: the findings are listed at the end and
# make fuzz fails if there are any.
FUZZERS := fuzz_template fuzz_pipeline fuzz_dictionary fuzz_console fuzz_styles
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLEXIPULSE_FUZZ=ON
	cmake --build $(BUILD_FUZZ) --target $(FUZZERS) -j $(JOBS)
	@failed=""; for f in $(FUZZERS); do \
	  echo "== $$f for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(BUILD_FUZZ)/corpus/$$f && \
	  ./$(BUILD_FUZZ)/fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(BUILD_FUZZ)/$$f- $(BUILD_FUZZ)/corpus/$$f fuzz/corpus/$$f || failed="$$failed $$f"; \
	done; \
	if [ -n "$$failed" ]; then \
	  echo "Fuzz findings in:$$failed"; ls -1 $(BUILD_FUZZ)/*-crash-* $(BUILD_FUZZ)/*-leak-* \
	    $(BUILD_FUZZ)/*-timeout-* $(BUILD_FUZZ)/*-oom-* 2>/dev/null; exit 1; \
	fi; echo "No fuzz findings in: $(FUZZERS)"

# Rebuilds data/DICT.txt and its report from the CMU source, installed from the lock file.
DICT_SOURCE := tools/node_modules/cmu-pronouncing-dictionary/index.js
dictionary: deps $(BUILD)/build.ninja
	cd tools && npm ci --no-audit --no-fund
	cmake --build $(BUILD) --target lexipulse-dictgen lexipulse-dictcheck -j $(JOBS)
	./$(BUILD)/tools/lexipulse-dictgen $(DICT_SOURCE) data/DICT.txt data/dictgen-report.txt \
	  data/STRESSLEVELS.txt data/britfone/britfone.main.3.0.1.csv tools/british-handcheck.tsv \
	  data/BRITISH.txt data/british-report.txt
	./$(BUILD)/tools/lexipulse-dictcheck $(DICT_SOURCE) data/DICT.txt data/dictgen-report.txt \
	  tests/tools/HandMarked.tsv tests/tools/HandMarkedNuclei.tsv
	cmake --build $(BUILD) --target lexipulse-hetgen -j $(JOBS)
	./$(BUILD)/tools/lexipulse-hetgen $(DICT_SOURCE) tools/Heteronyms.tsv data/HETERONYMS.txt \
	  data/heteronyms-report.txt

# Installs the programs, menu entry, icons, metainfo, man pages, completion and documentation
# under PREFIX (DESTDIR is honoured). Every file installed, with DESTDIR in front, is added to
# $(INSTALLED), which make uninstall reads; CMake's own install_manifest.txt leaves DESTDIR out
# and is rewritten by any later install.
INSTALLED ?= $(BUILD)/installed-files.txt
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	@{ cat $(INSTALLED) 2>/dev/null; sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt; echo; } | \
	  grep -v '^$$' | sort -u > $(INSTALLED).new && mv $(INSTALLED).new $(INSTALLED)
	@echo "Installed under $(DESTDIR)$(PREFIX); make uninstall removes it again."

# Removes exactly the files make install wrote, then the folder only Lexipulse uses.
uninstall:
	@test -s $(INSTALLED) || { echo "Nothing installed from $(BUILD)."; exit 1; }
	@while IFS= read -r f; do \
	  if [ -e "$$f" ] || [ -L "$$f" ]; then rm -f -- "$$f" && echo "Removed $$f"; fi; \
	done < $(INSTALLED)
	@grep '/doc/lexipulse/' $(INSTALLED) | xargs -r -d '\n' dirname | sort -u | \
	  while IFS= read -r d; do [ ! -d "$$d" ] || rmdir --ignore-fail-on-non-empty -- "$$d"; done
	@rm -f $(INSTALLED)

# A Debian package (.deb) of a Release build with Debian's hardening flags, checked by lintian.
package: deps-package
	DEB_BUILD_MAINT_OPTIONS=hardening=+all; export DEB_BUILD_MAINT_OPTIONS; \
	CFLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(BUILD_PACKAGE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=None
	SOURCE_DATE_EPOCH=$$(dpkg-parsechangelog -l dist/changelog -STimestamp) \
	  cmake --build $(BUILD_PACKAGE) --target lexipulse lexipulse-cli lexipulse_dist -j $(JOBS)
	cd $(BUILD_PACKAGE) && cpack -G DEB
	lintian --display-info --fail-on error,warning $(BUILD_PACKAGE)/lexipulse_*.deb
	@ls $(BUILD_PACKAGE)/lexipulse_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_TSAN) $(BUILD_BENCH) $(BUILD_PACKAGE)
