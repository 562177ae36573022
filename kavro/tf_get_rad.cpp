#include "kavro/tf_get_rad.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "datasheet/forms/tf_status.h"
#include "datasheet/list_sort.h"
#include "datasheet/position_search.h"
#include "datasheet/profile.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_area.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFGetRad* FGetRad = nullptr;

namespace {

const char* const kLatitudeFormatNotice = "     LATITUDE FORMAT:\n"
                                          "       Deg Min Sec\n"
                                          "     separated by blanks\n"
                                          "     Click Sample Button for example.\n";
const char* const kLongitudeFormatNotice = "     LONGITUDE FORMAT\n"
                                           "       Deg Min Sec\n"
                                           "     separated by blanks\n"
                                           "     Click Sample Button for example.\n";
const char* const kRadiusFormatNotice = "     RADIUS FORMAT\n"
                                        "        Decimal Miles\n"
                                        "     between .1 and 99.9\n"
                                        "     separated by blanks\n"
                                        "     Click Sample Button for example.\n";

} // namespace

TFGetRad::TFGetRad(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetRad = this;
    setWindowTitle("POINT RADIUS INPUT");

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* layout = new QVBoxLayout(this);

    auto* boxes = new QGridLayout;
    auto addBox = [&](QLabel*& label, const char* caption, QLineEdit*& edit, int row) {
        label = new QLabel(caption, this);
        edit = new QLineEdit(this);
        edit->setFont(fixed);
        label->setBuddy(edit);
        boxes->addWidget(label, row, 0);
        boxes->addWidget(edit, row, 1);
    };
    addBox(Label1, "LATITUDE", LatBox, 0);
    addBox(Label2, "LONGITUDE", LonBox, 1);
    addBox(Label5, "RADIUS", RadiusBox, 2);
    Label3 = new QLabel("dd mm ss", this);
    Label3->setFont(fixed);
    Label4 = new QLabel("ddd mm ss", this);
    Label4->setFont(fixed);
    boxes->addWidget(Label3, 0, 2);
    boxes->addWidget(Label4, 1, 2);
    layout->addLayout(boxes);

    const platform::SearchButtons buttons = platform::addSearchButtons(
        *this, *layout, {LatBox, LonBox, RadiusBox},
        {[this] { OkRadius(); }, [this] { SampleRadius(); }, [this] { ClearRadius(); }, [this] { CancelRadius(); }});
    RadOK = buttons.Ok;
    Sample = buttons.Sample;
    Clear = buttons.Clear;
    Cancel = buttons.Cancel;

    const platform::StayOnTopPanel panel = platform::addStayOnTopPanel(*this, *layout, [this] { TopClicked(); });
    Panel1 = panel.Panel1;
    CheckBox = panel.CheckBox;
}

TFGetRad::~TFGetRad()
{
    if (FGetRad == this)
        FGetRad = nullptr;
}

void TFGetRad::OkRadius()
{
    FList->SetSearchMode(3);
    FList->ByTypeClicked();
}

void TFGetRad::SampleRadius()
{
    LatBox->setText("38 59 59");
    LonBox->setText("098 59 59");
    RadiusBox->setText("1.5");
}

void TFGetRad::ClearRadius()
{
    // One blank each, not an empty text.
    for (QLineEdit* edit : {LatBox, LonBox, RadiusBox})
        edit->setText(" ");
}

void TFGetRad::CancelRadius()
{
    hide();
}

void TFGetRad::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

int TFGetRad::CheckLatitude(const std::string& text) const
{
    return ds::CheckLatitude(text);
}

int TFGetRad::CheckLongitude(const std::string& text) const
{
    return ds::CheckLongitude(text);
}

int TFGetRad::CheckRadius(const std::string& text) const
{
    return ds::CheckRadius(text);
}

void TFGetRad::RadiusSearch()
{
    FList->SetSearchMode(3);
    // The distance tag leads each result line, so the list's own order is
    // the order of distance.
    FFound->FoundList->lines().setSorted(true, ds::listBoxLess);

    const std::string lat = ds::positionInput(platform::fromQ(LatBox->text()));
    const std::string lon = ds::positionInput(platform::fromQ(LonBox->text()));
    const std::string radius = ds::positionInput(platform::fromQ(RadiusBox->text()));
    const char* failed = CheckLatitude(lat) != 0    ? kLatitudeFormatNotice
                         : CheckLongitude(lon) != 0 ? kLongitudeFormatNotice
                         : CheckRadius(radius) != 0 ? kRadiusFormatNotice
                                                    : nullptr;
    if (failed) {
        Msg = failed;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FFound->setWindowTitle(platform::toQ("FIND " + std::string(" ") + lat + ", " + lon + ", " + radius));
    FindInRadius(lat, lon, radius);
}

void TFGetRad::FindInRadius(const std::string& lat, const std::string& lon, const std::string& radius)
{
    FFound->hide();
    platform::LineList& found = FFound->FoundList->lines();
    found.clear();
    FDisplay->hide();
    FDisplay->DsDisplay->clear();

    platform::LineReader file(ds::kKavro.readLength());
    if (!FMain->DataFileUnchanged())
        return;
    if (!file.open(FMain->GetDataPath())) {
        platform::notices().notice("NOTICE", "Cannot open County File");
        return;
    }
    ProgressWindow progress(this);
    std::vector<std::string> hits = ds::FindInRadius(
        FList->MarksList->lines().lines(), lat, lon, radius,
        [&file](const std::string& pid) { return PositionHitPasses(pid, file); }, progress.sink());
    if (hits.empty()) {
        Msg = "No Station Found in area " + lat + "," + lon + "," + radius;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    // All at once: the sorted list orders them in one stable sort instead of
    // one ordered insert per line.
    found.assign(std::move(hits));
    FFound->FoundList->show();
    FFound->show();
}
