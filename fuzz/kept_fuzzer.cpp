// libFuzzer entry for the kept target: the browser's kept game (see FuzzTargets.h).
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzKeptGame(data, size); }
