// The standard print loop: the print dialog, then the view's begin step, one
// OnPrint per page on the printer's surface, and its end step.
//
// Coordinates: the painter is opened on the printer as it comes (not
// full-page), so the device origin is the top-left corner of the printable
// area and m_rectDraw is {0, 0, width, height} of that area in the printer's
// device pixels.
#pragma once

#include <QPrinter>
#include <string>

#include "platform/interface/print_info.h"

class CView;

// What a print job's printer is here: a Qt printer.
class QtPrintDevice : public PrintDevice, public QPrinter {
 public:
  using QPrinter::QPrinter;
};

// Prints a job the view has prepared (the print dialog chose its printer).
// A printer that cannot be started, or a Print to File target that is no
// regular file the player may write, is reported in a message box.  The
// game goes on either way.
void PrintJob(CView& view, CPrintInfo& info);

// Whether Print to File may write `target` (a new file, or a regular file
// the player may write), checked without blocking and given up on when its
// file system does not answer; false with the reason in `why`.
bool CheckPrintTarget(const std::string& target, std::string* why);
// The message for a target CheckPrintTarget refused: "Cannot print to
// "x": why."
std::string PrintTargetRefusal(const std::string& target, const std::string& why);

// Prints the pages of a prepared job on info.m_pPrinter.  Returns false, with
// nothing printed, when the printer cannot be started or fails mid-job.
bool PrintPreparedJob(CView& view, CPrintInfo& info);
