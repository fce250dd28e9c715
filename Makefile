# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a newcomer needs: `make run` and `make test`; `make check`
# is what CI runs (.ci/run, in stages).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local
FUZZ_SECONDS ?= 60
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# WERROR=ON fails every build on a compiler warning (`make check` and CI turn
# it on; WERROR=OFF turns it off). Unset, a build folder keeps what it has,
# so `make test` after `make check` rebuilds nothing.
WERROR ?=
# ccache, where it is installed, keeps rebuilds and the three build folders quick.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CMAKE_FLAGS = $(if $(WERROR),-DVENTORAL_WERROR=$(WERROR)) $(LAUNCHER)

.PHONY: all deps configure build run test check layers sanitize fuzz soak bench install package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/ventoral

# The normal suite, once: every test through CTest.
test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# What CI runs: the normal suite, the same suite built with the sanitizers,
# then every fuzz target for FUZZ_SECONDS each (never less than 60), all
# built with warnings as errors.
CHECK_FUZZ_SECONDS = $(shell s=$(FUZZ_SECONDS); echo $$(( s > 60 ? s : 60 )))

check:
	@$(MAKE) --no-print-directory test WERROR=ON
	@$(MAKE) --no-print-directory sanitize WERROR=ON
	@$(MAKE) --no-print-directory fuzz WERROR=ON FUZZ_SECONDS=$(CHECK_FUZZ_SECONDS)

# The layers: no include runs up them (tools/check_layers.py), and each
# layer links with only the layers below it (cmake/ventoral_layer.cmake).
layers: configure
	@python3 tools/check_layers.py src
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target ventoral_layer_links
	@echo "every layer links with only the layers below it"

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer over every
# test; any report fails the test that caused it.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENTORAL_SANITIZE=ON \
	  -DVENTORAL_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# libFuzzer over every reader of outside data, FUZZ_SECONDS each.
fuzz: deps
	@CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENTORAL_FUZZ=ON \
	  -DVENTORAL_BUILD_TESTS=OFF -DVENTORAL_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@bash scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the installed files, for `sudo apt install ./$(BUILD_DIR)/ventoral_*.deb`,
# checked by Debian's lintian: any error or warning fails the target.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB >cpack.log || { cat cpack.log; exit 1; }
	@deb="$$(sed -n 's/^CPack: - package: \(.*\) generated\.$$/\1/p' $(BUILD_DIR)/cpack.log)"; \
	  [ -f "$$deb" ] || { cat $(BUILD_DIR)/cpack.log; echo "cpack made no package"; exit 1; }; \
	  echo "$$deb"; \
	  if command -v lintian >/dev/null; then \
	    status=0; lintian --fail-on error,warning "$$deb" >$(BUILD_DIR)/lintian.log 2>&1 || status=$$?; \
	    grep -v '^running with root privileges' $(BUILD_DIR)/lintian.log || true; \
	    [ $$status -eq 0 ] || { echo "lintian found errors or warnings (status $$status)"; exit 1; }; \
	  else echo "no lintian: the package is not checked"; fi

# 500 updates in a row against a loopback server; memory must stay flat.
soak: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ./test_e2e --gtest_also_run_disabled_tests --gtest_filter='Soak.*'

bench: build
	@$(BUILD_DIR)/ventoral-bench

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
