#pragma once
// Looks stations up by PID in a list of PID/offset lines ("%-6.6s|%ld").
// Answers as a scan from the first line would (first match wins), from a hash
// map that is rebuilt whenever the list has changed.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/line_list.h"

namespace ds {

class OffsetIndex {
public:
    explicit OffsetIndex(const platform::LineList& locList) : locList_(locList) {}

    // Offset of the first line whose first six characters are the PID's; -1 when none.
    std::int64_t find(std::string_view pid) const;

private:
    void rebuild() const;

    const platform::LineList& locList_;
    mutable std::unordered_map<std::string, std::int64_t> offsets_;
    mutable std::uint64_t builtRevision_ = ~std::uint64_t{0};
};

// The number a LocLine holds: decimal, read from up to 20 characters after
// the '|' at index 6 (leading blanks and a sign allowed; 0 when none).
std::int64_t locLineOffset(std::string_view locLine);

} // namespace ds
