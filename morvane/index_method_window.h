#pragma once
// The body the three index split windows share: a radio group of the index
// actions (create the default index, edit it, split by it), Okay and Help.
#include <QWidget>

#include <string>

#include "morvane/core/index_files.h"
#include "platform/line_reader.h"

class QPushButton;
namespace platform {
class RadioGroup;
}

namespace morvane {

// What one index split window shows, and the index it works on.
struct IndexMethodProfile {
    const char* caption;
    const char* groupCaption;
    const char* items[3]; // create the default index, edit it, split by it
    const char* kind;     // "QUAD", "COUNTY" or "AREA"
    int helpMode;         // the help mode of its Help
};

class IndexMethodWindow : public QWidget {
    Q_OBJECT
public:
    IndexMethodWindow(const IndexMethodProfile& profile, QWidget* parent);

    platform::RadioGroup* Options = nullptr;
    QPushButton* Okay = nullptr;
    QPushButton* HelpButton = nullptr;

    // Item 0 creates the default index, item 1 edits it, item 2 splits by it.
    void OkayClick();
    // Sets the window's help mode and shows the help window.
    void ShowHelp();

    const std::string& kind() const { return kind_; }

protected:
    // The default quad or county index of the open datasheet file, with a
    // progress window.
    DefaultIndex writeDefaultNameIndex(platform::LineReader& input, IndexKind kind);

private:
    std::string kind_;
    int helpMode_;
};

} // namespace morvane
