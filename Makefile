# Norppala: `make play` to play, `make test` to run every test.
# Both install whatever is missing on a Debian machine first.

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
HEADLESS = QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

.PHONY: all play test deps build configure clean format screenshots

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what playing needs, the program and its data folder; the tests wait for `make test`.
play: configure
	cmake --build $(BUILD) -j $(JOBS) --target norppala
	$(BUILD)/norppala

test: build
	cd $(BUILD) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

screenshots: build
	$(BUILD)/norppala_screenshots docs fi
	$(BUILD)/norppala_screenshots docs/en en

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Everything but $(BUILD)/data: `make play` saves the player's results there
# (the next build refreshes the game's own files in it).
clean:
	if [ -d $(BUILD) ]; then find $(BUILD) -mindepth 1 -maxdepth 1 ! -name data -exec rm -rf {} +; fi

-include tools/*.mk
