// The standard print loop: the print dialog, then the view's begin step, one
// OnPrint per page on the printer's surface, and its end step.
//
// Coordinates: the painter is opened on the printer as it comes (not
// full-page), so the device origin is the top-left corner of the printable
// area and m_rectDraw is {0, 0, width, height} of that area in the printer's
// device pixels.
#pragma once

#include <string>

class CView;
class CPrintInfo;

// File > Print: asks the view to prepare the job (which shows the print
// dialog) and prints it.  A cancelled dialog prints nothing; a printer that
// cannot be started, or a Print to File target that is no regular file the
// player may write, is reported in a message box.  The game goes on either
// way.
void RunPrintJob(CView& view);

// Whether Print to File may write `target` (a new file, or a regular file
// the player may write), checked without blocking and given up on when its
// file system does not answer; false with the reason in `why`.
bool CheckPrintTarget(const std::string& target, std::string* why);

// Prints the pages of a prepared job on info.m_pPrinter.  Returns false, with
// nothing printed, when the printer cannot be started or fails mid-job.
bool PrintPreparedJob(CView& view, CPrintInfo& info);
