#include "morvane/tf_file.h"

#include "datasheet/cdrom.h"
#include "datasheet/code_tables.h"
#include "datasheet/datasheet_format.h"
#include "datasheet/type_filter.h"
#include "platform/files.h"

TFFile* FFile = nullptr;

TFFile::TFFile(QWidget* parent) : QWidget(parent)
{
    FFile = this;
    setVisible(false);
    CurrentFile.clear();
    WorkDir.clear();
    ResetFileState();
}

TFFile::~TFFile()
{
    if (FFile == this)
        FFile = nullptr;
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
