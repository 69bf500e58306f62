// OBJ text read in chunks against reading it in one: the first byte chooses
// the chunk size (1 to 64 bytes), whether the cuts fall anywhere or only at
// line starts, and one or two threads; the rest is the text, as for fuzz_obj
// (a line "%%MTL" begins the material library). Everything must come out the
// same: the model bit for bit, the failure, and standard output.
#include <stdint.h>
#include <stdlib.h>

#include "tests/fuzz/read_outcome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const unsigned settings = data[0];
    ObjInput input = split_obj_input((const char*)data + 1, size - 1);
    ReadOutcome one = read_split(input.text, input.size, obj_input_library, &input, {0, false, 1});
    ReadOutcome parts = read_split(input.text, input.size, obj_input_library, &input,
                                   {1 + (settings & 63), (settings & 64) != 0, (settings & 128) ? 2u : 1u});
    if (one.parts != 1 || !same_outcome(one, parts)) abort();
    release(&one);
    release(&parts);
    return 0;
}
