// The print dialog answered with "Print to File (PDF)" and the file name in
// `target`; every other question as ScriptedModalUI answers it.
#pragma once

#include <QFile>
#include <memory>
#include <string>

#include "platform/interface/print_info.h"
#include "platform/qt/print_loop.h"
#include "support/scripted_modal_ui.h"

class PrintToFileUI : public ScriptedModalUI {
 public:
  PrintToFileUI() { print = PrintJob; }
  BOOL PreparePrinting(CPrintInfo& info) override {
    auto printer = std::make_unique<QtPrintDevice>(QPrinter::ScreenResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QFile::decodeName(target.c_str()));
    info.m_pPrinter = std::move(printer);
    return TRUE;
  }
  std::string target;
};
