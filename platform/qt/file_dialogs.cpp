#include "platform/qt/file_dialogs.h"

#include "platform/files.h"
#include "platform/qt/text.h"

#include <QDebug>
#include <QFileDialog>

#include <deque>

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

// The bytes of a name that the dialog gave as text. The dialog shows a name
// that is not valid UTF-8 (a Latin-1 name from an old disc) with
// replacement characters, and its text no longer spells the name's bytes.
// Each component that does not exist as spelled is looked up among the
// directory's entries that read as the same text: the proposed name first,
// else the first in name order. A component that none matches is a new
// name, written as the text spells it.
std::string namedBytes(const QString& chosen, const std::string& proposed)
{
    const std::string spelled = pathFromQ(chosen);
    if (spelled.empty() || fileExists(spelled))
        return spelled;
    if (!proposed.empty() && pathToQ(proposed) == chosen)
        return proposed;
    const QStringList parts = chosen.split(QLatin1Char('/'));
    std::string path = chosen.startsWith(QLatin1Char('/')) ? "/" : "";
    bool found = true; // the path so far exists
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        std::string name = pathFromQ(part);
        if (found && !fileExists(joinPath(path, name))) {
            std::vector<std::string> entries;
            found = false;
            if (listDirectory(path.empty() ? "." : path, entries)) {
                for (const auto& entry : entries) {
                    if (pathToQ(entry) == part) {
                        name = entry;
                        found = true;
                        break;
                    }
                }
            }
        }
        path = joinPath(path, name);
    }
    return path;
}

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
        return answer.asText ? namedBytes(answer.text, start) : answer.bytes;
    }
    const QString chosen = kind == Kind::Open
        ? QFileDialog::getOpenFileName(parent, toQ(caption), pathToQ(start), qtFileFilter(filter))
        : QFileDialog::getSaveFileName(parent, toQ(caption), pathToQ(start), QString(), nullptr,
                                       QFileDialog::DontConfirmOverwrite);
    return namedBytes(chosen, start);
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
