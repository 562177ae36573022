#include "platform/qt/file_picker.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/files.h"
#include "platform/qt/text.h"

namespace platform {

namespace {

unsigned char lowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Wildcard match without recursion blow-up: the usual backtrack to the last '*'.
bool wildcardMatch(const std::string& name, const std::string& mask)
{
    std::size_t n = 0, m = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            star = m++;
            resume = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || lowerAscii(static_cast<unsigned char>(mask[m])) ==
                                          lowerAscii(static_cast<unsigned char>(name[n])))) {
            ++m;
            ++n;
        } else if (star != std::string::npos) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

// A file row keeps the name's bytes as the directory gave them: a name that
// is not valid UTF-8 (Latin-1 from an old disc or archive) shows with
// replacement characters, which would name no file.
constexpr int kNameRole = Qt::UserRole + 1;

std::string itemName(const QListWidgetItem& item)
{
    const QVariant bytes = item.data(kNameRole);
    if (!bytes.isValid())
        return pathFromQ(item.text());
    const QByteArray name = bytes.toByteArray();
    return std::string(name.constData(), static_cast<std::size_t>(name.size()));
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string absoluteClean(const std::string& path)
{
    return pathFromQ(QDir::cleanPath(QFileInfo(pathToQ(path)).absoluteFilePath()));
}

// True when `root` is `path` or one of its ancestors.
bool holds(const std::string& root, const std::string& path)
{
    if (root == "/")
        return !path.empty() && path[0] == '/';
    return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                            path[root.size()] == '/');
}

} // namespace

bool matchesFileMask(const std::string& name, const std::string& masks)
{
    std::size_t start = 0;
    while (start <= masks.size()) {
        std::size_t end = masks.find(';', start);
        if (end == std::string::npos)
            end = masks.size();
        const std::string mask = trimmed(masks.substr(start, end - start));
        if (mask == "*.*" || mask == "*")
            return true;
        if (!mask.empty() && wildcardMatch(name, mask))
            return true;
        start = end + 1;
    }
    return false;
}

FilePicker::FilePicker(QWidget* parent, Arrangement arrangement) : QWidget(parent)
{
    driveCombo = new QComboBox(this);
    directoryList = new QTreeView(this);
    filterCombo = new QComboBox(this);
    fileList = new QListWidget(this);

    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirModel_->setReadOnly(true);
    directoryList->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column)
        directoryList->hideColumn(column);
    directoryList->setHeaderHidden(true);
    directoryList->setSelectionMode(QAbstractItemView::SingleSelection);
    directoryList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    directoryList->setSortingEnabled(true);
    directoryList->sortByColumn(0, Qt::AscendingOrder);

    fileList->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList->setUniformItemSizes(true);

    watcher_ = new QFileSystemWatcher(this);

    if (arrangement == Arrangement::Column) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(driveCombo);
        column->addWidget(directoryList, 1);
        column->addWidget(fileList, 1);
        column->addWidget(filterCombo);
    } else {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(directoryList, 0, 0);
        grid->addWidget(fileList, 0, 1);
        grid->addWidget(driveCombo, 1, 0);
        grid->addWidget(filterCombo, 1, 1);
        grid->setRowStretch(0, 1);
    }

    for (const std::string& root : listDrives())
        driveCombo->addItem(pathToQ(root));

    connect(driveCombo, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { openDrive(index); });
    connect(directoryList, &QTreeView::clicked, this, [this](const QModelIndex& index) { directoryClicked(index); });
    connect(filterCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { refreshFiles(); });
    connect(fileList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const std::string path = filePath(fileList->row(item));
        emit fileClicked(pathToQ(path));
    });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { refreshFiles(); });
    // The model lists folders in the background: once a folder on the way to
    // the directory is read, the directory can be shown.
    // The model also sorts folders in the background, moving rows after a
    // scroll: until the user takes the tree in hand, keep the directory shown.
    connect(dirModel_, &QAbstractItemModel::layoutChanged, this, [this] {
        if (revealPending_)
            revealDirectory();
    });
    directoryList->viewport()->installEventFilter(this);
    directoryList->verticalScrollBar()->installEventFilter(this);
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        // After the view has laid out the folder's rows.
        if (revealPending_ && holds(pathFromQ(loaded), directory_))
            QTimer::singleShot(0, this, [this] {
                if (revealPending_)
                    revealDirectory();
            });
    });

    setDirectory(currentDirectory());
}

FilePicker::~FilePicker() = default;

void FilePicker::setFilter(const std::string& filter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    QSignalBlocker block(filterCombo);
    filterCombo->clear();
    masks_.clear();
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        filterCombo->addItem(toQ(parts[i]));
        masks_.push_back(parts[i + 1]);
    }
    filterCombo->setCurrentIndex(masks_.empty() ? -1 : 0);
    refreshFiles();
}

void FilePicker::setFilterIndex(int index)
{
    filterCombo->setCurrentIndex(index); // currentIndexChanged re-reads the list
}

int FilePicker::filterIndex() const
{
    return filterCombo->currentIndex();
}

std::string FilePicker::mask() const
{
    const int index = filterCombo->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= masks_.size())
        return "*";
    return masks_[static_cast<std::size_t>(index)];
}

std::vector<std::string> FilePicker::drives() const
{
    std::vector<std::string> roots;
    for (int i = 0; i < driveCombo->count(); ++i)
        roots.push_back(pathFromQ(driveCombo->itemText(i)));
    return roots;
}

std::string FilePicker::drive() const
{
    return pathFromQ(driveCombo->currentText());
}

bool FilePicker::setDrive(const std::string& root)
{
    const int index = driveCombo->findText(pathToQ(root), Qt::MatchExactly);
    if (index < 0)
        return false;
    openDrive(index);
    return true;
}

void FilePicker::openDrive(int index)
{
    const std::string root = pathFromQ(driveCombo->itemText(index));
    if (!setDirectory(root)) {
        // A drive that cannot be opened (a medium taken out): stay where we were.
        selectDriveFor(directory_);
        return;
    }
    // setDirectory picks the longest root holding the path; the user chose this one.
    QSignalBlocker block(driveCombo);
    driveCombo->setCurrentIndex(index);
    showDirectory();
}

std::string FilePicker::directory() const
{
    return directory_;
}

bool FilePicker::setDirectory(const std::string& path)
{
    if (path.empty() || !isDirectory(path))
        return false;
    const std::string clean = absoluteClean(path);
    if (!directory_.empty())
        watcher_->removePath(pathToQ(directory_));
    directory_ = clean;
    watcher_->addPath(pathToQ(directory_));

    revealPending_ = true;
    selectDriveFor(directory_);
    refreshFiles();
    emit directoryChanged(pathToQ(directory_));
    return true;
}

void FilePicker::selectDriveFor(const std::string& path)
{
    int best = -1;
    std::size_t bestLength = 0;
    for (int i = 0; i < driveCombo->count(); ++i) {
        const std::string root = pathFromQ(driveCombo->itemText(i));
        if (holds(root, path) && (best < 0 || root.size() > bestLength)) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0) {
        QSignalBlocker block(driveCombo);
        driveCombo->setCurrentIndex(best);
    }
    showDirectory();
}

void FilePicker::showDirectory()
{
    const QString root = driveCombo->currentText();
    if (dirModel_->rootPath() != root) {
        dirModel_->setRootPath(root);
        directoryList->setRootIndex(dirModel_->index(root));
    }
    revealDirectory();
}

bool FilePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel ||
        event->type() == QEvent::KeyPress)
        revealPending_ = false;
    return QWidget::eventFilter(watched, event);
}

void FilePicker::revealDirectory()
{
    const QModelIndex current = dirModel_->index(pathToQ(directory_));
    if (!current.isValid() || current == directoryList->rootIndex()) {
        directoryList->clearSelection();
        return;
    }
    // The folders from the drive's root down to the directory stand open.
    for (QModelIndex parent = current.parent(); parent.isValid() && parent != directoryList->rootIndex();
         parent = parent.parent())
        directoryList->expand(parent);
    directoryList->setCurrentIndex(current);
    directoryList->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void FilePicker::directoryClicked(const QModelIndex& index)
{
    const std::string path = pathFromQ(dirModel_->filePath(index));
    if (path != directory_)
        setDirectory(path);
    directoryList->expand(index);
}

std::vector<std::string> FilePicker::fileNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < fileList->count(); ++i)
        names.push_back(itemName(*fileList->item(i)));
    return names;
}

int FilePicker::fileCount() const
{
    return fileList->count();
}

std::string FilePicker::filePath(int row) const
{
    if (row < 0 || row >= fileList->count())
        return {};
    return joinPath(directory_, itemName(*fileList->item(row)));
}

int FilePicker::selectedFile() const
{
    const auto selected = fileList->selectedItems();
    return selected.isEmpty() ? -1 : fileList->row(selected.first());
}

void FilePicker::setSelectedFile(int row)
{
    if (row < 0 || row >= fileList->count()) {
        fileList->clearSelection();
        return;
    }
    fileList->setCurrentRow(row);
    fileList->scrollToItem(fileList->item(row));
}

std::string FilePicker::selectedPath() const
{
    return filePath(selectedFile());
}

void FilePicker::clickFile(int row)
{
    if (row < 0 || row >= fileList->count())
        return;
    setSelectedFile(row);
    emit fileClicked(pathToQ(filePath(row)));
}

void FilePicker::refreshFiles()
{
    const int selected = selectedFile();
    const std::string keep = selected >= 0 ? itemName(*fileList->item(selected)) : std::string();

    std::vector<std::string> names;
    if (!directory_.empty()) {
        const std::string masks = mask();
        std::vector<std::string> entries;
        listDirectory(directory_, entries);
        for (const std::string& name : entries) {
            if (name.empty() || name[0] == '.')
                continue; // hidden files, as the system's file lists leave them out
            if (isRegularFile(joinPath(directory_, name)) && matchesFileMask(name, masks))
                names.push_back(name);
        }
        std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return lowerAscii(static_cast<unsigned char>(x)) < lowerAscii(static_cast<unsigned char>(y));
            });
        });
    }

    fileList->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(pathToQ(name), fileList);
        item->setData(kNameRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
        if (!keep.empty() && name == keep)
            fileList->setCurrentItem(item);
    }
}

} // namespace platform
