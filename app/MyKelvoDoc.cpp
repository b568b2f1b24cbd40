#include "app/MyKelvoDoc.h"

#include <QFile>
#include <QFileInfo>

#include "app/RecentFileList.h"
#include "platform/command_ids.h"
#include "platform/modal_ui.h"

namespace {
// "Cannot open "x": why." -- one sentence the player can act on.
bool Refuse(std::string* error, const char* verb, const std::string& path, const std::string& why) {
  *error = std::string("Cannot ") + verb + " \"" + path + "\": " + why + ".";
  return false;
}
std::string Reason(const QFile& file) { return file.errorString().toStdString(); }
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
  const QString qpath = QString::fromStdString(path);
  if (QFileInfo(qpath).isDir()) return Refuse(error, "open", path, "it is a folder, not a file");
  QFile file(qpath);
  if (!file.open(QIODevice::ReadOnly)) return Refuse(error, "open", path, Reason(file));
  // Nothing of the game lives in a file: the contents are not read.
  SetPathName(path);
  return true;
}

bool CMyKelvoDoc::OnSaveDocument(const std::string& path, std::string* error) {
  const QString qpath = QString::fromStdString(path);
  if (QFileInfo(qpath).isDir()) return Refuse(error, "save", path, "it is a folder");
  QFile file(qpath);
  // Write-only and truncating: the document writes an empty file.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !file.flush())
    return Refuse(error, "save", path, Reason(file));
  file.close();
  if (file.error() != QFileDevice::NoError) return Refuse(error, "save", path, Reason(file));
  SetPathName(path);
  return true;
}

void CMyKelvoDoc::OnFileSave() {
  std::string path = m_strPathName;
  if (path.empty()) {
    path = ModalUI().ChooseFile(true, "Save As");
    if (path.empty()) return;
  }
  std::string error;
  if (!OnSaveDocument(path, &error)) AfxMessageBox(error, MB_ICONEXCLAMATION);
}

void CMyKelvoDoc::SetPathName(const std::string& path) {
  m_strPathName = path;
  m_strTitle = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
  RecentFileList::Instance().Add(path);
}
