# `make deb` builds the Debian package build-deb/norppala_<version>_<arch>.deb
# with dpkg-buildpackage, from a copy of the working tree (uncommitted changes
# included, ignored files such as build folders left out), so the package build
# leaves nothing in the tree or beside it. `make test-deb` then checks it.
# Included from the top Makefile; paths are taken relative to this file.
DEB_TOOLS_DIR := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
DEB_ROOT := $(abspath $(DEB_TOOLS_DIR)/..)
DEB_BUILD ?= build-deb
DEB_VERSION = $(shell dpkg-parsechangelog -l $(DEB_ROOT)/debian/changelog -S Version)
DEB_ARCH = $(shell dpkg --print-architecture)
DEB_FILE = $(DEB_BUILD)/norppala_$(DEB_VERSION)_$(DEB_ARCH).deb

.PHONY: deb test-deb

deb: deps
	rm -rf $(DEB_BUILD)
	mkdir -p $(DEB_BUILD)/norppala
	if git -C $(DEB_ROOT) rev-parse --is-inside-work-tree >/dev/null 2>&1; then \
		git -C $(DEB_ROOT) ls-files -z --cached --others --exclude-standard | \
			tar -C $(DEB_ROOT) --null --ignore-failed-read -T - -cf - ; \
	else \
		tar -C $(DEB_ROOT) --exclude='./build*' -cf - . ; \
	fi | tar -C $(DEB_BUILD)/norppala -xf -
	cd $(DEB_BUILD)/norppala && dpkg-buildpackage -b -us -uc -J$(JOBS)
	@test -f $(DEB_FILE) && echo "Paketti / package: $(DEB_FILE)"

test-deb:
	$(DEB_ROOT)/cmake/test-deb.sh $(DEB_FILE) $(DEB_ROOT)
