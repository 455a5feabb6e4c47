# make run  - build the game and start it
# make test - build everything and run every test (headless)
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = qt6-base-dev qt6-base-dev-tools fonts-ipafont-gothic libjpeg-dev libx11-dev libgtest-dev \
           cmake g++ xvfb xauth ccache lld libxcb1-dev qt6-translations-l10n \
           desktop-file-utils appstream dpkg-dev file libsqlite3-dev qt6-charts-dev libqt6opengl6-dev pkgconf \
           qt6-wayland libwayland-dev libxkbcommon-dev libxkbcommon-x11-dev xkb-data \
           openbox xdotool clang-format libcanberra-dev

# ccache serves the precompiled headers too, and both build folders share one cache
# whatever folder the checkout lies in.
export CCACHE_SLOPPINESS = pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_BASEDIR = $(CURDIR)
export CCACHE_NOHASHDIR = 1

.PHONY: all deps configure configure-only build run test bench bench-floor bench-peers install package clean fuzz screenshots monkey killloop

all: build

# Installs what is missing (as root), or prints the command to run.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	  else \
	    echo "Missing packages. Run as root:"; \
	    echo "  apt-get install -y --no-install-recommends$$missing"; \
	    exit 1; \
	  fi; \
	fi

configure: deps configure-only

# The tests are built unless a folder is configured with -DBUILD_TESTING=OFF; make test
# always asks for them.
configure-only:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CONFIGURE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only the game and its word list: a player need not wait for the tests to build.
run: configure
	cmake --build $(BUILD) --target dojokai wordlist -j$(JOBS)
	cd $(BUILD) && ./dojokai

# The whole suite runs twice: once as built, once under the address and undefined-behaviour
# sanitizers (a second build folder).
SANITIZE_BUILD ?= $(BUILD)-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Each phase's time is printed at the end (the file lives in the build folder).
TIMES = $(abspath $(BUILD))/.test-times
phase = start=$$(date +%s%N); ( $(2) ) || exit $$?; \
	awk -v a=$$start -v b=$$(date +%s%N) 'BEGIN { printf "%-16s %7.1f s\n", "$(1)", (b - a) / 1e9 }' >> $(TIMES)

test:
	@mkdir -p $(BUILD); : > $(TIMES)
	@$(call phase,packages,$(MAKE) --no-print-directory deps)
	@$(call phase,configure,$(MAKE) --no-print-directory configure-only CONFIGURE_FLAGS=-DBUILD_TESTING=ON)
	@$(call phase,build,cmake --build $(BUILD) -j$(JOBS))
	@$(call phase,tests,cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS))
	@$(call phase,sanitized build,cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDOJOKAI_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null && cmake --build $(SANITIZE_BUILD) -j$(JOBS))
	@$(call phase,sanitized tests,cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS))
	@echo "== time of each phase"; cat $(TIMES); \
	awk '{ t += $$(NF - 1) } END { printf "%-16s %7.1f s\n", "all", t }' $(TIMES)

# Benchmarks print their figures; they are not part of the tests.
# The start-up and memory benchmarks play the real game under Xvfb with typed keys; the X
# server benchmark starts an Xvfb of its own and speaks XTEST and DAMAGE to it.
BENCH_PACKAGES = xdotool libx11-dev libxtst-dev libxdamage-dev
bench: build
	@$(MAKE) --no-print-directory deps PACKAGES="$(BENCH_PACKAGES)"
	@$(MAKE) --no-print-directory configure-only
	cmake --build $(BUILD) --target benches -j$(JOBS)
	@cd $(BUILD) && for b in ./dojokai-bench-*; do echo "== $$b"; $$b || exit 1; done

# The game beside its floor, bare Qt programs doing the same visible work (docs/performance.md);
# bench-peers adds the typing tutors Klavaro and KTouch to its launch and idle figures.
FLOOR_TARGETS = dojokai dojokai-bench-floor dojokai-floor-title dojokai-floor-typing
PEER_PACKAGES = klavaro ktouch
bench-floor:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(BENCH_PACKAGES)"
	@$(MAKE) --no-print-directory configure-only
	cmake --build $(BUILD) --target $(FLOOR_TARGETS) -j$(JOBS)
	$(BUILD)/dojokai-bench-floor

bench-peers:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(BENCH_PACKAGES) $(PEER_PACKAGES)"
	@$(MAKE) --no-print-directory configure-only
	cmake --build $(BUILD) --target $(FLOOR_TARGETS) -j$(JOBS)
	$(BUILD)/dojokai-bench-floor --peers

# The long monkey run, outside the tests: make monkey EVENTS=1000000 SEED=7
EVENTS ?= 300000
SEED ?= 1
monkey: build
	cmake --build $(BUILD) --target dojokai-monkey -j$(JOBS)
	QT_QPA_PLATFORM=offscreen $(BUILD)/dojokai-monkey $(EVENTS) $(SEED)

# The README's screenshots: docs/screenshots.dojo drives the game headless and writes docs/*.png;
# docs/statistics.dojo plays three weeks of drills and pictures the statistics window.
# The program folder has a fixed name, so the path on the settings screen stays the same.
screenshots: build
	@dir=/tmp/dojokai-screenshots; rm -rf $$dir && mkdir -p $$dir && \
	cp $(BUILD)/dojokai.bin $(BUILD)/dojokai.hlp $$dir/ && mkdir $$dir/romaji && cp $(BUILD)/romaji/*.txt $$dir/romaji/ && \
	$(BUILD)/dojokai-drive --exe-dir $$dir docs/screenshots.dojo && rm -f $$dir/dojokai.d* && \
	$(BUILD)/dojokai-drive --exe-dir $$dir docs/statistics.dojo; rc=$$?; rm -rf $$dir; \
	if [ $$rc = 0 ]; then echo "screenshots written to docs/"; else exit $$rc; fi

# The game laid out as Linux expects under PREFIX (DESTDIR stages it elsewhere): the program
# (stripped) in bin/, its word list and manual in share/dojokai/, desktop entry, icons,
# AppStream metadata and manual page.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	@echo "installed in $(DESTDIR)$(PREFIX); start it with $(PREFIX)/bin/dojokai"

# A Debian package of the same install (build/dojokai_VERSION_ARCH.deb), checked by lintian.
PACKAGE_PACKAGES = fakeroot lintian
package: build
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_PACKAGES)"
	cd $(BUILD) && rm -f dojokai_*.deb && cpack -G DEB
	lintian --fail-on error --suppress-tags-from-file $(CURDIR)/data/debian/lintian-ignore $(BUILD)/dojokai_*.deb
	@ls $(BUILD)/dojokai_*.deb

# Fuzzing (fuzz/README.md): the project built with clang, libFuzzer and the sanitizers in a
# folder of its own; each target then runs FUZZ_TIME seconds on a scratch copy of its seeds
# in fuzz/corpus/, so the repository gains no files. The whole-window datafile target runs
# without leak checks: the toolkit grows its caches from input to input. Crash inputs land in
# $(FUZZ_BUILD)/artifacts/, the full output in $(FUZZ_BUILD)/fuzz-<target>.log.
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_TIME ?= 60
FUZZ_TARGETS = wordlist ini script records datafile logo
FUZZ_PACKAGES = clang libclang-rt-dev

fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOJOKAI_FUZZ=ON \
	  -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz-all -j$(JOBS)
	@mkdir -p $(FUZZ_BUILD)/artifacts; failed=""; \
	for t in $(FUZZ_TARGETS); do \
	  corpus=$$(mktemp -d); cp $(CURDIR)/fuzz/corpus/$$t/* $$corpus/; \
	  flags=""; [ $$t = datafile ] && flags="-detect_leaks=0"; \
	  echo "== fuzz-$$t, $(FUZZ_TIME) s"; \
	  QT_QPA_PLATFORM=offscreen $(FUZZ_BUILD)/fuzz-$$t -max_total_time=$(FUZZ_TIME) -max_len=16384 -timeout=60 \
	    $$flags -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- $$corpus \
	    > $(FUZZ_BUILD)/fuzz-$$t.log 2>&1; \
	  rc=$$?; rm -rf $$corpus; \
	  if [ $$rc = 0 ]; then grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' $(FUZZ_BUILD)/fuzz-$$t.log; \
	  else grep -v -E '^"|^#' $(FUZZ_BUILD)/fuzz-$$t.log | tail -n 40; failed="$$failed $$t"; fi; \
	done; \
	if [ -n "$$failed" ]; then echo "fuzzing found problems in:$$failed (inputs in $(FUZZ_BUILD)/artifacts)"; exit 1; fi

# The long kill loop, outside the tests: make killloop KILLS=5000 SEED=3
KILLS ?= 2000
killloop: build
	cmake --build $(BUILD) --target dojokai-killloop -j$(JOBS)
	$(BUILD)/dojokai-killloop $(KILLS) $(SEED)

clean:
	rm -rf $(BUILD)
