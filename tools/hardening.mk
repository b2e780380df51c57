# Sanitizer test run and fuzzing (see docs/reliability.md).
# Included from the top Makefile; paths are taken relative to this file.
HARDENING_TOOLS_DIR := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
HARDENING_ROOT := $(abspath $(HARDENING_TOOLS_DIR)/..)

ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = fuzz_mapfile fuzz_number fuzz_resultname fuzz_records

# -O1 keeps the instrumented suite quick to run without a long optimising compile.
ASAN_FLAGS = -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(HARDENING_ROOT)/tools/lsan.supp:print_suppressions=0

.PHONY: test-asan fuzz fuzz-build

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S $(HARDENING_ROOT) -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="$(ASAN_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
		-DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"

test-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(HEADLESS) $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/CMakeCache.txt:
	cmake -S $(HARDENING_ROOT)/fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo

fuzz-build: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each target starts from a scratch copy of its committed seeds, so runs never grow the repository.
fuzz: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
		work=$(FUZZ_BUILD)/corpus/$$t; rm -rf $$work; mkdir -p $$work; \
		echo "== $$t ($(FUZZ_SECONDS) s)"; \
		$(SANITIZER_ENV) $(FUZZ_BUILD)/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
			-print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/$$t- \
			$$work $(HARDENING_ROOT)/fuzz/corpus/$$t 2>$(FUZZ_BUILD)/$$t.log \
			|| { tail -n 60 $(FUZZ_BUILD)/$$t.log; echo "$$t failed"; exit 1; }; \
		grep -E '^(stat::|Done|#[0-9]+.*DONE)' $(FUZZ_BUILD)/$$t.log; \
	done
