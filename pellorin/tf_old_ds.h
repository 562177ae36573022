#pragma once
// "OLD DATASHEET": the OLD file's datasheet of the station clicked in the
// Station Lists window.
#include "pellorin/datasheet_viewer.h"

namespace pellorin {

class TFOldDS : public DatasheetViewer {
    Q_OBJECT
public:
    // Becomes FOldDS.
    explicit TFOldDS(QWidget* parent = nullptr);
    ~TFOldDS() override;

    QPlainTextEdit* OldMemo = nullptr;
};

extern TFOldDS* FOldDS;

} // namespace pellorin
