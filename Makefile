# The two set-up commands: `make run` and `make test`; `make install` and `make package` for
# putting the program on a machine.
BUILD ?= build
DATA ?= $(HOME)/FieldDay
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local

.PHONY: all deps configure build run test sanitize bench install package clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	mkdir -p "$(DATA)"
	cd "$(DATA)" && "$(CURDIR)/$(BUILD)/src/app/fdlog"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 300

# Every test again with AddressSanitizer, UndefinedBehaviorSanitizer and leak checks, in
# build-sanitize/ (about 25 minutes from nothing on two cores). The PTT cases preload a stand-in
# for the serial lines into fdlog-cli, hence verify_asan_link_order=0.
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-omit-frame-pointer
sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DFDLOG_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS) -O1" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS) --timeout 300

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b; done

install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package lands in $(BUILD)/: install it with `apt install ./$(BUILD)/fdlog_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB
	dpkg-deb --info "$$(ls -t $(BUILD)/fdlog_*.deb | head -n 1)"

clean:
	rm -rf $(BUILD)
