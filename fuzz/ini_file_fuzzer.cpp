// libFuzzer entry for the ini_file target: the INI text through a real file (see FuzzTargets.h).
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzIniFile(data, size); }
