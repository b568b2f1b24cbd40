// The one document.  It holds no game data: opening a file reads nothing and
// saving writes an empty file; the document only takes the file's name as
// its title.  It is never modified, so nothing ever asks to save it.
#pragma once

#include <string>

#include "platform/cmd_target.h"

class CMyKelvoDoc : public CCmdTarget {
 public:
  CMyKelvoDoc();

  // A new, empty document titled "Untitled".
  bool OnNewDocument();
  // Checks that `path` can be opened for reading and takes its name.  On
  // failure returns false, leaves the document as it was and puts the reason
  // into `error`.
  bool OnOpenDocument(const std::string& path, std::string* error);
  // Writes an empty file at `path` and takes its name.  On failure returns
  // false, changes nothing and puts the reason into `error`.
  bool OnSaveDocument(const std::string& path, std::string* error);

  // The Save command: asks for a name the first time, then saves; a failure
  // is reported in a message box.
  void OnFileSave();

  const std::string& GetTitle() const { return m_strTitle; }
  const std::string& GetPathName() const { return m_strPathName; }
  bool IsModified() const { return false; }

 private:
  void SetPathName(const std::string& path);

  std::string m_strTitle;
  std::string m_strPathName;
};
