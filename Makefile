# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local
FUZZ_SECONDS ?= 60
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz

.PHONY: all deps configure build run test sanitize fuzz soak bench install package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/ventoral

# The normal suite, then the same suite built with the sanitizers, then a
# run of every fuzz target for FUZZ_SECONDS each, never less than 60.
TEST_FUZZ_SECONDS = $(shell s=$(FUZZ_SECONDS); echo $$(( s > 60 ? s : 60 )))

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer over every
# test; any report fails the test that caused it.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENTORAL_SANITIZE=ON \
	  -DVENTORAL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# libFuzzer over every reader of outside data, FUZZ_SECONDS each.
fuzz: deps
	@CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENTORAL_FUZZ=ON \
	  -DVENTORAL_BUILD_TESTS=OFF -DVENTORAL_BUILD_BENCH=OFF >/dev/null
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
