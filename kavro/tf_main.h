#pragma once
// Kavro's main window: the title, the prompt line, the File and Help menus and
// the hidden controls of the CD-ROM steps (drive, state, county).
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "datasheet/station_loader.h"
#include "platform/file_identity.h"
#include "platform/line_reader.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QFrame;

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    // Controls (names as in the window's layout).
    QMenu* File = nullptr;
    QAction* CDROM1 = nullptr;
    QAction* Disk1 = nullptr;
    QAction* Help1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Title = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* DriveCombo = nullptr;
    QPushButton* DriveOk = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* StatesCombo = nullptr;
    QPushButton* StateOK = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* CountiesCombo = nullptr;
    QPushButton* CountyOK = nullptr;
    QLabel* Panel1 = nullptr;

    // Handlers.
    void FileClick();
    void DrivePrompt();
    void FilePrompt();
    void HelpClicked();
    void DriveClicked();
    void StatesInit();
    void StateClicked();
    void CountyClicked();
    void DriveOKClick();
    void StateOKClick();
    void CountyOKClick(QObject* Sender);
    void FormClose();

    void ResetView();
    void HideAll();

    // The type dialog's OK button, set by that dialog. CountyOKClick with it
    // as the sender reloads the data file in use into the results (mode 1).
    QObject* typeOkButton = nullptr;

    // The country table's two-way lookup ("to_name", "to_code").
    std::string CodeLookup(const std::string& text, const std::string& direction) const;
    static bool isStateDir(const std::string& name);

    // Loads the file into the station list (mode 0) or, through the type
    // test of the type code, into the results (mode 1). Returns false when
    // the file could not be read; the lists are then empty.
    bool LoadStationList(const std::string& path, int mode);
    void CheckMisaligned(const std::string& path, bool* opened = nullptr);
    void FixMisaligned(const std::string& path);
    void ShowRawFile(const std::string& path);

    std::string GetDataPath() const { return DataPath; }
    // The data file as the last load read it.
    const platform::FileIdentity& GetDataIdentity() const { return DataIdentity; }
    // Whether the data file is still the one the last load read; when not,
    // a notice asks to load it again. Work that reads it by offset asks first.
    bool DataFileUnchanged(const std::string& path) const;
    bool DataFileUnchanged() const { return DataFileUnchanged(DataPath); }
    std::string GetDrive() const { return DriveLetter; }
    std::string GetTypeCode() const { return TypeCode; }
    void SetTypeCode(const std::string& code) { TypeCode = code.substr(0, 3); }
    // Keeps the code's first character, then '-' and the order character.
    void SetTypeOrder(char order);
    // Whether the station whose datasheet is at the offset of the open file
    // is of the type code's kind. The file's position is kept.
    bool StationMatchesType(const std::string& pid, platform::LineReader& file, std::uint64_t offset);
    std::string GetChosenFile() const { return ChosenFile; }
    std::string GetLastDir() const { return LastDir; }

    // The prompt line's text.
    QString prompt() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setPrompt(const char* text);
    void clearNavigation();
    void initCountryCodes();

    // Holds the drive, state and county controls; hidden with them, so that
    // the title has the window to itself.
    QWidget* stepsPanel_ = nullptr;
    std::string Msg;
    std::string LastDir;
    std::string ChosenFile;
    // Navigation block: cleared as a whole by the constructor and ResetView.
    std::string DriveLetter; // the chosen drive's root path
    std::string StateCode;
    std::string CountyFile;
    std::string DataPath;
    platform::FileIdentity DataIdentity;
    std::string TypeCode;
    std::vector<std::string> CountryCodes;
};

extern TFMain* FMain;
