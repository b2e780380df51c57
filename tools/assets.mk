# Regenerates the game's pictures, tunes and voice lines (see tools/make_assets.py).
# Included from the top Makefile; paths are taken relative to this file.
ASSETS_TOOLS_DIR := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
ASSETS_PYTHON ?= /usr/bin/python3

.PHONY: assets
assets:
	$(ASSETS_PYTHON) $(ASSETS_TOOLS_DIR)/make_assets.py
