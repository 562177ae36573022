// The CD-ROM steps of the main window: drive, state, county.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "datasheet/cdrom.h"
#include "datasheet/code_tables.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "datasheet/forms/tf_offsets.h"
#include "platform/notices.h"
#include "platform/qt/text.h"

namespace {

// Fills a combo box with lines, leaving its text empty until the user picks one.
void fillCombo(QComboBox& combo, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        combo.addItem(platform::toQ(line));
    combo.setCurrentIndex(-1);
    combo.clearEditText();
}

} // namespace

void TFMain::initCountryCodes()
{
    CountryCodes = ds::countryRows();
}

std::string TFMain::CodeLookup(const std::string& text, const std::string& direction) const
{
    return ds::CodeLookup(CountryCodes, text, direction);
}

bool TFMain::isStateDir(const std::string& name)
{
    return ds::isStateDir(name);
}

void TFMain::DriveOKClick()
{
    DriveLetter = platform::pathFromQ(DriveCombo->currentText());
    // The program's own changes of the state text are no user edit: they do
    // not run StatesInit, which would hide the county controls.
    const QSignalBlocker quiet(StatesCombo);
    StatesCombo->clear();
    StatesCombo->clearEditText();
    std::vector<std::string> codes;
    if (!ds::listStateDirs(DriveLetter, codes)) {
        platform::notices().notice("NOTICE", "ERROR - Invalid Directory Structure\r\n"
                                             "      Looking for QGB CD-ROM Directory called '/DATA'\r\n"
                                             "      Insert QGB Datasheet CD-ROM and Try Again.");
        return;
    }
    fillCombo(*StatesCombo, codes);
    StatesCombo->show();
    Label2->show();
    StateOK->show();
    setPrompt("Click on State Code");
}

void TFMain::StateOKClick()
{
    StateCode = platform::fromQ(StatesCombo->currentText()).substr(0, 2);
    CountiesCombo->clear();
    CountiesCombo->clearEditText();
    std::vector<std::string> entries;
    if (!ds::readCountyList(ds::countyListPath(DriveLetter, StateCode), entries)) {
        std::string entry = ds::territoryEntry(DriveLetter, StateCode, CodeLookup(StateCode, "to_name"));
        if (!entry.empty())
            entries.push_back(entry);
    }
    fillCombo(*CountiesCombo, entries);
    CountiesCombo->show();
    Label3->show();
    CountyOK->show();
    setPrompt("Click on County Code");
}

void TFMain::CountyOKClick(QObject* Sender)
{
    const bool fromCountyOK = Sender == CountyOK;
    const bool fromTypeDialog = !fromCountyOK && Sender && Sender == typeOkButton;
    std::string countyFile = platform::fromQ(CountiesCombo->currentText()).substr(0, 9);
    // The county file name comes from the disc's list: it must not lead out
    // of the state's directory.
    if (fromCountyOK && !ds::isPlainCountyFile(countyFile)) {
        platform::notices().notice("NOTICE", "ERROR - Invalid County File Name '" + countyFile +
                                                 "'\r\n      Pick a county from the County list.");
        return;
    }

    FOffsets->LocList->hide();
    FOffsets->hide();
    FList->MarksList->hide();
    FList->hide();
    if (fromCountyOK) {
        HideAll();
        CountyFile = countyFile;
        DataPath = ds::countyDataPath(DriveLetter, StateCode, CountyFile);
    } else if (fromTypeDialog) {
        FFound->FoundList->lines().clear();
        FFound->FoundList->hide();
        FFound->hide();
    }
    // A file that cannot be read has been announced by the loader; the
    // county controls stay up for another choice.
    LoadStationList(DataPath, fromTypeDialog ? 1 : 0);
}
