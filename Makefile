# make show : set everything up and play the show
# make test : set everything up and run every test (normal and sanitizer builds)
# make fuzz : build the fuzz targets with clang's libFuzzer and run each for FUZZ_SECONDS
# make faults: play the show under the sanitizers with each data file damaged in turn
# make data : write the show's data files (demo/) from code, with a review sheet in out/
#             (SCALE=2 or 3: pictures that much larger, for large frames)
# make video: capture the whole show, pictures and sound, into out/skyward.mp4,
#             in JOBS parts at once (GNU parallel), here or on the machines of HOSTS
#             (SIZE=1920x1080: that size; MSAA=4: multisampled, smooth edges)
# make pictures: one picture of each section and a contact sheet of them into docs/

PACKAGES := cmake ninja-build g++ pkg-config git \
	libsdl2-dev libinih-dev libcli11-dev libfreeimage-dev libbz2-dev \
	libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0 libegl1 \
	libgtest-dev libgmock-dev libbenchmark-dev libmeshoptimizer-dev xvfb xauth xfonts-base libx11-dev \
	libopenmpt-dev libmpg123-dev libmp3lame-dev libfreetype-dev fonts-dejavu-core \
	libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev openssl parallel \
	libtomlplusplus-dev

BUILD      := build
ASAN_BUILD := build-asan
TSAN_BUILD := build-tsan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS       := $(shell nproc)
SHOW_END   := 245
SHOWDATA   := $(BUILD)/tools/showdata/showdata

.PHONY: show video capture pictures fresh-data data test deps build build-asan test-normal test-asan test-tsan bench fuzz faults clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKYWARD_SANITIZE=ON -DSKYWARD_BENCH=OFF

# Only the thread tests are built and run under ThreadSanitizer.
$(TSAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_SANITIZE_THREADS=ON -DSKYWARD_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 sh -c 'ctest --output-on-failure -j $(JOBS) || \
	  { echo "Running the failed tests once more: the tracer of the leak checker can crash as a test ends (a fault of the sanitizer runtime); a real fault fails twice"; \
	    ctest --rerun-failed --output-on-failure; }'

test-tsan: deps $(TSAN_BUILD)/build.ninja
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target thread_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure -L threads

test: test-normal test-asan test-tsan

# The show's data is generated, never kept in the repository: demo/ here.
data: build
	mkdir -p out
	$(SHOWDATA) . --sheet out/showdata-sheet.png $(if $(SCALE),--scale $(SCALE))
	touch demo

# The data is made first when demo/ is missing or older than its generator.
fresh-data: build
	@if [ ! -d demo ] || [ $(SHOWDATA) -nt demo ]; then $(SHOWDATA) . && touch demo || exit 1; fi

# With a display: the show in full screen at the desktop's own resolution
# (no change of display mode), the 4:3 picture with bars. Without one: headless, fixed
# 30 frames per second up to the show's end, a screenshot every 10 s in out/,
# then the whole show captured into out/skyward.mp4 (as make video).
# The show runs here, in the folder that holds demo/.
show: fresh-data
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/skyward --size desktop; rc=$$?; \
	  [ $$rc -eq 1 ] || [ $$rc -eq 0 ]; \
	else \
	  mkdir -p out; \
	  shots=$$(for s in $$(seq 0 10 $(SHOW_END)); do printf -- '--screenshot %s=out/skyward-%03d.png ' $$s $$s; done); \
	  echo "No display: playing headless up to $(SHOW_END) s of show time, a screenshot every 10 s into out/"; \
	  $(BUILD)/skyward --headless --preload --fps 30 --until $(SHOW_END) $$shots; rc=$$?; \
	  echo "Screenshots:"; ls out/*.png; \
	  [ $$rc -eq 1 ] && $(MAKE) --no-print-directory capture; \
	fi

video: fresh-data capture

# The capture, headless at its fixed 60 frames per second, cut into JOBS
# parts that GNU parallel captures at once: only the parts still missing or
# damaged (a run again after a failure captures those alone), each part's
# progress read into one line, then the parts joined under the show's sound.
# FROM and UNTIL are show seconds; SIZE (WxH) and MSAA (N) are passed on to
# a program that has those options. HOSTS names a GNU parallel sshloginfile:
# the parts are then captured on those machines, one at a time on each, in
# this same folder there (the program built and the data made, as here), and
# brought back with rsync.
FROM  ?= 0
UNTIL ?= $(SHOW_END)
CRF   ?= 18
OUT   ?= out/skyward.mp4
HOSTS ?=
CAPTURE_RANGE := --capture $(OUT) --start $(FROM) --until $(UNTIL) --crf $(CRF) \
	$(if $(SIZE),--size $(SIZE)) $(if $(MSAA),--msaa $(MSAA))
PARTS_FOLDER  := $(basename $(OUT)).parts
PARALLEL_WHERE = $(if $(HOSTS),--sshloginfile $(HOSTS) --jobs 1 --workdir $(CURDIR) \
	--return $(PARTS_FOLDER)/part-{}-of-$(JOBS).mp4 --cleanup,--jobs $(JOBS))

capture:
	mkdir -p $(dir $(OUT))
	@echo "Capturing show time $(FROM) s to $(UNTIL) s in $(JOBS) parts into $(OUT)"
	$(BUILD)/skyward $(CAPTURE_RANGE) --missing-parts $(JOBS) \
	  | parallel $(PARALLEL_WHERE) --line-buffer \
	      $(BUILD)/skyward --headless --preload $(CAPTURE_RANGE) --part {}/$(JOBS) \
	  | $(BUILD)/skyward $(CAPTURE_RANGE) --follow-parts $(JOBS)
	$(BUILD)/skyward $(CAPTURE_RANGE) --join $(JOBS)

# The show in pictures for the README: one moment of each section, chosen
# by looking (SECTION:SECONDS), played from 0 at 4 frames per second (each
# moment is a frame of that step), kept as JPEGs of about 60 KiB in docs/
# with a contact sheet of all eight.
PICTURE_MOMENTS := 1:2.5 2:37 3:47 4:81 5:109 6:137 7:199 8:243
PICTURESHEET    := $(BUILD)/tools/picturesheet/picturesheet
section_of       = $(word 1,$(subst :, ,$(1)))
moment_of        = $(word 2,$(subst :, ,$(1)))

pictures: fresh-data
	mkdir -p out/pictures docs
	$(BUILD)/skyward --headless --preload --fps 4 --until 243 \
	  $(foreach m,$(PICTURE_MOMENTS),--screenshot $(call moment_of,$(m))=out/pictures/section-$(call section_of,$(m)).png); \
	  rc=$$?; [ $$rc -eq 1 ]
	$(foreach m,$(PICTURE_MOMENTS),$(PICTURESHEET) jpeg out/pictures/section-$(call section_of,$(m)).png docs/section-$(call section_of,$(m)).jpg &&) true
	$(PICTURESHEET) --kilobytes 160 sheet docs/sections.jpg \
	  $(foreach m,$(PICTURE_MOMENTS),"out/pictures/section-$(call section_of,$(m)).png=section $(call section_of,$(m)), at $(call moment_of,$(m)) s")

# The object import benchmark compares with the Open Asset Import Library;
# the section benchmark replays the program's GL calls with apitrace. The
# frames-per-second report sets the program beside another build of it when
# BENCH_REFERENCE names one (make bench BENCH_REFERENCE=../main/build/skyward).
BENCH_PACKAGES := libassimp-dev apitrace python3

bench: fresh-data
	@missing=$$(for p in $(BENCH_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	  cmake -S . -B $(BUILD) && cmake --build $(BUILD) -j $(JOBS); \
	fi
	for b in $(BUILD)/bench/*_bench; do $$b; done
	python3 bench/section_replay_bench.py --program $(BUILD)/skyward --data .
	python3 bench/section_fps_bench.py --program $(BUILD)/skyward --data . \
	  $(if $(BENCH_REFERENCE),--reference $(BENCH_REFERENCE))
	python3 bench/frame_scan_bench.py --program $(BUILD)/skyward --data .
	python3 bench/dev_seek_bench.py --program $(BUILD)/skyward --data .
	python3 bench/parts_capture_bench.py --build $(BUILD)

# Each target runs on a scratch copy of its seed corpus in fuzz/corpus/, so
# the repository keeps only the small hand-made seeds, with the words of its
# input in fuzz/<target>.dict when there is one.
fuzz: deps
	@command -v clang++ >/dev/null || { $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq clang; }
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	for t in $(FUZZ_BUILD)/*_fuzz; do \
	  name=$$(basename $$t _fuzz); rm -rf $(FUZZ_BUILD)/corpus-$$name; \
	  cp -r fuzz/corpus/$$name $(FUZZ_BUILD)/corpus-$$name; \
	  dict=; [ -f fuzz/$$name.dict ] && dict=-dict=fuzz/$$name.dict; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=1024 $$dict -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-$$name || exit 1; \
	done

# The damaged-data drill: every file of demo/ missing, cut to half and
# scrambled, one at a time, each played by the sanitizer build around the
# file's first use (see tests/faults/data_drill.sh); a sample of it runs in
# make test.
faults: fresh-data $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target skyward
	sh tests/faults/data_drill.sh $(ASAN_BUILD)/skyward .

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
