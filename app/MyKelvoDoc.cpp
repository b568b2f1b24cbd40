#include "app/MyKelvoDoc.h"

#include <sys/stat.h>

#include "app/RecentFileList.h"
#include "platform/files/bounded_call.h"
#include "platform/files/safe_file.h"
#include "platform/interface/command_ids.h"
#include "platform/interface/modal_ui.h"
#include "platform/language/translation.h"

namespace {
// "Cannot open "x": why." -- one sentence the player can act on.
enum class Verb { kOpen, kSave };
bool Refuse(std::string* error, Verb verb, const std::string& path, const std::string& why) {
  // TRANSLATORS: %s the file's name, then why it cannot be opened or saved.
  *error = FormattedText(
      verb == Verb::kOpen ? _("Cannot open \"%s\": %s.") : _("Cannot save \"%s\": %s."),
      path.c_str(), why.c_str());
  return false;
}
// Whether `path` is a regular file with something in it; nothing when its
// file system does not answer.
std::optional<bool> HoldsData(const std::string& path) {
  return CallBounded<bool>([path](CommitGate&) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
  });
}
}  // namespace

CMyKelvoDoc::CMyKelvoDoc() {
  OnNewDocument();
  OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
}

bool CMyKelvoDoc::OnNewDocument() {
  m_strPathName.clear();
  // TRANSLATORS: the document's name before it has one, in the window's
  // title.
  m_strTitle = _("Untitled");
  return true;
}

bool CMyKelvoDoc::OnOpenDocument(const std::string& path, std::string* error) {
  std::string why;
  // Nothing of the game lives in a file: the contents are not read, but
  // the file must be one that can be read without blocking.
  const bool readable = CallFileOperation(
      [path](std::string* reason, CommitGate&) { return CheckReadableRegularFile(path, reason); },
      &why);
  if (!readable) return Refuse(error, Verb::kOpen, path, why);
  SetPathName(path);
  return true;
}

bool CMyKelvoDoc::OnSaveDocument(const std::string& path, std::string* error) {
  std::string why;
  // The document has no data: what it saves is an empty file.
  const bool saved = CallFileOperation(
      [path](std::string* reason, CommitGate& gate) {
        return ReplaceFileContents(path, {}, reason, [&gate] { return gate.Enter(); });
      },
      &why);
  if (!saved) return Refuse(error, Verb::kSave, path, why);
  SetPathName(path);
  return true;
}

void CMyKelvoDoc::OnFileSave() {
  std::string path = m_strPathName;
  if (path.empty()) {
    // The file dialog itself asks before replacing an existing file.
    // TRANSLATORS: the file chooser's caption (Ctrl+S before a name).
    path = ModalUI().ChooseFile(true, _("Save As"));
    if (path.empty()) return;
  } else {
    const std::optional<bool> holdsData = HoldsData(path);
    if (!holdsData) {
      std::string error;
      Refuse(&error, Verb::kSave, path, NoAnswerReason());
      AfxMessageBox(error, MB_ICONEXCLAMATION);
      return;
    }
    // An opened file keeps whatever it held unless the player says
    // otherwise: saving would leave it empty.
    const std::string question =
        FormattedText(_("\"%s\" holds data that Kelvo did not write. Saving replaces it with an "
                        "empty Kelvo document.\n\nReplace it?"),
                      m_strTitle.c_str());
    if (*holdsData && AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  }
  std::string error;
  if (!OnSaveDocument(path, &error)) AfxMessageBox(error, MB_ICONEXCLAMATION);
}

void CMyKelvoDoc::SetPathName(const std::string& path) {
  m_strPathName = path;
  // File names are bytes: the title is the last part of the name as it is.
  const auto slash = path.rfind('/');
  m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
  RecentFileList::Instance().Add(path);
}
