# `make soak`: a thousand whole games in a row in one process on the virtual
# clock, watching the result files and the resident size.
SOAK_CYCLES ?= 1000

.PHONY: soak

soak: build
	cd $(BUILD) && $(HEADLESS) NORPPALA_SOAK_CYCLES=$(SOAK_CYCLES) \
		./norppala_tests --gtest_filter='Soak.*'
