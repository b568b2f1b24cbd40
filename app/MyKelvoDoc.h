// The one document.  It holds no game data: opening a file reads nothing and
// saving writes an empty file; the document only takes the file's name as
// its title.  It is never modified, so nothing ever asks to save it.  Only
// regular files are opened or saved, and saving never empties a file that
// holds data without asking.
#pragma once

#include <string>

#include "platform/interface/cmd_target.h"

class CMyKelvoDoc : public CCmdTarget {
 public:
  CMyKelvoDoc();

  // A new, empty document titled "Untitled".
  bool OnNewDocument();
  // Checks that `path` is a regular file that can be read and takes its name.  On
  // failure returns false, leaves the document as it was and puts the reason
  // into `error`.
  bool OnOpenDocument(const std::string& path, std::string* error);
  // Replaces `path` by an empty file (whole or not at all) and takes its
  // name.  On failure returns false, changes nothing and puts the reason
  // into `error`.
  bool OnSaveDocument(const std::string& path, std::string* error);

  // The Save command: asks for a name the first time, then saves; asks
  // before emptying an opened file that holds data; a failure is reported
  // in a message box.
  void OnFileSave();

  const std::string& GetTitle() const { return m_strTitle; }
  const std::string& GetPathName() const { return m_strPathName; }
  bool IsModified() const { return false; }

 private:
  void SetPathName(const std::string& path);

  std::string m_strTitle;
  std::string m_strPathName;
};
