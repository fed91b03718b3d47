// The music of the data set: the two modules through the XM writer, and the
// show tune rendered and encoded into the MP3.
#include "data_set.h"
#include "music/mp3_render.h"
#include "music/tunes.h"
#include "xm_writer.h"

namespace showdata {

std::vector<DataFile> musicFiles() {
  return {
      {"demo\\_SKYWARD11.xm", "XM module: loading tune, calm 32 s loop", [] { return xm::encode(loadingTune()); }},
      {"demo\\_SKYWARD22.xm", "XM module: end tune, 25.6 s loop", [] { return xm::encode(endTune()); }},
      {"demo\\Skyward.mp3", "MP3 44.1 kHz stereo 192 kbit/s: the show tune, 172.5 s",
       [] {
         const Mp3Settings settings;
         return encodeMp3(renderModule(showTune(), settings.seconds), settings);
       }},
  };
}

}  // namespace showdata
