#pragma once
// Open and save dialogs (no file filter). Each returns the chosen path, or
// empty text when the user cancels. The dialog opens in `directory` with
// `fileName` (a name in it, or a full path) proposed. In test mode the
// answers come from a queue (empty text = cancel) and no dialog is shown.
// Every call records what it was given, so tests can check it. A chosen name
// keeps the bytes of the existing file it names, also when they are not
// valid UTF-8 (the dialog shows such a name with replacement characters).
#include <QWidget>

#include <cstddef>
#include <string>

namespace platform {

// `filter`: pairs of a description and a pattern, all '|'-separated, as
// "Datasheet files|*.*" ("*.*" stands for every file); empty for none.
std::string openFileName(QWidget* parent, const std::string& caption, const std::string& directory,
                         const std::string& fileName = {}, const std::string& filter = {});
// Does not ask about an existing file: the programs ask that themselves.
std::string saveFileName(QWidget* parent, const std::string& caption, const std::string& directory,
                         const std::string& fileName = {});

// Switching test mode on or off empties the queue and zeroes the count below.
void setFileDialogTestMode(bool on);
void queueFileAnswer(std::string path);
// An answer as the dialog itself gives it, as text; it goes through the
// same mapping back to the bytes of an existing name as a real dialog's.
void queueFileAnswerText(const QString& path);
std::size_t queuedFileAnswers();
// Dialogs that found the queue empty in test mode; each answered cancel.
int fileAnswerUnderflows();

const std::string& lastFileDialogDirectory();
const std::string& lastFileDialogFileName();
const std::string& lastFileDialogCaption();
const std::string& lastFileDialogFilter();

// The bytes of a path that a dialog gave, or a box shows, as text. A name
// that is not valid UTF-8 (a Latin-1 name from an old disc) reads with
// replacement characters, and the text no longer spells its bytes: each
// component that does not exist as spelled is looked up among its
// directory's entries that read as the same text. `proposed`, when the text
// reads as it, comes first. Where several entries read alike, First takes
// the first in name order, Refuse none. A component that no entry matches
// is a new name, spelled as the text is.
enum class AlikeNames { First, Refuse };
std::string pathFromShownText(const QString& text, const std::string& proposed = {},
                              AlikeNames alike = AlikeNames::First);

// The Qt form of a '|'-separated filter: "Datasheet files (*)".
QString qtFileFilter(const std::string& filter);

} // namespace platform
