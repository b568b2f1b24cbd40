#include "tools/sound_synthesis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

#include "sound/sound_ids.h"

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// ---------- building blocks: a float signal in [-1, 1] ----------

using Signal = std::vector<double>;

double Seconds(std::size_t frame) { return static_cast<double>(frame) / kRate; }
std::size_t Frame(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kRate)); }

// Raised-cosine ramp from 0 to 1 over `length` seconds; fades this shape do
// not click.
double Ramp(double t, double length) {
  if (t <= 0) return 0;
  if (t >= length) return 1;
  return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

struct Note {
  double start;   // seconds
  double length;  // seconds, fades included
  double fromHz;  // pitch at the start...
  double toHz;    // ...gliding to this over `glide` seconds
  double glide;
  double level;                   // peak amplitude
  double decay;                   // time constant of the exponential decay, seconds (0: none)
  std::vector<double> harmonics;  // relative amplitudes of partials 1, 2, 3...
  double vibratoHz = 0;
  double vibratoDepth = 0;  // fraction of the pitch
  double attack = 0.006;
  double release = 0.020;
};

// Adds `note` to `out`.  The phase is accumulated sample by sample so glides
// and vibrato stay continuous.
void AddNote(Signal& out, const Note& note) {
  const std::size_t first = Frame(note.start);
  const std::size_t count = Frame(note.length);
  double phase = 0;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = Seconds(i);
    const double g = note.glide > 0 ? std::min(t / note.glide, 1.0) : 1.0;
    double hz = note.fromHz * std::pow(note.toHz / note.fromHz, g);
    if (note.vibratoDepth > 0)
      hz *= 1.0 + note.vibratoDepth * std::sin(kTwoPi * note.vibratoHz * t) * Ramp(t, 0.15);
    double value = 0;
    for (std::size_t k = 0; k < note.harmonics.size(); ++k) {
      // Partials above the Nyquist frequency would fold back as noise.
      if (hz * static_cast<double>(k + 1) >= kRate / 2.0) break;
      value += note.harmonics[k] * std::sin(phase * static_cast<double>(k + 1));
    }
    double envelope = note.level * Ramp(t, note.attack) * Ramp(note.length - t, note.release);
    if (note.decay > 0) envelope *= std::exp(-t / note.decay);
    out[first + i] += value * envelope;
    phase = std::fmod(phase + kTwoPi * hz / kRate, kTwoPi);
  }
}

// A square-ish tone: odd partials at 1/n.
std::vector<double> OddPartials(int count) {
  std::vector<double> h(static_cast<std::size_t>(count * 2 - 1), 0.0);
  for (int n = 1; n <= count * 2 - 1; n += 2) h[static_cast<std::size_t>(n - 1)] = 1.0 / n;
  return h;
}

// ---------- the four clips ----------

// "GO": two bright blips, the second sliding up a fifth and ringing out.
Signal MakeGo(std::size_t frames) {
  Signal s(frames, 0.0);
  AddNote(s, {0.000, 0.070, 1046.5, 1046.5, 0, 0.40, 0, {1.0, 0.25, 0.08}});
  AddNote(s, {0.090, 0.520, 1046.5, 1568.0, 0.035, 0.45, 0.13, {1.0, 0.30, 0.10, 0.04}});
  return s;
}

// Game over: a falling phrase, G E C, landing on a low G that wavers away.
Signal MakeGameOver(std::size_t frames) {
  Signal s(frames, 0.0);
  const std::vector<double> timbre = OddPartials(5);
  AddNote(s, {0.00, 0.22, 392.00, 392.00, 0, 0.32, 0.40, timbre});
  AddNote(s, {0.24, 0.22, 329.63, 329.63, 0, 0.32, 0.40, timbre});
  AddNote(s, {0.48, 0.22, 261.63, 261.63, 0, 0.32, 0.40, timbre});
  Note last{0.72, 0.50, 196.00, 185.00, 0.50, 0.34, 0.35, timbre, 5.0, 0.012};
  last.release = 0.12;
  AddNote(s, last);
  return s;
}

// Perfect: a quick rising arpeggio C E G C, then a bright major chord that
// shimmers and fades.
Signal MakePerfect(std::size_t frames) {
  Signal s(frames, 0.0);
  const std::vector<double> bright = {1.0, 0.35, 0.15, 0.05};
  const double arpeggio[] = {523.25, 659.26, 783.99, 1046.50};
  for (int k = 0; k < 4; ++k)
    AddNote(s, {0.095 * k, 0.085, arpeggio[k], arpeggio[k], 0, 0.36, 0, bright});
  for (double hz : {1046.50, 1318.51, 1567.98}) {
    Note chord{0.39, 0.72, hz, hz, 0, 0.17, 0.45, bright, 6.0, 0.004};
    chord.release = 0.15;
    AddNote(s, chord);
  }
  return s;
}

// Refused: a short low buzz that sags in pitch.
Signal MakeRefused(std::size_t frames) {
  Signal s(frames, 0.0);
  Note buzz{0.0, 0.23, 140.0, 110.0, 0.23, 0.30, 0, OddPartials(7)};
  buzz.attack = 0.005;
  buzz.release = 0.040;
  AddNote(s, buzz);
  return s;
}

// ---------- RIFF/WAVE writing ----------

void PutU16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

void PutTag(std::vector<unsigned char>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

// A chunk with its pad byte when the body is odd-sized.
void PutChunk(std::vector<unsigned char>& out, std::string_view tag,
              const std::vector<unsigned char>& body) {
  PutTag(out, tag);
  PutU32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) out.push_back(0);
}

std::vector<unsigned char> FormatBody(int bits, bool withExtensionSize) {
  std::vector<unsigned char> b;
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(bits / 8);
  PutU16(b, 1);  // PCM
  PutU16(b, 1);  // mono
  PutU32(b, kRate);
  PutU32(b, kRate * blockAlign);
  PutU16(b, blockAlign);
  PutU16(b, static_cast<std::uint32_t>(bits));
  if (withExtensionSize) PutU16(b, 0);  // no extra format bytes follow
  return b;
}

// A "LIST" chunk of form "INFO" naming the clip and what made it.
std::vector<unsigned char> InfoBody(std::string_view title) {
  std::vector<unsigned char> b;
  PutTag(b, "INFO");
  auto text = [&b](std::string_view id, std::string_view value) {
    std::vector<unsigned char> body(value.begin(), value.end());
    body.push_back(0);
    PutChunk(b, id, body);
  };
  text("INAM", title);
  text("ISFT", "kelvo-make-sounds");
  return b;
}

std::vector<unsigned char> Samples(const Signal& s, int bits) {
  std::vector<unsigned char> out;
  for (double v : s) {
    v = std::clamp(v, -1.0, 1.0);
    if (bits == 8) {
      out.push_back(static_cast<unsigned char>(std::lround(128.0 + v * 127.0)));
    } else {
      const auto sample = static_cast<std::int16_t>(std::lround(v * 32767.0));
      PutU16(out, static_cast<std::uint16_t>(sample));
    }
  }
  return out;
}

enum class Extra { kNone, kFactBeforeData, kInfoBeforeData, kInfoAfterData };

std::vector<unsigned char> WaveImage(const Signal& s, int bits, Extra extra,
                                     std::string_view title) {
  std::vector<unsigned char> chunks;
  PutChunk(chunks, "fmt ", FormatBody(bits, extra == Extra::kFactBeforeData));
  if (extra == Extra::kFactBeforeData) {
    std::vector<unsigned char> fact;
    PutU32(fact, static_cast<std::uint32_t>(s.size()));
    PutChunk(chunks, "fact", fact);
  }
  if (extra == Extra::kInfoBeforeData) PutChunk(chunks, "LIST", InfoBody(title));
  PutChunk(chunks, "data", Samples(s, bits));
  if (extra == Extra::kInfoAfterData) PutChunk(chunks, "LIST", InfoBody(title));

  std::vector<unsigned char> image;
  PutTag(image, "RIFF");
  PutU32(image, static_cast<std::uint32_t>(4 + chunks.size()));
  PutTag(image, "WAVE");
  image.insert(image.end(), chunks.begin(), chunks.end());
  return image;
}

}  // namespace

std::vector<SynthesisedClip> SynthesiseAllClips() {
  // Frame counts and sample sizes are those the game has always carried.
  // The chunk layouts differ on purpose, so that the reader's chunk walk is
  // used for real: an extended "fmt " with a "fact" chunk, an odd-sized
  // "data" chunk with its pad byte and a "LIST" after it, a plain file, and
  // a "LIST" before the data.
  return {
      {IDR_SOUND_GO, "go.wav", WaveImage(MakeGo(15606), 8, Extra::kFactBeforeData, "GO")},
      {IDR_SOUND_GAME_OVER, "game_over.wav",
       WaveImage(MakeGameOver(27565), 8, Extra::kInfoAfterData, "Game over")},
      {IDR_SOUND_PERFECT, "perfect.wav", WaveImage(MakePerfect(25088), 8, Extra::kNone, "Perfect")},
      {IDR_SOUND_REFUSED, "refused.wav",
       WaveImage(MakeRefused(5513), 16, Extra::kInfoBeforeData, "Refused")},
  };
}
