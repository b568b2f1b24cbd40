// Draws the program's icon (an SVG) at one size into a PNG for the desktop's
// icon theme, so the installed icons always match the one in the game.
//   kelvo-render-icon ICON.svg SIZE OUT.png
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: kelvo-render-icon ICON.svg SIZE OUT.png\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const int size = std::atoi(argv[2]);
  if (size < 1 || size > 4096) {
    std::fprintf(stderr, "kelvo-render-icon: bad size '%s'\n", argv[2]);
    return 2;
  }
  const QPixmap pixmap = QIcon(QString::fromLocal8Bit(argv[1])).pixmap(size, size);
  if (pixmap.isNull() || !pixmap.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "kelvo-render-icon: cannot render '%s' to '%s'\n", argv[1], argv[3]);
    return 1;
  }
  return 0;
}
