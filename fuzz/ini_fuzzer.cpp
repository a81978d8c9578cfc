// libFuzzer entry for the ini target: the INI parser in memory (see FuzzTargets.h).
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzIniText(data, size); }
