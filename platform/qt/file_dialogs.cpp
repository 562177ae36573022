#include "platform/qt/file_dialogs.h"

#include "platform/files.h"
#include "platform/qt/text.h"

#include <QDebug>
#include <QFileDialog>

#include <deque>
#include <vector>

namespace platform {

namespace {

// A queued answer: the chosen path's bytes, or the text a dialog would give.
struct Answer {
    std::string bytes;
    QString text;
    bool asText = false;
};

bool testMode = false;
std::deque<Answer> answers;
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
    const std::string start = fileName.empty() ? directory
                              : fileName.front() == '/' ? fileName
                                                        : joinPath(directory, fileName);
    if (testMode) {
        if (answers.empty()) {
            ++underflows;
            qWarning() << "file dialog: no answer queued for" << toQ(caption);
            return {};
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer.asText ? pathFromShownText(answer.text, start) : answer.bytes;
    }
    const QString chosen = kind == Kind::Open
        ? QFileDialog::getOpenFileName(parent, toQ(caption), pathToQ(start), qtFileFilter(filter))
        : QFileDialog::getSaveFileName(parent, toQ(caption), pathToQ(start), QString(), nullptr,
                                       QFileDialog::DontConfirmOverwrite);
    return pathFromShownText(chosen, start);
}

} // namespace

std::string pathFromShownText(const QString& text, const std::string& proposed, AlikeNames alike)
{
    const std::string spelled = pathFromQ(text);
    if (spelled.empty() || fileExists(spelled))
        return spelled;
    if (!proposed.empty() && pathToQ(proposed) == text)
        return proposed;
    const QStringList parts = text.split(QLatin1Char('/'));
    std::string path = text.startsWith(QLatin1Char('/')) ? "/" : "";
    bool found = true; // the path so far exists
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        std::string name = pathFromQ(part);
        if (found && !fileExists(joinPath(path, name))) {
            std::vector<std::string> entries;
            listDirectory(path.empty() ? "." : path, entries);
            int alikeCount = 0;
            for (const auto& entry : entries) {
                if (pathToQ(entry) == part && ++alikeCount == 1)
                    name = entry;
            }
            found = alikeCount == 1 || (alikeCount > 1 && alike == AlikeNames::First);
            if (!found)
                name = pathFromQ(part);
        }
        path = joinPath(path, name);
    }
    return path;
}

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
    answers.push_back({std::move(path), {}, false});
}

void queueFileAnswerText(const QString& path)
{
    answers.push_back({{}, path, true});
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
