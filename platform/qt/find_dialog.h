#pragma once
// The viewers' find dialog: a find text, Match case, Find Next and Cancel.
// It is modeless: Find Next emits findNext() and the dialog stays open;
// Cancel (or Esc) hides it. Find Next is disabled while the text is empty.
// Tests drive it through its controls.
#include <QDialog>

#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace platform {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    std::string findText() const;
    bool matchCase() const;

    QLineEdit* textEdit = nullptr;
    QCheckBox* matchCaseBox = nullptr;
    QPushButton* findNextButton = nullptr;
    QPushButton* cancelButton = nullptr;

signals:
    void findNext();
};

// What Find Next finds in a memo's lines: the memo position (a line break
// counts 2) of the first occurrence of `text` on a line that starts at or
// after `start`, so a further occurrence on the line where `start` falls is
// passed over. Without matchCase the text and the lines are compared in
// upper case (ASCII letters only; other bytes as they are). -1 when none.
int findInMemoLines(const std::vector<std::string>& lines, int start, std::string_view text, bool matchCase);

} // namespace platform
