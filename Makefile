# One-command set-up on a fresh Debian 12 machine: `make run` or `make test`.
SHELL := /bin/bash
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# The sanitizer build of the whole test suite (gcc) and the libFuzzer build (clang).
ASAN_BUILD ?= $(BUILD)-asan
FUZZ_BUILD ?= $(BUILD)-fuzz
# Seconds each fuzz target runs in `make test`; `make fuzz FUZZ_TIME=600` for longer runs.
FUZZ_TIME ?= 20
FUZZERS := document_reader csv_tokenizer settings cp932_codec item_text recovery_record text_matcher \
  hierarchical_text markdown opml indented_text plain_text cherrytree treeline format_recognizer
SANITIZE := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined

APT_PACKAGES := cmake ninja-build g++ pkg-config clang-format \
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-ipafont-gothic fonts-ipafont-mincho \
  xvfb xauth xdotool x11-apps x11-utils imagemagick openbox \
  clang libclang-rt-14-dev \
  dpkg-dev file desktop-file-utils appstream shared-mime-info \
  libmd4c-dev libmd4c-html0-dev libpugixml-dev cmark poppler-utils
# A real input method for the real-window suite, and Qt's Wayland platform with the
# weston compositor for its Wayland part, installed without what their packages merely
# recommend (desktop sound, Qt 5, GTK 4); and the accessibility bus with its Python
# client, which read the program as a screen reader does.
APT_PACKAGES_BARE := fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-daemon dbus-bin qt6-wayland weston \
  at-spi2-core python3-pyatspi
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Where `make install` puts the program (bin/, share/).
PREFIX ?= /usr/local

.PHONY: deps configure build run test test-plain test-asan e2e install deb fuzz-build fuzz bench clean format-check

# Every source file as .clang-format lays it out.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

deps:
	@missing=""; bare=""; for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	for p in $(APT_PACKAGES_BARE); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || bare="$$bare $$p"; \
	done; \
	if [ -n "$$missing$$bare" ]; then \
	  echo "Installing:$$missing$$bare"; \
	  $(SUDO) apt-get update -qq; \
	fi; \
	if [ -n "$$missing" ]; then \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi; \
	if [ -n "$$bare" ]; then \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$bare; \
	fi

# Extra CMake settings of the plain build; CI adds -DHEDGEROW_WERROR=ON.
CMAKE_FLAGS ?=

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display. Start the editor in a virtual X server with:"; \
	  echo "  xvfb-run -s '-screen 0 1280x1024x24' $(BUILD)/hedgerow"; \
	  exit 1; \
	fi
	$(BUILD)/hedgerow

# The whole suite, then the same suite under AddressSanitizer and UndefinedBehavior-
# Sanitizer, then a short run of every fuzz target. The real-window suite is `make e2e`.
test: test-plain test-asan fuzz

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300 -LE x11

test-asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 -g1 $(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900 -LE x11

# The real program under Xvfb (with and without openbox), driven with xdotool, and as a
# native Wayland client of a headless weston.
# Screenshots of failures: $(BUILD)/e2e-artifacts/.
e2e: build
	cd $(BUILD) && ctest --output-on-failure --timeout 900 -L x11

# The program, its skin, help page, desktop entry, icons, document type and AppStream
# metadata below PREFIX (through sudo when you are not root).
install: build
	@mkdir -p "$(PREFIX)" 2>/dev/null || true
	@if [ -w "$(PREFIX)" ]; then cmake --install $(BUILD) --prefix "$(PREFIX)"; \
	else $(SUDO) cmake --install $(BUILD) --prefix "$(PREFIX)"; fi

# A Debian package of the same files under /usr: $(BUILD)/hedgerow_<version>_<arch>.deb,
# installed with `sudo apt install ./$(BUILD)/hedgerow_….deb`.
deb: build
	cd $(BUILD) && cpack -G DEB

fuzz-build: deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEDGEROW_FUZZ=ON -DHEDGEROW_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

# Every fuzz target for FUZZ_TIME seconds from the seeds in fuzz/corpus/<target>/; new
# inputs go to $(FUZZ_BUILD)/corpus/<target>/, crashes to $(FUZZ_BUILD)/artifacts/.
fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@set -e; for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f; \
	  echo "fuzz_$$f: $(FUZZ_TIME) s"; \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 $(FUZZ_BUILD)/fuzz/fuzz_$$f \
	    -max_total_time=$(FUZZ_TIME) -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$f- \
	    $(FUZZ_BUILD)/corpus/$$f fuzz/corpus/$$f 2>&1 | tail -n 12; \
	  test $${PIPESTATUS[0]} -eq 0; \
	done

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DHEDGEROW_BENCH=ON -DHEDGEROW_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	$(BUILD)-bench/bench/hedgerow_bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(ASAN_BUILD) $(FUZZ_BUILD)
