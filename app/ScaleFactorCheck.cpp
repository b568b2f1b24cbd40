#include "app/ScaleFactorCheck.h"

#include <QScreen>
#include <cmath>

namespace {
std::string ScaleSettings() {
  std::string settings;
  for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
    if (!qEnvironmentVariableIsSet(name)) continue;
    if (!settings.empty()) settings += ", ";
    settings += std::string(name) + "=" + qgetenv(name).toStdString();
  }
  return settings;
}
}  // namespace

std::string ScaleFactorProblem(const std::string& setting, double pixelRatio, int width,
                               int height) {
  const std::string refused = "cannot use the scale factor " + setting + ": ";
  const std::string advice = "; unset it (or set 1) for the normal size";
  if (!std::isfinite(pixelRatio) || pixelRatio <= 0)
    return refused + "a scale factor must be a number above 0" + advice;
  if (pixelRatio < kMinPixelRatio)
    return refused + "it shrinks menus and texts below a quarter of their size" + advice;
  if (width < kMinScreenWidth || height < kMinScreenHeight)
    return refused + "it leaves a screen of " + std::to_string(width) + " x " +
           std::to_string(height) + " pixels, and the game needs at least " +
           std::to_string(kMinScreenWidth) + " x " + std::to_string(kMinScreenHeight) + advice;
  return {};
}

std::string ScaleFactorProblem(const QScreen* screen) {
  const std::string setting = ScaleSettings();
  // A screen that is small by itself is played on as it is.
  if (setting.empty() || !screen) return {};
  const double ratio = screen->devicePixelRatio();
  // Under a ratio of 0 or not-a-number Qt's geometry of the screen is
  // meaningless (its height overflows), so it is not read at all.
  if (!std::isfinite(ratio) || ratio < kMinPixelRatio)
    return ScaleFactorProblem(setting, ratio, kMinScreenWidth, kMinScreenHeight);
  const QSize size = screen->availableGeometry().size();
  return ScaleFactorProblem(setting, ratio, size.width(), size.height());
}
