#pragma once
// The update: the OLD file rewritten with the UPDATE file's datasheets, its
// backup, and the SAVE and UNDO that follow.
//
// The merged file holds the old file's stations in their order, each
// replaced by the update's datasheet of its PID when the update holds one
// (the update's last such station, found from the end of the update list),
// then the update's other stations from the last to the first. In both
// files a station runs from its header line to where the next one opens
// (ds::StationRule): a header line, or a body line of another PID after a
// line that holds none (a station whose header line is damaged, replaced
// or copied on its own, with that line as its header). Its header and body
// lines (a blank, then an upper-case letter) are written, other lines are
// left out as between stations, except an old station's first line after
// its header. The old file's lines before its first station are kept,
// first, as they stand. Lines are written whole; only their line ends
// become CR LF (a CR before a header or a PID line ends a line).
//
// The merged file is made in a temporary file beside the OLD file. Only
// when it is complete does the backup take the whole old file (a hard link,
// or a copy across file systems, of a file with several names, or of one
// that is then written in place), replacing a former backup, and the merged
// file take the OLD file's place: in one rename, or in place where the
// directory's sticky bit keeps another user's file from being replaced (as
// every save writes it). A former backup keeps a second name until then,
// so that plrn0000.bak is never missing and a failed Commit puts it back as
// it was. On any failure the OLD file, the update file and a former backup
// are as they were (or the notice names the whole copy of the old data), the
// lists are unchanged and a notice names the file, the reason and every
// file it leaves.
#include <optional>
#include <string>

#include "pellorin/core/station_lists.h"
#include "platform/file_identity.h"
#include "platform/line_list.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace pellorin {

inline constexpr const char* kBackupName = "plrn0000.bak";

// The backup's path in the work directory ("/plrn0000.bak" without one).
std::string backupPathIn(const std::string& workDir);

// The read-only notice of the OLD file's pick ("The selected file") or the
// merge ("Yout Input file"), caption "ERROR".
std::string readOnlyText(std::string_view lead, const std::string& path);

// The notice of a Commit whose OLD file is no longer there, caption "ERROR".
std::string fileGoneText(const std::string& path);

// The OLD, UPDATE and backup paths must name three different files (the
// backup need not exist). Otherwise a "NOTICE" and false.
bool checkDistinctFiles(const std::string& oldPath, const std::string& upPath, const std::string& backupPath,
                        platform::NoticeSink& notices);

struct MergeInput {
    std::string oldPath;
    std::string upPath;
    std::string backupPath;
    // The files as they were loaded into the lists.
    platform::FileIdentity oldIdentity;
    platform::FileIdentity upIdentity;
    std::optional<UndesignatedStation> upUndesignated;
};

struct MergeLists {
    platform::LineList& oldList;
    platform::LineList& oldLocList;
    platform::LineList& upList;
    platform::LineList& upLocList;
};

// The files as a successful Commit left them, for the SAVE and UNDO that
// follow: each acts only on the backup that its own Commit made.
struct CommitResult {
    platform::FileIdentity merged;
    platform::FileIdentity backup;
};

// Runs the merge. On success: the update list and its offsets are empty,
// one "   NEW" line per appended station ends the old list, the old offset
// list holds the merged file's offsets for every old list line, and
// `committed` holds the merged file's and the backup's identities. When the
// merged file could not be given the OLD file's owner, group and mode, a
// "WARNING" says what it has.
bool MergeFiles(const MergeInput& input, MergeLists& lists, platform::NoticeSink& notices,
                platform::ProgressSink& progress, CommitResult& committed);

// SAVE: removes the backup; the "WARNING" boxes when it is missing or
// cannot be removed, or when it is no longer the backup of `committed` (another
// Commit has replaced it: it stays). True when it was removed.
bool SaveMerge(const std::string& oldPath, const std::string& backupPath, platform::NoticeSink& notices,
               const std::optional<CommitResult>& committed = std::nullopt);

// UNDO: puts the backup in place of the merged file in one step (or, where
// a rename cannot, by a whole copy through the shared writer); a merged file
// that is missing does not stop it. `committed` holds the files as Commit
// left them: a backup that is no longer that (another Commit in the same
// work directory has replaced it, or it was changed), or whose identity
// Commit could not read, is refused with an "ERROR" that says so, both
// files unchanged; an OLD file the user may write that cannot be opened for
// writing (a full disk) is a "NOTICE" with the reason, nothing changed; when the file at the OLD path
// is no longer the merged file (edited, or another file put in its place),
// a "WARNING" asks first, naming the backup, and No leaves both files as
// they are. Shows the "OKAY" box on success, else the "ERROR" or "NOTICE"
// box of the step that failed, with the reason and any file it leaves (the
// backup then stays in place). True on success.
bool UndoMerge(const std::string& oldPath, const std::string& backupPath, platform::NoticeSink& notices,
               const CommitResult& committed);

// The question of UNDO over a merged file that has changed since Commit.
std::string changedSinceCommitText(const std::string& oldPath, const std::string& backupPath);

// The refusal of UNDO when the backup is not the one its Commit made, and
// when Commit could not read the backup's identity.
std::string notThisBackupText(const std::string& backupPath);
std::string unknownBackupText(const std::string& backupPath);

// The "NOTICE" of UNDO when the file at the OLD path may be written but
// cannot be opened for writing now; `reason` is a reasonText.
std::string notWritableForUndoText(const std::string& oldPath, const std::string& backupPath,
                                   const std::string& reason);

// The reason of a failed file call for a notice ("\r\n      The disk is
// full."), from its error number; empty when it tells nothing more.
std::string reasonText(int error);

} // namespace pellorin
