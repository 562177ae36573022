#pragma once
// The hidden frame that keeps the state every Morvane window shares: the
// chosen CD-ROM drive (a root path) and state, the county-list path, the
// last directory and working directory, the current file, the output
// format, the station-type code, the file-exists answer and the help mode.
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/line_reader.h"

class TFFile : public QWidget {
    Q_OBJECT
public:
    explicit TFFile(QWidget* parent = nullptr);
    ~TFFile() override;

    // Clears the drive, state, county-list path, output format, type code
    // and file-exists answer, and sets the working directory to the
    // process's current directory. The last directory, the current file and
    // the help mode survive it.
    void ResetFileState();

    void SetLastDir(const std::string& dir) { LastDir = dir; }
    std::string GetLastDir() const { return LastDir; }
    void SetWorkDir(const std::string& dir) { WorkDir = dir; }
    std::string GetWorkDir() const { return WorkDir; }
    void SetFileName(const std::string& name) { CurrentFile = name; }
    std::string GetFileName() const { return CurrentFile; }
    // The datasheet file last chosen to split; the current file moves on to
    // the index once one is made or edited.
    void SetSplitFile(const std::string& name) { SplitFile = name; }
    std::string GetSplitFile() const { return SplitFile; }
    // The datasheet files Morvane reads as its input: the file to split and
    // the files listed for a join (the selected CD-ROM counties, the Disk
    // window's lines). Its settings and index files are never written over them.
    std::vector<std::string> InputsInUse() const;
    // A drive is the root path of a mounted volume.
    void SetDrive(const std::string& drive) { Drive = drive; }
    std::string GetDrive() const { return Drive; }
    // Keeps the first two characters.
    void SetState(const std::string& state) { State = state.substr(0, 2); }
    std::string GetState() const { return State; }
    // The county list of `State` on `Drive`, in the directory of the first
    // code table that holds the code. A code of no table leaves the path as it was.
    void MakeCountyListPath();
    std::string GetCountyListPath() const { return CountyListPath; }
    void SetHelpMode(int mode) { HelpMode = mode; }
    int GetHelpMode() const { return HelpMode; }
    void SetOutputFormat(int format) { OutputFormat = format; }
    int GetOutputFormat() const { return OutputFormat; }
    void SetExistAnswer(char answer) { ExistAnswer = answer; }
    char GetExistAnswer() const { return ExistAnswer; }

    // The station-type code; empty counts as "X-0".
    std::string GetTypeCode() const { return TypeCode; }
    void SetTypeCode(const std::string& code) { TypeCode = code.substr(0, 3); }
    // Keeps the code's first character, then '-' and the order character.
    void SetTypeOrder(char order);
    // Whether the station whose datasheet is at the offset of the open file
    // is of the type code's kind; the file's position is kept.
    bool StationMatchesType(const std::string& pid, platform::LineReader& file, std::uint64_t offset) const;

    // Morvane's build of the shared datasheet routines.
    static bool IsDatasheetFile(const std::string& path);
    static bool IsStateCode(const std::string& code);
    static bool IsPacificCode(const std::string& code);
    static bool IsOutsideCode(const std::string& code);

private:
    std::string LastDir;
    std::string CurrentFile;
    std::string SplitFile;
    std::string WorkDir;
    // Cleared as one block by ResetFileState.
    std::string Drive;
    std::string State;
    std::string CountyListPath;
    int OutputFormat = 0;
    std::string TypeCode;
    char ExistAnswer = 0;
    int HelpMode = 0;
};

extern TFFile* FFile;
