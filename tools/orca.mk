# `make test-orca`: the real game, played by keys alone under the real screen
# reader Orca on a display and buses of its own; passes when Orca's own log
# shows that it said the menu, the lake, the spot, every announcement of a game
# and its end, and nothing but the game's news during play. Played in Finnish,
# then in English: about three minutes; see tests/orca/orca_check.py.

.PHONY: test-orca

test-orca: configure
	cmake --build $(BUILD) -j $(JOBS) --target norppala
	python3 tests/orca/orca_check.py $(BUILD) --lang fi
	python3 tests/orca/orca_check.py $(BUILD) --lang en
