// Any total, NaN and infinities included, any decimals mode and any strip size that loading
// admits: the layout stays within its fixed list and the panel.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "meter/bitmap_check.h"
#include "meter/odometer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 16) {
        return 0;
    }
    double total;
    std::memcpy(&total, data, sizeof total);
    std::int32_t decimals;
    std::memcpy(&decimals, data + 8, sizeof decimals);
    const int width = 11 + (data[12] | data[13] << 8) % static_cast<int>(MAX_STRIP_WIDTH - 10);
    const int height = 1 + (data[14] | data[15] << 8) % static_cast<int>(MAX_STRIP_HEIGHT);
    const PanelGeometry g = panelGeometry(width, height, 8, true);
    const OdometerLayout layout =
        layoutOdometer(total, decimals, g.cellWidth, g.cellHeight, g.width);
    if (layout.count > layout.copies.size() || layout.rollOffset < -g.cellHeight ||
        layout.rollOffset > g.cellHeight) {
        std::abort();
    }
    for (std::size_t i = 0; i < layout.count; ++i) {
        const GlyphCopy& c = layout.copies[i];
        if (c.width < 0 || c.x + c.width > g.width || c.sourceX < 0 ||
            c.sourceX > 11 * g.cellWidth || c.height != g.cellHeight) {
            std::abort();
        }
    }
    return 0;
}
