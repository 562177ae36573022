// Morvane's join in ITEMPICK format as a user runs it: output format 3, the
// items chosen in Morvane's item form, the file written through the join.
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_warning.h"
#include "itempick/tf_select.h"
#include "morvane/tf_disk.h"
#include "morvane/tf_file.h"
#include "morvane/tf_main.h"
#include "tests/morvane/morvane_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;

class MorvaneItemJoin : public MorvaneTest {
protected:
    // Runs the disk join of the files to the output in format 3 with the
    // items; `exists` answers the file-exists question (-1: not asked).
    void run(const Lines& inputs, const std::string& out, const Lines& items, int exists = -1,
             const std::string& typeCode = "X-0")
    {
        FMain->FilePrompt();
        FFile->SetTypeCode(typeCode); // as the type dialog's OK stores it
        for (const std::string& input : inputs)
            FDisk->GrabFile(input);
        platform::queueModal([](QDialog&) {
            FGetOut->FormatList->clearSelection();
            FGetOut->FormatList->setCurrentRow(3);
            FGetOut->OK->click();
        });
        platform::queueModal([items](QDialog& dialog) {
            auto& form = dynamic_cast<TFSelect&>(dialog);
            form.Reset->click();
            for (const std::string& item : items)
                form.SelectListClick(form.ItemLookup(item));
            form.SelectOK->click();
        });
        platform::queueFileAnswer(out);
        if (exists >= 0)
            platform::queueModal([exists](QDialog&) {
                FWarning->RadioGroup1->findChildren<QRadioButton*>()[exists]->click();
                FWarning->Okay->click();
            });
        FDisk->RunBtn->click();
        FDisk->Button2->click(); // Remove All: the next join starts afresh
    }

    testsupport::TempDir dir;
};

TEST_F(MorvaneItemJoin, WritesTheHeaderThenOneRecordPerStation)
{
    EXPECT_EQ(FSelect->windowTitle().toStdString(), "Itempick");
    const std::string out = dir.file("items.txt");
    run({samples("disk/kansas.txt")}, out, {"PID", "STATE"});
    EXPECT_EQ(readFile(out), readFile(testsupport::fixture("itempick_join_kansas.txt")));
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Transfer Complete", false}}));
}

TEST_F(MorvaneItemJoin, AppendKeepsTheFileAndWritesTheHeaderAgain)
{
    // Blank lines the file held stay: only the new records are cleaned.
    const std::string out = dir.file("items.txt");
    testsupport::writeFile(out, "old\r\n\r\n  \r\n");
    run({samples("disk/kansas.txt")}, out, {"PID", "STATE"}, 1, "SAC");
    EXPECT_EQ(readFile(out), "old\r\n\r\n  \r\nPID|STATE\r\nMX4260|KS\r\nMX4264|KS\r\nMX4278|KS\r\n");
}

} // namespace
