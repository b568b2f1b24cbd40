#include "platform/print_info.h"

#include <QPrinter>

CPrintInfo::CPrintInfo() = default;
CPrintInfo::~CPrintInfo() = default;
