#pragma once
// Pellorin's two datasheet viewers, built alike: a memo in the fixed font
// filling the window, a bottom panel with its caption and a stay-on-top
// box, and a menu "Print..." with "Print" and "Print SetUp...".
#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace pellorin {

class DatasheetViewer : public QMainWindow {
    Q_OBJECT
public:
    DatasheetViewer(const char* caption, const char* panelCaption, const char* topCaption, QWidget* parent);

    // Handlers.
    void PrintDSClick();
    void PrintSetupDsClick();
    void TopClicked();

    QPlainTextEdit* memo() const { return memo_; }
    void setLines(const std::vector<std::string>& lines);
    std::vector<std::string> lines() const;

    QMenu* Print1 = nullptr;
    QAction* PrintDS = nullptr;
    QAction* PrintSetupDs = nullptr;
    QLabel* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;

protected:
    QPlainTextEdit* memo_ = nullptr;
};

// Prints lines in a control's font with the lines per page of the print
// settings, with a progress window owned by `owner`.
void printPellorinLines(QWidget* owner, const std::vector<std::string>& lines, const QFont& font);

} // namespace pellorin
