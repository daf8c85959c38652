#include "calcstore/clsCoord.h"

#include <bit>
#include <cstdint>

namespace calcstore {
namespace {
constexpr std::uint64_t kNoHeightBits = 0x7FEFFFFFFFFFFFE2ULL;
}

double clsCoord::NoHeight() {
    return std::bit_cast<double>(kNoHeightBits);
}

clsCoord::clsCoord() : z_(NoHeight()), updateDate_(QDateTime::currentDateTime()) {}

bool clsCoord::AssertZ() const {
    return std::bit_cast<std::uint64_t>(z_) != kNoHeightBits;
}

}  // namespace calcstore
