#include "platform/print_info.h"

#include "platform/print_device.h"

CPrintInfo::CPrintInfo() = default;
CPrintInfo::~CPrintInfo() = default;
