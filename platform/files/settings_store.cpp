#include "platform/files/settings_store.h"

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <memory>

#include "platform/files/bounded_call.h"
#include "platform/files/safe_file.h"
#include "platform/language/translation.h"

namespace {

// Values by key; nothing: of another kind, or (as a change) removed.
using Values = std::map<std::string, std::optional<std::string>>;

bool Fail(std::string* why, std::string reason) {
  *why = std::move(reason);
  return false;
}

QString KeyOf(const std::string& key) { return QString::fromStdString(key); }

std::optional<std::string> BytesOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QString) return value.toString().toStdString();
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
  return std::nullopt;
}

QVariant VariantOf(const std::string& bytes) {
  const QString text = QString::fromStdString(bytes);
  if (text.toStdString() == bytes) return text;
  return QByteArray::fromStdString(bytes);
}

// A process killed while Qt worked leaves its scratch folder behind: those
// of ours whose process is gone are removed.
void RemoveStaleScratchFolders() {
  const QFileInfoList folders = QDir(QDir::tempPath())
                                    .entryInfoList({QStringLiteral("kelvo-settings-*")},
                                                   QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
  for (const QFileInfo& folder : folders) {
    const auto pid = static_cast<pid_t>(folder.fileName().section(QLatin1Char('-'), 2, 2).toInt());
    if (pid > 0 && folder.ownerId() == ::geteuid() && ::kill(pid, 0) != 0 && errno == ESRCH)
      QDir(folder.filePath()).removeRecursively();
  }
}

// Hands Qt's settings class a private copy of `bytes` (in a folder of our
// own under the temporary folder, gone afterwards).  When `use` says it
// changed anything, what Qt then wrote is put into `written`.
bool WithQtSettings(std::string_view bytes, const std::function<bool(QSettings&)>& use,
                    std::optional<std::string>* written, std::string* why) {
  // Qt reads past a UTF-8 byte-order mark, but then reports its own rewrite
  // of the file as a format error; the mark has no use in UTF-8.
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  RemoveStaleScratchFolders();
  const QTemporaryDir folder(QDir::tempPath() +
                             QStringLiteral("/kelvo-settings-%1-XXXXXX").arg(::getpid()));
  auto noScratch = [&](const QString& reason) {
    return Fail(
        why, FormattedText(_("Qt's settings class cannot work on a copy of it in \"%s\": %s"),
                           QDir::tempPath().toStdString().c_str(), reason.toStdString().c_str()));
  };
  if (!folder.isValid()) return noScratch(folder.errorString());
  QFile copy(folder.filePath(QStringLiteral("settings.conf")));
  const auto size = static_cast<qint64>(bytes.size());
  if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
      copy.write(bytes.data(), size) != size || !copy.flush())
    return noScratch(copy.errorString());
  copy.close();
  {
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    // Sections are parsed when first asked for: all of them now, so that a
    // line Qt cannot read shows here rather than vanish from the rewrite.
    settings.allKeys();
    if (settings.status() == QSettings::FormatError)
      return Fail(why, _("it is not in the INI layout of a settings file"));
    if (!use(settings)) return true;
    settings.sync();
    if (settings.status() != QSettings::NoError)
      return noScratch(QString::fromUtf8(_("the copy could not be written")));
  }
  if (!copy.open(QIODevice::ReadOnly)) return Fail(why, copy.errorString().toStdString());
  *written = copy.readAll().toStdString();
  return true;
}

// The values of `keys` in the file's bytes, as Qt's settings class reads them.
bool ReadValues(const std::string& bytes, const std::vector<std::string>& keys, Values* values,
                std::string* why) {
  return WithQtSettings(
      bytes,
      [&](QSettings& settings) {
        for (const std::string& key : keys)
          if (settings.contains(KeyOf(key))) (*values)[key] = BytesOf(settings.value(KeyOf(key)));
        return false;
      },
      nullptr, why);
}

// The file's bytes with `changes` made over them by Qt's settings class;
// nothing in `written` when the file holds them already.
bool ApplyChanges(const std::string& bytes, const Values& changes,
                  std::optional<std::string>* written, std::string* why) {
  return WithQtSettings(
      bytes,
      [&](QSettings& settings) {
        bool changed = false;
        for (const auto& [key, value] : changes) {
          const bool there = settings.contains(KeyOf(key));
          if (value && !(there && BytesOf(settings.value(KeyOf(key))) == value))
            settings.setValue(KeyOf(key), VariantOf(*value));
          else if (!value && there)
            settings.remove(KeyOf(key));
          else
            continue;
          changed = true;
        }
        return changed;
      },
      written, why);
}

// The file's bytes, read under the file-call limit.
bool ReadFile(const std::string& path, std::string* bytes, std::string* why) {
  auto read = std::make_shared<std::string>();
  if (!CallFileOperation(
          [path, read](std::string* reason, CommitGate&) {
            return ReadRegularFile(path, SettingsStore::kMaxBytes, read.get(), reason) !=
                   ReadResult::kRefused;
          },
          why))
    return false;
  *bytes = std::move(*read);
  return true;
}

// Qt's work on the copy, off the window's thread and timed on its own: a
// large file taking its time is no stalled drive.  A megabyte takes Qt well
// under a second; the limit is a safety net, not a clock.
bool CallQt(std::function<bool(std::string* why)> work, std::string* why) {
  const std::chrono::milliseconds limit = FileCallLimit() * 10;
  struct Outcome {
    bool ok = false;
    std::string why;
  };
  const std::optional<Outcome> outcome = CallBounded<Outcome>(
      [work](CommitGate&) {
        Outcome o;
        o.ok = work(&o.why);
        return o;
      },
      nullptr, limit);
  const long long seconds = (limit.count() + 999) / 1000;
  if (!outcome)
    return Fail(why, FormattedText(_("Qt's settings class took over %lld s with it"), seconds));
  if (!outcome->ok) *why = outcome->why;
  return outcome->ok;
}

}  // namespace

bool SettingsStore::Load(const std::string& path, const std::vector<std::string>& keys,
                         std::string* why) {
  m_path.reset();
  m_values.clear();
  m_changes.clear();
  std::string bytes;
  if (!ReadFile(path, &bytes, why)) return false;
  auto values = std::make_shared<Values>();
  const auto read = [bytes, keys, values](std::string* reason) {
    return ReadValues(bytes, keys, values.get(), reason);
  };
  if (!bytes.empty() && !CallQt(read, why)) return false;
  m_path = path;
  m_values = std::move(*values);
  return true;
}

std::optional<std::string> SettingsStore::Value(const std::string& key) const {
  const auto it = m_values.find(key);
  return it == m_values.end() ? std::nullopt : it->second;
}

void SettingsStore::Set(const std::string& key, const std::string& bytes) {
  if (Value(key) == bytes) return;
  m_values[key] = bytes;
  m_changes[key] = bytes;
}

void SettingsStore::Remove(const std::string& key) {
  if (m_values.erase(key) != 0) m_changes[key] = std::nullopt;
}

bool SettingsStore::Save(std::string* why) {
  if (!m_path || m_changes.empty()) return true;
  // Over what the file holds now: another program may have written it since.
  std::string bytes;
  if (!ReadFile(*m_path, &bytes, why)) return false;
  auto written = std::make_shared<std::optional<std::string>>();
  const auto apply = [bytes, changes = m_changes, written](std::string* reason) {
    return ApplyChanges(bytes, changes, written.get(), reason);
  };
  if (!CallQt(apply, why)) return false;
  if (*written) {
    // The game never writes a file it would refuse to read.
    if ((*written)->size() > kMaxBytes)
      return Fail(why,
                  FormattedText(_("with the changes it would be larger than %zu bytes; nothing "
                                  "was written"),
                                kMaxBytes));
    if (!CallFileOperation(
            [path = *m_path, text = **written](std::string* reason, CommitGate& gate) {
              return MakeFolders(FolderOf(path), reason) &&
                     ReplaceFileContents(path, text, reason, [&gate] { return gate.Enter(); });
            },
            why))
      return false;
  }
  m_changes.clear();
  return true;
}
