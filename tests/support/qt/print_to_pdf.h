// Printing without a printer or a dialog: a view's print job into a PDF
// file, for tests that read the printed page back.
#pragma once

#include <string>

class CView;

// Runs the same job into a PDF file at `dpi` dots per inch on a Letter sheet
// with no margins, with no dialog: the view still prepares the job (page
// count and so on) but the printer is the PDF file.  Returns false when the
// view declines, the file cannot be written or `dpi` is outside 1..2400.
bool PrintViewToPdf(CView& view, const std::string& path, int dpi);
