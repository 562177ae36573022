#include "morvane/tf_file.h"

#include <QListWidget>

#include "datasheet/cdrom.h"
#include "datasheet/code_tables.h"
#include "datasheet/datasheet_format.h"
#include "datasheet/type_filter.h"
#include "morvane/tf_disk.h"
#include "morvane/tf_main.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "platform/qt/memo.h"

TFFile* FFile = nullptr;

TFFile::TFFile(QWidget* parent) : QWidget(parent)
{
    FFile = this;
    setVisible(false);
    CurrentFile.clear();
    WorkDir.clear();
    ResetFileState();
    platform::setInputsInUse([] { return FFile ? FFile->InputsInUse() : std::vector<std::string>{}; });
}

TFFile::~TFFile()
{
    if (FFile == this) {
        FFile = nullptr;
        platform::setInputsInUse(nullptr);
    }
}

std::vector<std::string> TFFile::InputsInUse() const
{
    std::vector<std::string> inputs{SplitFile};
    if (FMain)
        for (int row = 0; row < FMain->MorvaneList->count(); ++row)
            if (FMain->MorvaneList->item(row)->isSelected())
                inputs.push_back(FMain->EntryPath(row));
    if (FDisk)
        for (std::string& line : platform::memoLines(*FDisk->MorvaneMemo))
            inputs.push_back(std::move(line));
    return inputs;
}

void TFFile::ResetFileState()
{
    Drive.clear();
    State.clear();
    CountyListPath.clear();
    OutputFormat = 0;
    TypeCode.clear();
    ExistAnswer = 0;
    SetWorkDir(platform::currentDirectory());
}

void TFFile::MakeCountyListPath()
{
    const std::string path = ds::countyListPath(Drive, State);
    if (!path.empty())
        CountyListPath = path;
}

void TFFile::SetTypeOrder(char order)
{
    TypeCode = ds::typeCodeWithOrder(TypeCode, order);
}

bool TFFile::StationMatchesType(const std::string& pid, platform::LineReader& file, std::uint64_t offset) const
{
    return ds::StationMatchesType(TypeCode, pid, file, offset, ds::kMorvane);
}

bool TFFile::IsDatasheetFile(const std::string& path)
{
    return ds::IsDatasheetFile(path, ds::kMorvane);
}

bool TFFile::IsStateCode(const std::string& code)
{
    return ds::IsStateCode(code);
}

bool TFFile::IsPacificCode(const std::string& code)
{
    return ds::IsPacificCode(code);
}

bool TFFile::IsOutsideCode(const std::string& code)
{
    return ds::IsOutsideCode(code);
}
