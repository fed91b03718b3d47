// Show files: the built-in show written as one reads back as the same show
// and builds the same timeline in both loading modes; a file using every
// setting of every kind builds layers that hold them all; broken files get
// each error at its line and column. Built without reading any data.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "shell/script/sections.h"
#include "shell/show_script.h"
#include "shell/showfile/built_show.h"
#include "shell/showfile/show_reader.h"
#include "shell/showfile/show_writer.h"
#include "support/listed_events.h"

namespace {

using namespace shell::showfile;

std::vector<std::string> listedUnread(const std::shared_ptr<const Show>& show, bool background) {
  shell::playShowFile(show ? std::make_shared<const shell::PlayedShowFile>(shell::PlayedShowFile{"show.toml", show, {}})
                           : nullptr);
  shell::buildShowUnread(background);
  std::vector<std::string> lines = fake::listedEvents();
  shell::releaseShow();
  shell::playShowFile(nullptr);
  return lines;
}

Show tornDown(const Show& show, std::span<const char* const> names) {
  shell::playShowFile(std::make_shared<const shell::PlayedShowFile>(
      shell::PlayedShowFile{"show.toml", std::make_shared<const Show>(show), {}}));
  Show taken = takeDownShow([] { shell::buildShow(false); }, names);
  shell::playShowFile(nullptr);
  return taken;
}

TEST(ShowFile, TheBuiltInShowWrittenDownIsTheBuiltInShow) {
  const Show builtIn = takeDownShow([] { shell::buildBuiltInShow(false); }, shell::script::kSectionNames);
  ASSERT_EQ(builtIn.sections.size(), 8u);
  const ShowReading read = readShow(showText(builtIn), "builtin.toml");
  ASSERT_TRUE(read.show) << errorReport("builtin.toml", read);
  EXPECT_EQ(*read.show, builtIn);
  const auto file = std::make_shared<const Show>(*read.show);
  for (bool background : {false, true}) {
    SCOPED_TRACE(background ? "background loading" : "everything at once");
    const std::vector<std::string> expected = listedUnread(nullptr, background);
    EXPECT_EQ(listedUnread(file, background), expected);
  }
  EXPECT_EQ(tornDown(*file, shell::script::kSectionNames), builtIn);
}

// A name may hold anything a quoted string can: the section's heading
// comment must not let a line break or a control character out of it.
TEST(ShowFile, ANameWithControlCharactersReadsBackAsWritten) {
  const ShowReading first = readShow("[[section]]\nname = \"two\\nlines\\u0000 \\\" end\"\nstart = 0\n", "names.toml");
  ASSERT_TRUE(first.show) << errorReport("names.toml", first);
  const ShowReading again = readShow(showText(*first.show), "again.toml");
  ASSERT_TRUE(again.show) << errorReport("again.toml", again) << showText(*first.show);
  EXPECT_EQ(again.show->sections.at(0).name, std::string("two\nlines\0 \" end", 16));
}

// Every setting away from its default, written as the writer writes it:
// the layers built hold them all.
constexpr const char* kEverySetting = R"(
[material.M1]
kind = "lit"
ambient = [0.1, 0.2, 0.3, 0.4]
diffuse = [0.5, 0.6, 0.7, 0.8]
specular = [0.9, 1, 0, 0.5]
shininess = 0.25

[material.M2]
kind = "volumetric"
colour = [1, 0.5, 0.25]

[[section]]
name = "one"
start = 2.5
load = [
  { picture = "demo/a.jpg" },
  { mask = "demo/m.png" },
  { picture = "two", colour = "demo/c.jpg", alpha = "demo/c_a.jpg" },
  { object = "demo/o.lwo", build = ["normals", "edges", "face-normals", "unused-vertices"] },
  { scene = "demo/s.kst" },
  { scene = "demo/t.kst", ahead = 12.5 },
]

[[section.layer]]
kind = "backdrop"
picture = "demo/a.jpg"
start = -1
level = 7
duration = 3
visible = false
alpha-mix = true
x = { keys = [[0, 1, 0.5, -0.5, 0.25], [2, 3]], shape = "linear", before = "reset", after = "offset" }
extra = { keys = [[1, 2]], shape = "stepped", beyond = "repeat" }

[[section.layer]]
kind = "bitmap"
name = "two"
picture = "two"
level = 1
duration = 4
anchor-x = "right"
anchor-y = "top"
red = 0.5

[[section.event]]
at = 1
show = "two"
hide = "two"
load-picture = "demo/p.jpg"
load-mask = "demo/q.png"
unload-picture = ["demo/p.jpg", "two"]
unload-object = "demo/o.lwo"
load-scene = "demo/u.kst"
unload-scene = "demo/u.kst"
play-tune = "demo/x.xm"

[[section]]
name = "two"
start = 10

[[section.layer]]
kind = "strip"
name = "m"
picture = "demo/m.png"
level = 2
duration = 5
offset = 0.75

[[section.layer]]
kind = "value"
target = "m"
level = 3
duration = 1
value = [[0, 0], [1, 2]]

[[section.layer]]
kind = "scene"
scene = "demo/s.kst"
level = 4
duration = 6
camera = 3
fill-background = false
stencil = "greater-or-equal"
stencil-reference = -2
stencil-mask = 255
left = 0.25
top = 0.5

[[section.layer]]
kind = "mesh"
object = "demo/o.lwo"
level = 5
duration = 7
clear-depth = false
rotation-x = 1
rotation-y = 2
rotation-z = 3
distance = 4
materials = ["M1", "M2"]

[[section.layer]]
kind = "mesh-in-scene"
scene = "demo/s.kst"
object = "demo/o.lwo"
level = 6
duration = 8
materials = ["M2", "M1"]

[[section.layer]]
kind = "zoom"
scene = "demo/t.kst"
level = 0
duration = 9
camera = 1
zoom = [[0, 0.5, 0, 1], [2, 1]]

[[section.layer]]
kind = "shadows"
object = "demo/o.lwo"
objects = ["demo/p.lwo", "demo/q.lwo"]
level = 1
duration = 10
materials = ["M1"]
object-materials = ["M1", "M1"]

[[section.layer]]
kind = "frontdrop"
picture = "demo/a.jpg"
level = 0
duration = 1

[[section.layer]]
kind = "stencil"
picture = "demo/m.png"
level = 0
duration = 1

[[section.layer]]
kind = "flat"
level = 0
duration = 0
)";

TEST(ShowFile, EverySettingOfEveryKindIsBuilt) {
  const ShowReading read = readShow(kEverySetting, "every.toml");
  ASSERT_TRUE(read.show) << errorReport("every.toml", read);
  const char* const names[] = {"one", "two"};
  EXPECT_EQ(tornDown(*read.show, names), *read.show);
}

struct Broken {
  const char* what;
  const char* text;  // after a section "a" from 0 (lines 1 to 3)
  std::size_t count;  // errors
  std::uint32_t line;  // of the first
  std::uint32_t column;
  const char* says;
};

constexpr const char* kSection = "[[section]]\nname = \"a\"\nstart = 0\n";

// A scene has two cameras; a file whose name holds "gone" is not there.
const DataFolder kData{[](const std::string& file) { return file.find("gone") == std::string::npos; },
                       [](const std::vector<std::string>& files) {
                         std::map<std::string, std::optional<int>> counts;
                         for (const std::string& file : files) counts[file] = 2;
                         return counts;
                       }};

TEST(ShowFile, EachErrorIsSaidAtItsPlace) {
  const Broken cases[] = {
      {"missing field", "[[section.layer]]\nkind = \"flat\"\nlevel = 0\n", 1, 4, 1,
       "this flat layer has no 'duration': expected the seconds it lasts"},
      {"unknown kind", "[[section.layer]]\nkind = \"scnee\"\nlevel = 0\nduration = 1\n", 1, 5, 8,
       "expected a layer kind: backdrop, frontdrop, bitmap, strip, stencil, flat, scene, mesh, mesh-in-scene, value, "
       "zoom or shadows, got 'scnee'"},
      {"unknown parameter", "[[section.layer]]\nkind = \"flat\"\nlevel = 0\nduration = 1\nwidht = 2\n", 1, 8, 1,
       "a flat layer has no 'widht'; expected kind, name, start"},
      {"keys out of time order", "[[section.layer]]\nkind = \"flat\"\nlevel = 0\nduration = 1\nalpha = [[0, 1], [2, 0], [1, 1]]\n",
       1, 8, 26, "expected keys in time order: this one at 1 s comes after one at 2 s"},
      {"negative duration", "[[section.layer]]\nkind = \"flat\"\nlevel = 0\nduration = -1\n", 1, 7, 12,
       "expected seconds, zero or more, got -1"},
      {"level outside 0-7", "[[section.layer]]\nkind = \"flat\"\nlevel = 8\nduration = 1\n", 1, 6, 9,
       "expected a level from 0 to 7, got 8"},
      {"a camera the scene lacks",
       "[[section.layer]]\nkind = \"scene\"\nscene = \"demo/s.kst\"\nlevel = 0\nduration = 1\ncamera = 2\n", 1, 9, 10,
       "expected a camera the scene has: demo/s.kst has 2 cameras, 0 to 1, got camera 2"},
      {"a file outside demo/", "load = [{ picture = \"demo/../secret.jpg\" }]\n", 1, 4, 21,
       "expected a file under demo/: a picture (.jpg or .png), got 'demo/../secret.jpg'"},
      {"a file not in demo/", "load = [{ object = \"demo/gone.lwo\" }]\n", 1, 4, 20,
       "no file 'demo/gone.lwo' in the data folder"},
      {"not a number", "[[section.layer]]\nkind = \"flat\"\nlevel = 0\nduration = \"long\"\n", 1, 7, 12,
       "expected a number, got 'long'"},
      {"a cycle of value layers",
       "[[section.layer]]\nkind = \"value\"\nname = \"v\"\ntarget = \"w\"\nlevel = 0\nduration = 1\nvalue = 1\n"
       "[[section.layer]]\nkind = \"value\"\nname = \"w\"\ntarget = \"v\"\nlevel = 0\nduration = 1\nvalue = 1\n",
       2, 7, 10, "value layers name each other round ('w' -> 'v' -> 'w')"},
      {"a layer nobody named", "[[section.event]]\nat = 1\nshow = \"nobody\"\n", 1, 6, 8, "no layer named 'nobody'"},
      // The parser places bytes that are no UTF-8 just after the last good character.
      {"random bytes", "\xfe\xff\x01[[", 1, 3, 10, "invalid utf-8"},
  };
  for (const Broken& broken : cases) {
    SCOPED_TRACE(broken.what);
    const ShowReading read = readShow(std::string(kSection) + broken.text, "broken.toml", &kData);
    EXPECT_FALSE(read.show);
    ASSERT_EQ(read.errorCount, broken.count) << errorReport("broken.toml", read);
    EXPECT_EQ(read.errors[0].line, broken.line);
    EXPECT_EQ(read.errors[0].column, broken.column);
    EXPECT_NE(read.errors[0].text.find(broken.says), std::string::npos) << read.errors[0].text;
  }
}

// Every error of a file is said, in the order of its lines, up to a bound.
TEST(ShowFile, ManyErrorsAreAllCountedAndTheFirstSaid) {
  std::string text = kSection;
  for (int i = 0; i < 30; ++i) text += "[[section.layer]]\nkind = \"flat\"\nlevel = " + std::to_string(10 + i) + "\nduration = 1\n";
  const ShowReading read = readShow(text, "many.toml");
  EXPECT_EQ(read.errorCount, 30u);
  ASSERT_EQ(read.errors.size(), kKeptErrors);
  for (std::size_t i = 0; i < read.errors.size(); ++i) EXPECT_EQ(read.errors[i].line, 6 + 4 * i);
  const std::string report = errorReport("many.toml", read);
  EXPECT_NE(report.find("many.toml:6:9: expected a level from 0 to 7, got 10\n"), std::string::npos) << report;
  EXPECT_TRUE(report.ends_with("many.toml: 10 more errors not shown\n")) << report;
}

}  // namespace
