// The four sound clips of the game, synthesised from scratch: the same
// bytes on every run, so the files in res/sounds/ can always be made again
// and checked against their source.
#pragma once

#include <string>
#include <vector>

struct SynthesisedClip {
  unsigned id;                       // resource id (IDR_SOUND_*)
  std::string fileName;              // under res/sounds/
  std::vector<unsigned char> image;  // a complete RIFF/WAVE file
};

// All four clips, in id order.
std::vector<SynthesisedClip> SynthesiseAllClips();
