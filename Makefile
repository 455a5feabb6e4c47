# make run  - build the game and start it
# make test - build everything and run every test (headless)
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = qt6-base-dev qt6-base-dev-tools fonts-ipafont-gothic libjpeg-dev libgtest-dev \
           cmake g++ xvfb xauth

.PHONY: all deps configure build run test bench clean

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

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD) && ./dojokai

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Benchmarks print their figures; they are not part of the tests.
bench: build
	@cd $(BUILD) && for b in ./dojokai-bench-*; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD)
