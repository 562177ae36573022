#pragma once
// One set of drive, directory, filter and file pickers, as the programs'
// windows use to choose datasheet files on disk:
//   drive combo     the machine's mounted volumes and the current directory
//                   (platform::listDrives); choosing one opens its root
//   directory list  the folders of the drive as a tree; a click opens one
//   filter combo    "Name(mask)|mask|Name(mask)|mask" pairs; ';' separates
//                   masks, which match case-insensitively ("*.dat" shows
//                   AZ001.DAT too) and "*.*" matches every name
//   file list       the files of the directory that match the mask, in
//                   case-insensitive name order; a click reports the file
// The file list is read from the directory at once whenever the directory or
// the mask changes, and again when the directory changes on disk, so its
// entries can be read and selected straight after setDirectory. The
// controls are public so that a form can name, hide and show them one by
// one; the widget lays them out in one of two arrangements.
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QFileSystemModel;
class QFileSystemWatcher;
class QListWidget;
class QTreeView;

namespace platform {

class FilePicker : public QWidget {
    Q_OBJECT
public:
    enum class Arrangement {
        Column, // drive, directories, files, filter, one above the other
        Grid    // directories | files above drive | filter
    };

    explicit FilePicker(QWidget* parent = nullptr, Arrangement arrangement = Arrangement::Column);
    ~FilePicker() override;

    QComboBox* driveCombo = nullptr;
    QTreeView* directoryList = nullptr;
    QComboBox* filterCombo = nullptr;
    QListWidget* fileList = nullptr;

    // "Dsdata(*.dat)|*.dat|All files(*.*)|*.*": the first pair is chosen.
    void setFilter(const std::string& filter);
    // Chooses the filter combo's entry; the file list follows.
    void setFilterIndex(int index);
    int filterIndex() const;
    std::string mask() const;

    // The drive combo's entries (root paths).
    std::vector<std::string> drives() const;
    std::string drive() const;
    // Chooses a drive and opens its root. False for a path that is not an entry.
    bool setDrive(const std::string& root);

    std::string directory() const;
    // Opens a directory: the drive becomes the entry that holds it (the
    // longest root that is a prefix), the tree shows it, the file list is
    // read. False, and nothing changes, when it is not a directory.
    bool setDirectory(const std::string& path);

    // The file list: names in list order and full paths, with the bytes the
    // directory gave (a name that is not valid UTF-8 shows with replacement
    // characters, and keeps its own bytes here).
    std::vector<std::string> fileNames() const;
    int fileCount() const;
    std::string filePath(int row) const;

    // The selected row, -1 for none; setSelectedFile(-1) clears it.
    int selectedFile() const;
    void setSelectedFile(int row);
    // Full path of the selected file; empty when none is selected.
    std::string selectedPath() const;

    // Selects a row and reports it as a user's click does.
    void clickFile(int row);

    // Reads the file list again (the selection stays on the same name).
    void refreshFiles();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A file was clicked; `path` is its full path.
    void fileClicked(const QString& path);
    void directoryChanged(const QString& path);

private:
    void openDrive(int index);
    void directoryClicked(const QModelIndex& index);
    void selectDriveFor(const std::string& path);
    void showDirectory();
    void revealDirectory();

    QFileSystemModel* dirModel_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    std::vector<std::string> masks_;      // one entry per filter pair
    std::string directory_;
    bool revealPending_ = false;
};

// True when `name` matches one of the ';'-separated wildcard masks ('*' any
// run, '?' one character), compared case-insensitively (ASCII letters).
// "*.*" and "*" match every name.
bool matchesFileMask(const std::string& name, const std::string& masks);

} // namespace platform
