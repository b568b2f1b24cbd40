// Arbitrary bytes as a stored sound: the reader must refuse or accept them
// without reading outside the image, and what it accepts must be playable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so the sanitizer sees any read past it.
  const std::vector<unsigned char> image(data, data + size);
  std::string why;
  const auto clip = ReadWave(image, &why);
  if (!clip) {
    if (why.empty()) std::abort();  // every refusal says why
    return 0;
  }
  const unsigned char* begin = image.data();
  const unsigned char* end = begin + image.size();
  if (clip->samples.data() < begin || clip->samples.data() + clip->samples.size() > end)
    std::abort();
  if (clip->format.blockAlign == 0 || clip->samples.size() % clip->format.blockAlign != 0)
    std::abort();
  // Touch every sample byte.
  volatile unsigned sum = 0;
  for (unsigned char b : clip->samples) sum = sum + b;
  (void)clip->DurationMs();
  return 0;
}
