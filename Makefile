# The two set-up commands: `make run` and `make test`; `make install` and `make package` for
# putting the program on a machine.
BUILD ?= build
DATA ?= $(HOME)/FieldDay
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench install package clean

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
