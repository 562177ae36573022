#include "kavro/tf_get_area.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/forms/tf_status.h"
#include "datasheet/position_search.h"
#include "datasheet/profile.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "kavro/tf_offsets.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFGetArea* FGetArea = nullptr;

namespace {

const char* const kLatitudeFormatNotice = "     LATITUDE FORMAT\n"
                                          "     Must be:\n"
                                          "              Deg Min Sec\n"
                                          "     separated by blanks\n"
                                          "     Click Sample Button for example.\n";
const char* const kLongitudeFormatNotice = "     LONGITUDE FORMAT\n"
                                           "     Must be:\n"
                                           "              Deg Min Sec\n"
                                           "     separated by blanks\n"
                                           "     Click Sample Button for example.\n";

} // namespace

bool PositionHitPasses(const std::string& pid, platform::LineReader& file)
{
    const std::int64_t offset = FOffsets->FindOffset(pid);
    // The end of the file holds no datasheet: the type test passes the
    // station there only when it reads nothing.
    const std::uint64_t at = offset < 0 ? file.size() : static_cast<std::uint64_t>(offset);
    return FMain->StationMatchesType(pid, file, at);
}

TFGetArea::TFGetArea(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetArea = this;
    setWindowTitle("AREA INPUT");

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* layout = new QVBoxLayout(this);

    Label5 = new QLabel("dd mm ss", this);
    Label5->setFont(fixed);
    layout->addWidget(Label5);

    // Laid out as on a map: north (Max Lat) above south (Min Lat), and with
    // west-positive longitudes Max Lon on the left.
    auto* box = new QGridLayout;
    auto addBox = [&](QLabel*& label, const char* caption, QLineEdit*& edit, int row, int column) {
        label = new QLabel(caption, this);
        edit = new QLineEdit(this);
        edit->setFont(fixed);
        label->setBuddy(edit);
        box->addWidget(label, row, column);
        box->addWidget(edit, row + 1, column);
    };
    addBox(Label4, "Max Lat", MaxLatBox, 0, 1);
    addBox(Label1, "Max Lon", MaxLonBox, 2, 0);
    addBox(Label2, "Min Lon", MinLonBox, 2, 2);
    addBox(Label3, "Min Lat", MinLatBox, 4, 1);
    layout->addLayout(box);

    const platform::SearchButtons buttons = platform::addSearchButtons(
        *this, *layout, {MinLatBox, MaxLatBox, MinLonBox, MaxLonBox},
        {[this] { OkMM(); }, [this] { SampleMM(); }, [this] { ClearMM(); }, [this] { CancelMM(); }});
    Ok = buttons.Ok;
    Sample = buttons.Sample;
    Clear = buttons.Clear;
    Cancel = buttons.Cancel;

    const platform::StayOnTopPanel panel = platform::addStayOnTopPanel(*this, *layout, [this] { TopClicked(); });
    Panel1 = panel.Panel1;
    CheckBox = panel.CheckBox;

    setTabOrder(MinLatBox, MaxLatBox);
    setTabOrder(MaxLatBox, MinLonBox);
    setTabOrder(MinLonBox, MaxLonBox);
    setTabOrder(MaxLonBox, Ok);
    setTabOrder(Ok, Sample);
    setTabOrder(Sample, Clear);
    setTabOrder(Clear, Cancel);
    setTabOrder(Cancel, CheckBox);
}

TFGetArea::~TFGetArea()
{
    if (FGetArea == this)
        FGetArea = nullptr;
}

void TFGetArea::OkMM()
{
    FList->SetSearchMode(4);
    FList->ByTypeClicked();
}

void TFGetArea::SampleMM()
{
    MinLatBox->setText("37 00 00");
    MaxLatBox->setText("37 59 59");
    MinLonBox->setText("098 00 00");
    MaxLonBox->setText("098 59 59");
}

void TFGetArea::ClearMM()
{
    // One blank each, not an empty text.
    for (QLineEdit* edit : {MinLatBox, MaxLatBox, MinLonBox, MaxLonBox})
        edit->setText(" ");
}

void TFGetArea::CancelMM()
{
    hide();
}

void TFGetArea::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

int TFGetArea::CheckLatitude(const std::string& text) const
{
    return ds::CheckLatitude(text);
}

int TFGetArea::CheckLongitude(const std::string& text) const
{
    return ds::CheckLongitude(text);
}

void TFGetArea::SearchArea()
{
    FList->SetSearchMode(4);
    FFound->FoundList->lines().setSorted(false);

    const std::string minLat = ds::positionInput(platform::fromQ(MinLatBox->text()));
    const std::string maxLat = ds::positionInput(platform::fromQ(MaxLatBox->text()));
    const std::string minLon = ds::positionInput(platform::fromQ(MinLonBox->text()));
    const std::string maxLon = ds::positionInput(platform::fromQ(MaxLonBox->text()));
    if (CheckLatitude(minLat) != 0 || CheckLatitude(maxLat) != 0) {
        Msg = kLatitudeFormatNotice;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    if (CheckLongitude(minLon) != 0 || CheckLongitude(maxLon) != 0) {
        Msg = kLongitudeFormatNotice;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FFound->setWindowTitle(
        platform::toQ("FIND " + std::string(" ") + minLat + ", " + minLon + ", " + maxLat + ", " + maxLon));
    AreaScan(minLat, maxLat, minLon, maxLon);
}

void TFGetArea::AreaScan(const std::string& minLat, const std::string& maxLat, const std::string& minLon,
                         const std::string& maxLon)
{
    FDisplay->hide();
    FDisplay->DsDisplay->clear();
    FFound->hide();
    platform::LineList& found = FFound->FoundList->lines();
    found.clear();

    ProgressWindow progress(this);
    platform::LineReader file(ds::kKavro.readLength());
    if (!FMain->DataFileUnchanged())
        return;
    if (!file.open(FMain->GetDataPath())) {
        platform::notices().notice("NOTICE", "Cannot open County File");
        return;
    }
    // Station texts are "dd mm ss" as the loader wrote them; the typed bounds
    // are compared in that same form.
    std::vector<std::string> hits = ds::AreaScan(
        FList->MarksList->lines().lines(), ds::canonicalLatitude(minLat), ds::canonicalLatitude(maxLat),
        ds::canonicalLongitude(minLon), ds::canonicalLongitude(maxLon),
        [&file](const std::string& pid) { return PositionHitPasses(pid, file); }, progress.sink());
    if (hits.empty()) {
        Msg = "No Station Found in area " + minLat + "-" + maxLat + "," + minLon + "-" + maxLon;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    found.assign(std::move(hits));
    FFound->FoundList->show();
    FFound->show();
}
