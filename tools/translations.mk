# `make translations` brings translations/norppala_en.ts up to date with the
# sources (lupdate): new texts appear there unfinished for the translator,
# texts gone from the sources leave it. The build compiles the file into the
# game and lists what still has no English; `make test` fails until it has.
.PHONY: translations

translations: configure
	cmake --build $(BUILD) --target translations
