#include "plotmere/geodesy/PlaneLine.h"

#include <charconv>
#include <cmath>

namespace plotmere {

bool ParsePlaneLine(std::string_view line, int& zone, double& x, double& y) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    const char* at = line.data();
    const char* end = line.data() + line.size();
    const auto skip = [&] {
        while (at < end && blank(*at)) ++at;
    };
    const auto field = [&](auto& value) {
        skip();
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || (next < end && !blank(*next))) return false;
        at = next;
        return true;
    };
    if (!field(zone) || !field(x) || !field(y)) return false;
    skip();
    return at == end && zone >= 1 && zone <= 19 && std::isfinite(x) && std::isfinite(y);
}

}  // namespace plotmere
