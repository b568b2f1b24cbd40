// --screenshot writes as the game writes any file: a pipe or device is
// refused at once, and the file's name is used as the bytes it is.
#include "app/Screenshot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "support/fifo_watchdog.h"

TEST(Screenshot, WritesAPngUnderANameOfAnyBytesButNeverIntoAPipe) {
  QTemporaryDir dir;
  // Not UTF-8: written as U+FFFD characters, it would be another file.
  const std::string name = dir.path().toStdString() + "/\xff\xfe shot.png";
  std::string why;
  ASSERT_TRUE(WriteOpeningScreenshot(name, 320, 200, &why)) << why;
  std::ifstream file(name, std::ios::binary);
  ASSERT_TRUE(file.is_open()) << "not under its own name";
  const std::string png{std::istreambuf_iterator<char>(file), {}};
  const QImage image = QImage::fromData(QByteArray::fromStdString(png), "PNG");
  EXPECT_EQ(image.size(), QSize(320, 200));

  FifoWatchdog fifo(dir.filePath("pipe").toStdString());
  ASSERT_TRUE(fifo.Created());
  fifo.Arm();
  EXPECT_FALSE(WriteOpeningScreenshot(fifo.Path(), 32, 20, &why));
  EXPECT_FALSE(fifo.Disarm()) << "waited on the pipe";
  EXPECT_NE(why.find("named pipe"), std::string::npos) << why;
}
