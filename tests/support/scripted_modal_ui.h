// A stand-in for the modal message boxes, dialogs, file choosers and print
// dialog: it records what was asked and answers at once, as the test scripts.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/interface/app_resources.h"
#include "platform/interface/dialog.h"
#include "platform/interface/modal_ui.h"
#include "platform/interface/print_info.h"

class ScriptedModalUI : public IModalUI {
 public:
  struct Box {
    std::string text;
    std::string caption;
    UINT style;
  };
  // Installs itself for the length of its life.
  ScriptedModalUI() : m_previous(SetModalUI(this)) {}
  ~ScriptedModalUI() override { SetModalUI(m_previous); }

  int MessageBox(const std::string& text, const std::string& caption, UINT style) override {
    boxes.push_back({text, caption, style});
    // A box may stay open while the game goes on: the test can run events
    // "while it is open".
    if (whileBoxOpen) whileBoxOpen();
    return boxAnswer;
  }

  // Runs the dialog against a map of control texts: the dialog fills the
  // controls, `editDialog` plays the player (typing into `controls`), and
  // the answer is `dialogAnswer`.  OK exchanges the data back and, when a
  // validation refuses it, counts as a refusal (the dialog would stay open):
  // the test then sees IDCANCEL and `refusedOk` set.
  int RunDialog(CDialog& dialog) override {
    // As the real dialog: without its template it does not open, and a
    // control its template lacks is not there to fill or read.
    const DialogTemplate* tmpl = FindDialogTemplate(dialog.TemplateId());
    if (!tmpl) return IDCANCEL;
    Controls controls;
    for (const DialogControl& c : tmpl->controls) controls.known.insert(c.id);
    dialog.ExchangeData(controls, false);
    dialogsRun.push_back(dialog.TemplateId());
    limits = controls.limits;
    if (editDialog) editDialog(controls.texts);
    if (dialogAnswer != IDOK) return dialogAnswer;
    if (!dialog.ExchangeData(controls, true)) {
      refusedOk = true;
      return IDCANCEL;
    }
    return IDOK;
  }

  BOOL PreparePrinting(CPrintInfo& info) override {
    printDialogs.push_back(info.GetMaxPage());
    return printAnswer;
  }
  void Print(CView& view, CPrintInfo& info) override {
    ++printsRun;
    if (print) print(view, info);
  }

  std::string ChooseFile(bool save, const std::string& caption) override {
    fileDialogs.push_back({save, caption});
    return chosenFile;
  }

  // --- script ---
  std::function<void()> whileBoxOpen;
  int boxAnswer = IDOK;
  std::function<void(std::map<int, std::string>&)> editDialog;
  int dialogAnswer = IDOK;
  BOOL printAnswer = FALSE;
  // What printing a job accepted in the print dialog does (nothing: it is
  // only counted).
  std::function<void(CView&, CPrintInfo&)> print;
  std::string chosenFile;

  // --- record ---
  std::vector<Box> boxes;
  std::vector<UINT> dialogsRun;
  std::map<int, int> limits;
  bool refusedOk = false;
  std::vector<UINT> printDialogs;
  int printsRun = 0;
  std::vector<std::pair<bool, std::string>> fileDialogs;

 private:
  IModalUI* m_previous;
  struct Controls : IDialogControls {
    std::set<int> known;
    std::map<int, std::string> texts;
    std::map<int, int> limits;
    std::string GetText(int id) const override {
      auto it = texts.find(id);
      return it == texts.end() || !known.count(id) ? std::string() : it->second;
    }
    void SetText(int id, const std::string& text) override {
      if (known.count(id)) texts[id] = text;
    }
    void LimitText(int id, int maxChars) override {
      if (known.count(id)) limits[id] = maxChars;
    }
    void Focus(int) override {}
  };
};
