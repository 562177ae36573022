#pragma once
// The station list window: one station-list line per station of the loaded
// file. It also holds the state that the save, search and type dialogs of
// the other windows share, reached through the accessors below.
#include <QMainWindow>
#include <string>

#include "platform/qt/line_list_view.h"

class TFList : public QMainWindow {
    Q_OBJECT
public:
    explicit TFList(QWidget* parent = nullptr);
    ~TFList() override;

    platform::LineListView* MarksList = nullptr;

    int GetStationCount() const { return static_cast<int>(MarksList->lines().size()); }
    void SetSaveSource(int source) { SaveSource = source; }
    int GetSaveSource() const { return SaveSource; }
    void SetOutputFile(const std::string& path) { OutputFile = path; }
    std::string GetOutputFile() const { return OutputFile; }
    void SetSearchMode(int mode) { SearchMode = mode; }
    int GetSearchMode() const { return SearchMode; }
    void SetOutputFormat(int format) { OutputFormat = format; }
    int GetOutputFormat() const { return OutputFormat; }
    void SetExistAnswer(char answer) { ExistAnswer = answer; }
    char GetExistAnswer() const { return ExistAnswer; }

private:
    std::string SaveName;
    std::string SaveDir;
    std::string LineBuf;
    std::string Msg;
    std::string OutputFile;
    int SaveSource = 0;
    int OutputFormat = 0;
    char ExistAnswer = 0;
    int SearchMode = 0;
};

extern TFList* FList;
