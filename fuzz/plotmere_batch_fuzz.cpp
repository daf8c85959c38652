// Outside bytes of the control library's program: lines of plane coordinates read by the
// batch conversion, each converted when it reads.

#include <string_view>

#include "plotmere/geodesy/PlaneLine.h"
#include "plotmere/geodesy/clsGeoid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plotmere::clsGeoid geoid;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        int zone = 0;
        double x = 0, y = 0, b = 0, l = 0, c = 0;
        if (plotmere::ParsePlaneLine(line, zone, x, y)) geoid.XY2BL(zone, x, y, b, l, c);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    }
    return 0;
}
