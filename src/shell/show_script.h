#pragma once
// The show itself: every layer, every envelope and every timed event of the
// eight sections, with the resources needed from the first second. Built by
// code, unless a show file was given to play instead.
#include <memory>
#include <string>
#include <vector>

#include "stocks/source_stamp.h"

namespace shell {

namespace showfile {
struct Show;
}

// A show file the program plays instead of the built-in show, where it was
// read from and what the file was then. Null: the built-in show.
struct PlayedShowFile {
  std::string path;
  std::shared_ptr<const showfile::Show> show;
  kst::SourceStamp stamp;
};
void playShowFile(std::shared_ptr<const PlayedShowFile> played);
std::shared_ptr<const PlayedShowFile> playedShowFile();

// Where the sections of the show played start, first to last.
std::vector<float> sectionStarts();

// Builds the show played: the built-in one (see buildBuiltInShow), or the
// show file's, which is built the same way from what the file says.
int buildShow(bool preloadChoice);

// Builds the whole built-in show on the main thread, with the device's context
// current. With `preloadChoice` false every scene is read now; with true the
// three larger ones are read in the background during the show, some
// seconds before their sections. A file that cannot be read is logged with
// the reason and left out; the show goes on without it.
void buildBuiltInShow(bool preloadChoice);
// The same layers and events without reading any file: for listing them.
void buildShowUnread(bool preloadChoice);

// Ends the show at once, in an order that leaves nothing behind: the layers
// on screen, the layers whose activation is still pending, the pending
// events, the materials, then everything in stock (waiting for loaders
// still reading). Needs the device's context for the stocks.
void releaseShow();

// The layers on screen, the layers whose activation is still pending and the
// pending events go; the materials and the stocks stay (for building the
// show again at another moment).
void releaseLayersAndEvents();

}  // namespace shell
