#include "platform/qt/find_dialog.h"

#include "platform/qt/text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace platform {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    textEdit = new QLineEdit(this);
    label->setBuddy(textEdit);
    matchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
    findNextButton = new QPushButton(QStringLiteral("&Find Next"), this);
    findNextButton->setDefault(true);
    findNextButton->setEnabled(false);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(textEdit, 0, 1);
    layout->addWidget(findNextButton, 0, 2);
    layout->addWidget(matchCaseBox, 1, 0, 1, 2);
    layout->addWidget(cancelButton, 1, 2);

    connect(textEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { findNextButton->setEnabled(!text.isEmpty()); });
    connect(findNextButton, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::string FindDialog::findText() const
{
    return fromQ(textEdit->text());
}

bool FindDialog::matchCase() const
{
    return matchCaseBox->isChecked();
}

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

int findInMemoLines(const std::vector<std::string>& lines, int start, std::string_view text, bool matchCase)
{
    const std::string wanted = matchCase ? std::string(text) : upper(text);
    long long position = 0;
    for (const auto& line : lines) {
        if (position >= start) {
            const std::size_t found = matchCase ? line.find(wanted) : upper(line).find(wanted);
            if (found != std::string::npos)
                return static_cast<int>(position + static_cast<long long>(found));
        }
        position += static_cast<long long>(line.size()) + 2;
    }
    return -1;
}

} // namespace platform
