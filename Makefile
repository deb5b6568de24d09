# make        install what is missing, then build into build/
# make run    build, then start Lumenfold under Wine with a few programs to switch between
# make test   build, then run every test under Wine (make test ARGS='-R Catalog' runs a few)
# make bench  build, then print a table of switch and tray-menu times against their floors
#             (make bench ARGS="10 menu" measures only 10 windows and the tray menu)
BUILD := build
SESSION := scripts/wine-session.sh

.PHONY: all setup build run test bench clean

all: build

setup:
	@scripts/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $$(nproc)

run: build
	@$(SESSION) --user-display $(BUILD) scripts/run-demo.sh $(BUILD)

test: build
	@timeout 1800 $(SESSION) $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --timeout 120 $(ARGS)

bench: build
	@echo "machine: $$(nproc) processors, $$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1); load average $$(cut -d" " -f1-3 /proc/loadavg)"
	@$(SESSION) $(BUILD) wine $(BUILD)/bin/LumenfoldBench.exe $(ARGS)

clean:
	rm -rf $(BUILD)
