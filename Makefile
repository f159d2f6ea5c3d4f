# Thin wrapper over CMake. `make run` builds and installs the plug-in and shows what a
# host sees of it; `make test` builds and runs the whole suite with sanitizers.
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
VST3_DIR ?= $(HOME)/.vst3
DEMO_DIR := build/demo
DEMO_ARGS ?= mix=45 tapCnt=12 g=-35 tp=1
BUNDLE := Vorl Delay.vst3
RELEASE_BUNDLE := $(RELEASE_DIR)/source/VorlDelay_artefacts/Release/VST3/$(BUNDLE)

.PHONY: run test deps release bench standalone clean

deps:
	bash scripts/install-deps.sh

release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) --target VorlDelay_VST3 VorlDelay_Standalone vorl-info vorl-render vorl-layout vorl-demo-sound -j $(JOBS)

run: release
	mkdir -p "$(VST3_DIR)"
	rm -rf "$(VST3_DIR)/$(BUNDLE)"
	cp -r "$(RELEASE_BUNDLE)" "$(VST3_DIR)/"
	@echo "Installed $(VST3_DIR)/$(BUNDLE)"
	$(RELEASE_DIR)/tools/vorl-info "$(VST3_DIR)/$(BUNDLE)"
	mkdir -p $(DEMO_DIR)
	$(RELEASE_DIR)/tools/vorl-demo-sound $(DEMO_DIR)/demo-dry.wav
	$(RELEASE_DIR)/tools/vorl-render $(DEMO_DIR)/demo-dry.wav $(DEMO_DIR)/demo-wet.wav $(DEMO_ARGS)
	@echo "Listen: $(DEMO_DIR)/demo-dry.wav (dry) and $(DEMO_DIR)/demo-wet.wav (through Vorl Delay)"

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORL_SANITIZE=ON -DVORL_BUILD_BENCHMARKS=OFF
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) --target vorl_dsp_bench -j $(JOBS)
	$(RELEASE_DIR)/bench/vorl_dsp_bench

standalone: release
	"$(RELEASE_DIR)/source/VorlDelay_artefacts/Release/Standalone/Vorl Delay"

clean:
	rm -rf build
