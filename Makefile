# The two commands of the README: `make run` and `make test`. Both set up
# whatever is missing first (scripts/bootstrap) and do nothing extra when all is there.
# `make dist` packs the release zip for administrators.

JOBS ?= $(shell nproc)
BUILDS := host win32 win64

.PHONY: all run test dist bench clean format bootstrap

all: build-win32

bootstrap:
	@scripts/bootstrap

# Configuring every time picks up newly added source folders; it takes a second.
build-%: bootstrap
	cmake --preset $* >/dev/null
	cmake --build build/$* -j $(JOBS)

test-%: build-%
	scripts/with-display ctest --test-dir build/$* --output-on-failure -j $(JOBS)

# Every build first, then every test; fails when any build or test fails.
test: $(addprefix build-,$(BUILDS))
	@status=0; for b in $(BUILDS); do \
	  echo "=== tests: $$b"; \
	  scripts/with-display ctest --test-dir build/$$b --output-on-failure -j $(JOBS) || status=1; \
	done; exit $$status

# The shipped 32-bit build; on a machine whose kernel cannot run 32-bit
# programs, the same program of the 64-bit build, and it says so.
run: build-win32
	@if scripts/can-run-32bit; then scripts/run-demo build/win32; else \
	  echo "make run: $$(scripts/can-run-32bit --why); running the 64-bit build instead"; \
	  $(MAKE) --no-print-directory build-win64 && scripts/run-demo build/win64; fi

# Only the two programs and the zip, not the tests.
dist: bootstrap
	cmake --preset win32 >/dev/null
	cmake --build build/win32 -j $(JOBS) --target dist

bench: build-win32
	@if scripts/can-run-32bit; then scripts/run-benchmarks build/win32; else \
	  echo "make bench: $$(scripts/can-run-32bit --why); measuring the 64-bit build instead"; \
	  $(MAKE) --no-print-directory build-win64 && scripts/run-benchmarks build/win64; fi

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
