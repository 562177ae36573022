#pragma once
// A radio group as the split windows have it: a captioned box of items,
// one of them checked, and the index of the checked one.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace morvane {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int checked, QWidget* parent);
    // -1 when none is checked.
    int itemIndex() const;
    void setItemIndex(int index);

private:
    QButtonGroup* buttons_;
};

} // namespace morvane
