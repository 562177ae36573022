#pragma once
// The never-shown window that holds the PID/offset index of the loaded file.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "datasheet/offset_index.h"
#include "platform/qt/line_list_view.h"

class TFOffsets : public QWidget {
    Q_OBJECT
public:
    explicit TFOffsets(QWidget* parent = nullptr);
    ~TFOffsets() override;

    platform::LineListView* LocList = nullptr;

    int GetLocCount() const { return static_cast<int>(LocList->lines().size()); }
    // Byte offset of the station's header line; -1 after a notice when the
    // PID is not in the index.
    std::int64_t FindOffset(const std::string& pid) const;

private:
    std::unique_ptr<ds::OffsetIndex> index_;
};

extern TFOffsets* FOffsets;
