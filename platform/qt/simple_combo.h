#pragma once
// A combo box of the simple style: an edit field over a list that is always
// open. Picking a list item puts its text into the field; the text is what
// the user typed or picked.
#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace platform {

class SimpleCombo : public QWidget {
    Q_OBJECT
public:
    explicit SimpleCombo(QWidget* parent = nullptr);

    void addItems(const QStringList& items);
    int count() const;
    QString itemText(int index) const;
    // Index of the item with exactly this text, -1 when none.
    int findText(const QString& text) const;
    // Selects the item and puts its text into the field.
    void setCurrentIndex(int index);
    int currentIndex() const;

    QString text() const;
    void setText(const QString& text);

    QLineEdit* Edit = nullptr;
    QListWidget* List = nullptr;
};

} // namespace platform
