// The game's tests' entry: no Qt.  The program's title and dialog templates
// are handed to the platform as the application does, and the stored sounds
// are read from res/.
#include <gtest/gtest.h>

#include "res/app_resources.h"
#include "support/file_resources.h"

int main(int argc, char** argv) {
  SetAppResources(KelvoAppResources());
  FileResourceFinder resources;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
