// Any bytes as a custom digits strip: the check reads nothing outside them, and what it passes
// is a bitmap with room for eleven cells.
#include <cstdint>
#include <cstdlib>

#include "meter/bitmap_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (digitsStripBytesUsable(data, size) && (size < 26 || data[0] != 'B' || data[1] != 'M')) {
        std::abort();
    }
    return 0;
}
