#pragma once
// "UPDATE DATASHEET": the UPDATE file's datasheet of the station clicked in
// the Station Lists window. A click in its memo prints the datasheet.
#include "pellorin/datasheet_viewer.h"

namespace pellorin {

class TFUpDS : public DatasheetViewer {
    Q_OBJECT
public:
    // Becomes FUpDS.
    explicit TFUpDS(QWidget* parent = nullptr);
    ~TFUpDS() override;

    QPlainTextEdit* UpMemo = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TFUpDS* FUpDS;

} // namespace pellorin
