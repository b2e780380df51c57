# `make bench`: a Release build of the game and its benchmarks in build-bench,
# then every benchmark; figures in $(BUILD)/bench/results.json.
BENCH_BUILD ?= build-bench

.PHONY: bench

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DNORPPALA_BENCH=ON -DNORPPALA_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/run.sh $(BENCH_BUILD) $(BUILD)/bench/results.json
