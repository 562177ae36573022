#include "itempick/core/item_settings.h"

namespace itempick {

char DelimiterFromText(std::string_view boxText)
{
    if (boxText.empty() || boxText.front() == 'N')
        return ' ';
    if (boxText.front() == 't')
        return '\t';
    return boxText.front();
}

} // namespace itempick
