#include "app/MyKelvoDoc.h"

#include <QFile>
#include <QFileInfo>

#include "app/RecentFileList.h"
#include "platform/command_ids.h"
#include "platform/modal_ui.h"

namespace {
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
  if (QFileInfo(qpath).isDir()) {
    *error = "Cannot open \"" + path + "\": it is a folder, not a file.";
    return false;
  }
  QFile file(qpath);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = "Cannot open \"" + path + "\": " + Reason(file) + ".";
    return false;
  }
  // Nothing of the game lives in a file: the contents are not read.
  SetPathName(path);
  return true;
}

bool CMyKelvoDoc::OnSaveDocument(const std::string& path, std::string* error) {
  const QString qpath = QString::fromStdString(path);
  if (QFileInfo(qpath).isDir()) {
    *error = "Cannot save \"" + path + "\": it is a folder.";
    return false;
  }
  QFile file(qpath);
  // Write-only and truncating: the document writes an empty file.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    *error = "Cannot save \"" + path + "\": " + Reason(file) + ".";
    return false;
  }
  if (!file.flush()) {
    *error = "Cannot save \"" + path + "\": " + Reason(file) + ".";
    return false;
  }
  file.close();
  if (file.error() != QFileDevice::NoError) {
    *error = "Cannot save \"" + path + "\": " + Reason(file) + ".";
    return false;
  }
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
