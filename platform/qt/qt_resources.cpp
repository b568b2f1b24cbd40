#include "platform/qt/qt_resources.h"

#include <QDir>
#include <QIcon>
#include <QResource>

namespace {
// Resources live at :/res/<TYPE>/<id>.
const char* const kRoot = ":/res";
}  // namespace

std::span<const unsigned char> QtResourceFinder::Find(UINT id, const char* type) {
  const QString wanted = QString::fromLatin1(type);
  const QDir root(QString::fromLatin1(kRoot));
  for (const QString& typeDir : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (typeDir.compare(wanted, Qt::CaseInsensitive) != 0) continue;
    const QResource resource(root.filePath(typeDir) + QLatin1Char('/') + QString::number(id));
    // Stored uncompressed (see res/CMakeLists.txt), so the data is the file
    // exactly as written, and stays mapped for the whole run.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
      return {};
    return {resource.data(), static_cast<std::size_t>(resource.size())};
  }
  return {};
}

QPixmap LoadIconPixmap(UINT id, int size) {
  const QString path = QString::fromLatin1(kRoot) + QStringLiteral("/ICON/") + QString::number(id);
  if (!QResource(path).isValid()) return {};
  return QIcon(path).pixmap(size, size);
}
