#pragma once
// A simple combo box: an edit field over a list that is always open. A
// click on a line of the list puts that line into the field; the user may
// also type any other text. The list's selected line is the one equal to
// the field's text, or none.
#include <QWidget>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace platform {

class SimpleComboBox : public QWidget {
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget* parent = nullptr);

    void setItems(const std::vector<std::string>& items);
    int count() const;
    std::string itemText(int row) const;
    // The row of the line equal to the text, -1 for none.
    int findText(const std::string& text) const;

    std::string text() const;
    // Shows the text; selects the list line equal to it, if any.
    void setText(const std::string& text);

    // The selected list line, -1 for none.
    int currentIndex() const;
    // Selects a line and puts it into the field; -1 (or a row out of range)
    // clears the selection and leaves the text.
    void setCurrentIndex(int row);

    QLineEdit* edit() const { return edit_; }
    QListWidget* list() const { return list_; }

signals:
    void textChanged();

private:
    void selectMatching();

    QLineEdit* edit_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace platform
