#pragma once
// The texts of a list box's rows, in order, for comparing with a table.
#include <QListWidget>

#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::string> itemTexts(const QListWidget& list)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.count(); ++row)
        texts.push_back(list.item(row)->text().toStdString());
    return texts;
}

} // namespace testsupport
