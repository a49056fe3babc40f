// libFuzzer's entry, built once per target with DROVIK_FUZZ_TARGET naming it.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return DROVIK_FUZZ_TARGET(data, size);
}
