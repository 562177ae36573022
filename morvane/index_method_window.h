#pragma once
// The body the three index split windows share: a radio group of the index
// actions (create the default index, edit it, split by it), Okay and Help.
#include <QWidget>

#include <string>

class QPushButton;
namespace morvane {
class RadioGroup;
}

namespace morvane {

class IndexMethodWindow : public QWidget {
    Q_OBJECT
public:
    // `kind` "QUAD", "COUNTY" or "AREA"; `helpMode` the help mode of its Help.
    IndexMethodWindow(const QString& caption, const QString& groupCaption, const QStringList& items,
                      std::string kind, int helpMode, QWidget* parent);

    RadioGroup* Options = nullptr;
    QPushButton* Okay = nullptr;
    QPushButton* HelpButton = nullptr;

    // Item 0 creates the default index, item 1 edits it, item 2 splits by it.
    void OkayClick();
    // Sets the window's help mode and shows the help window.
    void ShowHelp();

    const std::string& kind() const { return kind_; }

private:
    std::string kind_;
    int helpMode_;
};

} // namespace morvane
