#pragma once
// A radio group: a titled box of radio buttons, one of them chosen, read and
// set by its index as one control.
#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;

namespace platform {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The first item is chosen. The items stand in `columns` columns, row by row.
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr, int columns = 1);

    int itemIndex() const;
    // Chooses an item without a click event.
    void setItemIndex(int index);
    // The item's button, for tests that click it.
    QAbstractButton* item(int index) const;

signals:
    // The user clicked an item.
    void clicked(int index);

private:
    QButtonGroup* buttons_ = nullptr;
};

} // namespace platform
