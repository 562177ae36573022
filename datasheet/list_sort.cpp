#include "datasheet/list_sort.h"

#include <array>

namespace ds {

namespace {

// Collation weight of each byte.
std::array<unsigned short, 256> makeWeights()
{
    std::array<unsigned short, 256> weight{};
    unsigned short next = 0;
    for (int c = 0; c < 32; ++c)
        weight[c] = next++;
    weight[' '] = next++;
    for (int c = 33; c < 127; ++c)
        if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z'))
            weight[c] = next++;
    weight[127] = next++;
    for (int c = '0'; c <= '9'; ++c)
        weight[c] = next++;
    for (int c = 'A'; c <= 'Z'; ++c) {
        weight[c] = next;
        weight[c - 'A' + 'a'] = next++;
    }
    for (int c = 128; c < 256; ++c)
        weight[c] = next++;
    return weight;
}

const std::array<unsigned short, 256> kWeights = makeWeights();

} // namespace

bool listBoxLess(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned short wa = kWeights[static_cast<unsigned char>(a[i])];
        unsigned short wb = kWeights[static_cast<unsigned char>(b[i])];
        if (wa != wb)
            return wa < wb;
    }
    return a.size() < b.size();
}

} // namespace ds
