#include "app/ScaleFactorCheck.h"

#include <QScreen>
#include <cmath>

#include "platform/language/translation.h"

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
  // TRANSLATORS: %s the scale factor's setting, "QT_SCALE_FACTOR=0.1".
  if (!std::isfinite(pixelRatio) || pixelRatio <= 0)
    return FormattedText(_("cannot use the scale factor %s: a scale factor must be a number above "
                           "0; unset it (or set 1) for the normal size"),
                         setting.c_str());
  if (pixelRatio < kMinPixelRatio)
    return FormattedText(_("cannot use the scale factor %s: it shrinks menus and texts below a "
                           "quarter of their size; unset it (or set 1) for the normal size"),
                         setting.c_str());
  if (width < kMinScreenWidth || height < kMinScreenHeight)
    return FormattedText(_("cannot use the scale factor %s: it leaves a screen of %d x %d pixels, "
                           "and the game needs at least %d x %d; unset it (or set 1) for the "
                           "normal size"),
                         setting.c_str(), width, height, kMinScreenWidth, kMinScreenHeight);
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
