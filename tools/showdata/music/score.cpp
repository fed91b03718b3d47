#include "music/score.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace showdata {

std::uint8_t pitch(const std::string& name) {
  static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument("not a pitch: " + name);
  int semitone = semitones[name[0] - 'A'];
  std::size_t at = 1;
  if (name[at] == '#') ++semitone, ++at;
  else if (name[at] == 'b') --semitone, ++at;
  const int octave = std::stoi(name.substr(at));
  return static_cast<std::uint8_t>(1 + octave * 12 + semitone);
}

void Score::note(int row, int channel, std::uint8_t note, std::uint8_t instrument, int volume) {
  if (row < 0 || row >= rows_) return;
  cells_[static_cast<std::size_t>(row * channels_ + channel)] = {note, instrument, static_cast<std::uint8_t>(0x10 + std::clamp(volume, 0, 64)), 0, 0};
}

void Score::keyOff(int row, int channel) {
  if (row < 0 || row >= rows_) return;
  xm::Cell& cell = cells_[static_cast<std::size_t>(row * channels_ + channel)];
  if (cell.note == 0) cell = {xm::kKeyOff, 0, 0, 0, 0};
}

int Score::melody(int row, int channel, std::uint8_t instrument, const std::string& text, int volume, int transpose) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    if (word == "|") continue;
    const std::size_t colon = word.find(':');
    const std::size_t at = word.find('@');
    if (colon == std::string::npos) throw std::invalid_argument("a note needs a length: " + word);
    const std::string name = word.substr(0, colon);
    const int length = std::stoi(word.substr(colon + 1, at == std::string::npos ? std::string::npos : at - colon - 1));
    const int loudness = at == std::string::npos ? volume : std::stoi(word.substr(at + 1)) * volume / 64;
    if (name != "-") note(row, channel, static_cast<std::uint8_t>(pitch(name) + transpose), instrument, loudness);
    row += length;
  }
  return row;
}

void Score::echo(int row, int channel, std::uint8_t instrument, const std::string& text, int delay, int volume) {
  melody(row + delay, channel, instrument, text, volume);
}

void Score::pulse(int from, int to, int every, int channel, std::uint8_t note, std::uint8_t instrument, int volume) {
  for (int row = from; row < to; row += every) this->note(row, channel, note, instrument, volume);
}

void Score::rhythm(int from, int to, const std::string& bar, int channel, std::uint8_t instrument, int loud, int soft) {
  for (int row = from; row < to; ++row) {
    const char mark = bar[static_cast<std::size_t>(row - from) % bar.size()];
    if (mark == 'x') note(row, channel, pitch("C4"), instrument, loud);
    if (mark == 'o') note(row, channel, pitch("C4"), instrument, soft);
  }
}

void Score::toPatterns(const std::vector<int>& cuts, xm::Module& module) const {
  std::vector<int> starts = {0};
  for (int cut : cuts)
    if (cut > 0 && cut < rows_) starts.push_back(cut);
  std::sort(starts.begin(), starts.end());
  starts.push_back(rows_);
  for (std::size_t s = 0; s + 1 < starts.size(); ++s) {
    const int length = starts[s + 1] - starts[s];
    const int pieces = (length + 255) / 256;
    for (int p = 0; p < pieces; ++p) {
      const int begin = starts[s] + length * p / pieces, end = starts[s] + length * (p + 1) / pieces;
      xm::Pattern pattern(end - begin, channels_);
      for (int row = begin; row < end; ++row)
        for (int c = 0; c < channels_; ++c) pattern.at(row - begin, c) = at(row, c);
      module.order.push_back(static_cast<std::uint8_t>(module.patterns.size()));
      module.patterns.push_back(std::move(pattern));
    }
  }
}

}  // namespace showdata
