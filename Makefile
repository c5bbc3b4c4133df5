# Telvara: build, test and run.  Every target installs the Debian packages it
# needs first (tools/install-deps.sh, by group), so a fresh machine needs
# nothing else.

BUILD    ?= build
NATIVE   := $(BUILD)/native
WIN      := $(BUILD)/win
WIN32DIR := $(BUILD)/i686
BENCH    := $(BUILD)/bench
FUZZ     := $(BUILD)/fuzz
JOBS     ?= $(shell nproc)
FUZZ_SECONDS ?= 60

export WINEDEBUG := -all

.PHONY: all deps native win i686 test test-native test-win run bench fuzz screenshots format clean

all: native win

deps:
	@tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTELVARA_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

# The 32-bit compiler must build everything too; there is no 32-bit Wine to run it.
i686: deps
	@cmake -S . -B $(WIN32DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-i686.cmake >/dev/null
	@cmake --build $(WIN32DIR) -j $(JOBS)

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# A fresh Wine prefix for every run.
test-win: win
	@rm -rf $(WIN)/wineprefix $(WIN)/wineprefix.lock
	@cd $(WIN) && ctest --output-on-failure

test: i686 test-native test-win

run: win
	@tools/install-deps.sh run
	@tools/run.sh

# The core natively, then the program under Wine: an open message box's
# processor time, the start-up with large books, and its commands on them.
bench: deps win
	@cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELVARA_TESTS=OFF -DTELVARA_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@# Every table is printed; a target missed fails the run at the end.
	@status=0; tools/bench.sh $(BENCH) || status=1; \
	for script in bench-win bench-startup bench-contact-commands bench-print bench-commands; do \
	    tools/$$script.sh $(WIN) || status=1; \
	done; exit $$status

fuzz: deps
	@tools/install-deps.sh fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELVARA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)
	@tools/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

screenshots: win
	@tools/install-deps.sh screenshots
	@tools/screenshots.sh $(WIN)

format:
	@tools/install-deps.sh format
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
