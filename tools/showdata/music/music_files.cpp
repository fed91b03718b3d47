// The music of the data set: the two modules through the XM writer, and the
// show tune rendered and encoded into the MP3. The instrument set is made
// once and shared by the three tunes.
#include <memory>

#include "data_set.h"
#include "music/instruments.h"
#include "music/mp3_render.h"
#include "music/tunes.h"
#include "xm_writer.h"

namespace showdata {

std::vector<DataFile> musicFiles() {
  const auto instruments = std::make_shared<const std::vector<xm::Instrument>>(instrumentSet(2024));
  return {
      {"demo\\_SKYWARD11.xm", "XM module: loading tune, calm 32 s loop", [instruments] { return xm::encode(loadingTune(*instruments)); }},
      {"demo\\_SKYWARD22.xm", "XM module: end tune, 25.6 s loop", [instruments] { return xm::encode(endTune(*instruments)); }},
      {"demo\\Skyward.mp3", "MP3 44.1 kHz stereo 192 kbit/s: the show tune, 172.5 s",
       [instruments] {
         const Mp3Settings settings;
         return encodeMp3(renderModule(showTune(*instruments), settings.seconds), settings);
       }},
  };
}

}  // namespace showdata
