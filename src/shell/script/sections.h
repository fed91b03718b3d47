#pragma once
// The eight sections of the show, built in order by buildShow. Each sets
// its own start first; `background` is the start-up choice of loading the
// larger scenes during the show.

#include <cstdint>

namespace kst {
class BrushFlat;
class BrushScene;
}  // namespace kst

namespace shell::script {

// Where the sections start, in show seconds, first to last; each is kept as
// a float, as the timeline keeps every time.
inline constexpr int kSectionCount = 8;
inline constexpr float kSectionStarts[kSectionCount] = {0.0f, 15.5f, 42.5f, 75.1f, 93.6f, 126.6f, 166.1f, 241.1f};
// Their names, as a show file written from the show calls them.
inline constexpr const char* kSectionNames[kSectionCount] = {"intro", "shadows", "mosque",  "title",
                                                             "metaballs", "city", "finale", "logo"};

void buildIntro();                     // 0.0: the emblem spinning over the sky, three filaments
void buildShadows();                   // 15.5: the shadow dance behind a frame
void buildMosque();                    // 42.5: the hall and its light shafts
void buildTitle(bool background);      // 75.1: the title flickering into the cubes
void buildMetaballs(bool background);  // 93.6: metaballs, a picture and the greetings
void buildCity();                      // 126.6: the city, once more through its skyline
void buildFinale(bool background);     // 166.1: four views of the last scene, the tune, a flash
void buildLogo();                      // 241.1: the logo, to the end

// A white rectangle over the whole frame, in and out within 1.5 s: the
// flash across a cut, on level 4.
kst::BrushFlat& flash();

// A scene layer over the whole frame, through the scene's first camera.
kst::BrushScene& sceneLayer(const char* scene, std::int32_t level, float duration);

}  // namespace shell::script
