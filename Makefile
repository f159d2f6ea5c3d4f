# Thin wrapper over CMake. `make run` builds and installs the plug-in (VST3 and LV2) and shows
# what a host sees of it; `make test` builds and runs the whole suite with sanitizers, then checks
# the Windows module under Wine; `make windows` cross-builds the Windows VST3 into dist/.
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
VST3_DIR ?= $(HOME)/.vst3
DEMO_DIR := build/demo
DEMO_ARGS ?= mix=45 tapCnt=12 g=-35 tp=1
BUNDLE := Vorl Delay.vst3
RELEASE_BUNDLE := $(RELEASE_DIR)/source/VorlDelay_artefacts/Release/VST3/$(BUNDLE)
LV2_DIR ?= $(HOME)/.lv2
LV2_BUNDLE := Vorl Delay.lv2
RELEASE_LV2_BUNDLE := $(RELEASE_DIR)/source/VorlDelay_artefacts/Release/LV2/$(LV2_BUNDLE)
# Plug-in editors need a window system; tests get a virtual display.
WITH_DISPLAY := xvfb-run -a -s "-screen 0 1280x1024x24"

WINDOWS_DIR := build/windows
WINDOWS_LIBS_DIR := build/windows-libs
WINDOWS_TOOLCHAIN := cmake/mingw-w64-x86_64.cmake
WINDOWS_BUNDLE := $(WINDOWS_DIR)/source/VorlDelay_artefacts/Release/VST3/$(BUNDLE)
# find_package(JUCE) does not search the build machine's paths when cross-compiling.
JUCE_CMAKE_DIR := /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5
DIST_DIR := dist
# What the Windows checks run (tests/windows): the module and the Windows test programs.
WINDOWS_CHECK_TARGETS := VorlDelay_VST3 vorl-info vorl_host_tests vorl_dsp_tests

.PHONY: run test deps deps-windows release bench standalone pictures windows windows-configure clean

deps:
	bash scripts/install-deps.sh

deps-windows:
	bash scripts/install-deps.sh windows

release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) --target VorlDelay_VST3 VorlDelay_LV2 VorlDelay_Standalone vorl-info vorl-render vorl-layout vorl-demo-sound -j $(JOBS)

run: release
	mkdir -p "$(VST3_DIR)"
	rm -rf "$(VST3_DIR)/$(BUNDLE)"
	cp -r "$(RELEASE_BUNDLE)" "$(VST3_DIR)/"
	@echo "Installed $(VST3_DIR)/$(BUNDLE)"
	$(RELEASE_DIR)/tools/vorl-info "$(VST3_DIR)/$(BUNDLE)"
	mkdir -p "$(LV2_DIR)"
	rm -rf "$(LV2_DIR)/$(LV2_BUNDLE)"
	cp -r "$(RELEASE_LV2_BUNDLE)" "$(LV2_DIR)/"
	@echo "Installed $(LV2_DIR)/$(LV2_BUNDLE)"
	LV2_PATH="$(LV2_DIR)" lv2info "$$(cat $(RELEASE_DIR)/lv2-uri)"
	mkdir -p $(DEMO_DIR)
	$(RELEASE_DIR)/tools/vorl-demo-sound $(DEMO_DIR)/demo-dry.wav
	$(RELEASE_DIR)/tools/vorl-render $(DEMO_DIR)/demo-dry.wav $(DEMO_DIR)/demo-wet.wav $(DEMO_ARGS)
	@echo "Listen: $(DEMO_DIR)/demo-dry.wav (dry) and $(DEMO_DIR)/demo-wet.wav (through Vorl Delay)"

# The Linux suite first, then the Windows checks, which compare with the Linux programs
# (sanitized, hence the options) and so need them built.
test: deps-windows
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORL_SANITIZE=ON -DVORL_BUILD_BENCHMARKS=OFF
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		$(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS)
	$(MAKE) windows-configure
	cmake --build $(WINDOWS_DIR) --target $(WINDOWS_CHECK_TARGETS) -j $(JOBS)
	cd $(WINDOWS_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		$(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS)

# The Windows x64 VST3, cross-built with mingw-w64. The image codecs are built once and kept
# in $(WINDOWS_LIBS_DIR).
windows-configure: deps-windows
	bash scripts/build-windows-libs.sh $(WINDOWS_LIBS_DIR) $(WINDOWS_TOOLCHAIN)
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=$(abspath $(WINDOWS_TOOLCHAIN)) \
		-DJUCE_DIR=$(JUCE_CMAKE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_BENCHMARKS=OFF \
		-DVORL_WINDOWS_LIBS_PREFIX=$(abspath $(WINDOWS_LIBS_DIR))/prefix \
		-DVORL_LINUX_BUILD_DIR=$(abspath $(TEST_DIR))

windows: windows-configure
	cmake --build $(WINDOWS_DIR) --target VorlDelay_VST3 -j $(JOBS)
	mkdir -p $(DIST_DIR)
	rm -rf "$(DIST_DIR)/$(BUNDLE)"
	cp -r "$(WINDOWS_BUNDLE)" "$(DIST_DIR)/"
	@echo "Windows VST3: $(DIST_DIR)/$(BUNDLE) (copy it to C:\\Program Files\\Common Files\\VST3)"

bench: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) --target vorl_dsp_bench vorl_processor_bench vorl_widget_bench -j $(JOBS)
	$(RELEASE_DIR)/bench/vorl_dsp_bench
	$(RELEASE_DIR)/bench/vorl_processor_bench
	$(RELEASE_DIR)/bench/vorl_widget_bench

# The README's pictures of the editor (docs/), remade from the current sources.
pictures: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) --target vorl-snapshot -j $(JOBS)
	bash scripts/make-pictures.sh $(RELEASE_DIR)/tools/vorl-snapshot docs

standalone: release
	"$(RELEASE_DIR)/source/VorlDelay_artefacts/Release/Standalone/Vorl Delay"

clean:
	rm -rf build $(DIST_DIR)
