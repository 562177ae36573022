#include "platform/qt/file_dialogs.h"

#include "platform/files.h"
#include "platform/qt/text.h"

#include <QDebug>
#include <QFileDialog>

#include <deque>

namespace platform {

namespace {

bool testMode = false;
std::deque<std::string> answers;
int underflows = 0;
std::string lastDirectory;
std::string lastFileName;
std::string lastCaption;
std::string lastFilter;

enum class Kind { Open, Save };

std::string runDialog(Kind kind, QWidget* parent, const std::string& caption, const std::string& directory,
                      const std::string& fileName, const std::string& filter = {})
{
    lastDirectory = directory;
    lastFileName = fileName;
    lastCaption = caption;
    lastFilter = filter;
    if (testMode) {
        if (answers.empty()) {
            ++underflows;
            qWarning() << "file dialog: no answer queued for" << toQ(caption);
            return {};
        }
        std::string answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    const std::string start = fileName.empty() ? directory
                              : fileName.front() == '/' ? fileName
                                                        : joinPath(directory, fileName);
    const QString chosen = kind == Kind::Open
        ? QFileDialog::getOpenFileName(parent, toQ(caption), pathToQ(start), qtFileFilter(filter))
        : QFileDialog::getSaveFileName(parent, toQ(caption), pathToQ(start), QString(), nullptr,
                                       QFileDialog::DontConfirmOverwrite);
    return pathFromQ(chosen);
}

} // namespace

std::string openFileName(QWidget* parent, const std::string& caption, const std::string& directory,
                         const std::string& fileName, const std::string& filter)
{
    return runDialog(Kind::Open, parent, caption, directory, fileName, filter);
}

QString qtFileFilter(const std::string& filter)
{
    QStringList parts = toQ(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Patterns match names in any case, as on the discs' home system.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern == QStringLiteral("*.*")) {
                patterns = QStringList{QStringLiteral("*")};
                break;
            }
            for (const QString& spelling : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(spelling))
                    patterns << spelling;
        }
        filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

std::string saveFileName(QWidget* parent, const std::string& caption, const std::string& directory,
                         const std::string& fileName)
{
    return runDialog(Kind::Save, parent, caption, directory, fileName);
}

void setFileDialogTestMode(bool on)
{
    testMode = on;
    answers.clear();
    underflows = 0;
}

void queueFileAnswer(std::string path)
{
    answers.push_back(std::move(path));
}

std::size_t queuedFileAnswers()
{
    return answers.size();
}

int fileAnswerUnderflows()
{
    return underflows;
}

const std::string& lastFileDialogDirectory()
{
    return lastDirectory;
}

const std::string& lastFileDialogFileName()
{
    return lastFileName;
}

const std::string& lastFileDialogCaption()
{
    return lastCaption;
}

const std::string& lastFileDialogFilter()
{
    return lastFilter;
}

} // namespace platform
