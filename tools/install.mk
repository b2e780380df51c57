# `make install PREFIX=~/.local` builds the game and installs it under PREFIX
# (default /usr/local); DESTDIR stages the tree for a package as usual.
PREFIX ?= /usr/local
INSTALL_PREFIX = $(abspath $(patsubst ~%,$(HOME)%,$(PREFIX)))

.PHONY: install
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(INSTALL_PREFIX)"
