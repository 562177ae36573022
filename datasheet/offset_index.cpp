#include "datasheet/offset_index.h"

#include <limits>

namespace ds {

std::int64_t locLineOffset(std::string_view locLine)
{
    if (locLine.size() <= 7)
        return 0;
    std::string_view digits = locLine.substr(7, 20);
    std::size_t i = 0;
    while (i < digits.size() && (digits[i] == ' ' || digits[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+'))
        negative = digits[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        int digit = digits[i] - '0';
        if (value > (kMax - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

void OffsetIndex::rebuild() const
{
    offsets_.clear();
    offsets_.reserve(locList_.size());
    for (const auto& line : locList_.lines())
        offsets_.emplace(line.substr(0, 6), locLineOffset(line)); // keeps the first of duplicates
    builtRevision_ = locList_.revision();
}

std::int64_t OffsetIndex::find(std::string_view pid) const
{
    if (builtRevision_ != locList_.revision())
        rebuild();
    auto it = offsets_.find(std::string(pid.substr(0, 6)));
    return it == offsets_.end() ? -1 : it->second;
}

} // namespace ds
