#pragma once
// "Split Methods": the six ways of splitting a datasheet file; Okay opens
// the chosen method's window. It also runs the index-driven split.
#include <QWidget>

#include <string>
#include <vector>

#include "morvane/core/index_files.h"

class QPushButton;
namespace platform {
class RadioGroup;
}

class TFSplitOptions : public QWidget {
    Q_OBJECT
public:
    explicit TFSplitOptions(QWidget* parent = nullptr);
    ~TFSplitOptions() override;

    platform::RadioGroup* SplitOptions = nullptr;
    QPushButton* Okay = nullptr;

    void OkayClick();

    // Splits the file chosen in "OPEN FILE TO SPLIT" by the index of the
    // kind ("QUAD", "COUNTY", "AREA") into dsdata.NNN files.
    void RunIndexSplit(const std::string& kind);
    // The open dialog of the index file while no output directory is
    // known; a chosen file's directory becomes it. False when cancelled.
    bool OpenIndexDialog(const std::string& indexName);
    // The loops of the three kinds over the input, by the index's lines.
    bool SplitByQuad(const std::vector<std::string>& index, const std::string& input);
    bool SplitByCounty(const std::vector<std::string>& index, const std::string& input);
    bool SplitByArea(const std::vector<std::string>& index, const std::string& input);

private:
    bool splitBy(morvane::IndexKind kind, const std::vector<std::string>& index, const std::string& input);
};

extern TFSplitOptions* FSplitOptions;
