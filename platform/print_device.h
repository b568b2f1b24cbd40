// What a print job's printer is: a Qt printer.  For the platform and test
// helpers only; the game sees it by name alone (print_info.h).
#pragma once

#include <QPrinter>

class PrintDevice : public QPrinter {
 public:
  using QPrinter::QPrinter;
};
