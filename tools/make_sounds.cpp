// kelvo-make-sounds: writes the game's four sound clips into a folder
// (res/sounds/ of the source tree when run as the build does it by hand).
//   kelvo-make-sounds <folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/sound_synthesis.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output-folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  for (const SynthesisedClip& clip : SynthesiseAllClips()) {
    const std::string path = folder + "/" + clip.fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(clip.image.data()),
              static_cast<std::streamsize>(clip.image.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "kelvo-make-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), clip.image.size());
  }
  return 0;
}
