#include "app/MyKelvoDoc.h"

#include <sys/stat.h>

#include <QFileInfo>

#include "app/RecentFileList.h"
#include "app/SafeFile.h"
#include "platform/command_ids.h"
#include "platform/modal_ui.h"

namespace {
// "Cannot open "x": why." -- one sentence the player can act on.
bool Refuse(std::string* error, const char* verb, const std::string& path, const std::string& why) {
  *error = std::string("Cannot ") + verb + " \"" + path + "\": " + why + ".";
  return false;
}
bool HoldsData(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}
}  // namespace

CMyKelvoDoc::CMyKelvoDoc() {
  OnNewDocument();
  OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
}

bool CMyKelvoDoc::OnNewDocument() {
  m_strPathName.clear();
  m_strTitle = "Untitled";
  return true;
}

bool CMyKelvoDoc::OnOpenDocument(const std::string& path, std::string* error) {
  std::string why;
  // Nothing of the game lives in a file: the contents are not read, but
  // the file must be one that can be read without blocking.
  if (!CheckReadableRegularFile(path, &why)) return Refuse(error, "open", path, why);
  SetPathName(path);
  return true;
}

bool CMyKelvoDoc::OnSaveDocument(const std::string& path, std::string* error) {
  std::string why;
  // The document has no data: what it saves is an empty file.
  if (!ReplaceFileContents(path, {}, &why)) return Refuse(error, "save", path, why);
  SetPathName(path);
  return true;
}

void CMyKelvoDoc::OnFileSave() {
  std::string path = m_strPathName;
  if (path.empty()) {
    // The file dialog itself asks before replacing an existing file.
    path = ModalUI().ChooseFile(true, "Save As");
    if (path.empty()) return;
  } else if (HoldsData(path)) {
    // An opened file keeps whatever it held unless the player says
    // otherwise: saving would leave it empty.
    const std::string question = "\"" + m_strTitle +
                                 "\" holds data that Kelvo did not write. Saving replaces it "
                                 "with an empty Kelvo document.\n\nReplace it?";
    if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  }
  std::string error;
  if (!OnSaveDocument(path, &error)) AfxMessageBox(error, MB_ICONEXCLAMATION);
}

void CMyKelvoDoc::SetPathName(const std::string& path) {
  m_strPathName = path;
  m_strTitle = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
  RecentFileList::Instance().Add(path);
}
