#include "datasheet/forms/tf_disclam.h"

#include <QAction>
#include <QFrame>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/qt/modal.h"

TFDisclam* FDisclam = nullptr;

namespace {

constexpr int kWidth = 468;
constexpr int kHeight = 300;

const char* const kHeading = "DISCLAIMER";
const char* const kParagraphs =
    "This program and its supporting information are furnished by the "
    "Quarndale Geomark Bureau, the public body that owns them, without any "
    "warranty, express or implied, as to their accuracy, completeness, "
    "reliability or suitability for any purpose.\n"
    "\n"
    "The Bureau accepts no liability of any kind for any use made of the "
    "program or its information. The program must not be the sole basis for "
    "solving a problem whose incorrect solution could result in injury to "
    "persons or damage to property.\n"
    "\n"
    "The program is the property of the Bureau. By accepting it the recipient "
    "agrees not to claim any proprietary rights in it and not to present it "
    "as anything other than the Bureau's program.\n";

// A plain memo has no paragraph alignment: the heading is centred with
// blanks for the memo's font across the window's width.
QString centredHeading(const QPlainTextEdit& memo)
{
    const QFontMetrics metrics(memo.font());
    const int room = kWidth - 2 * memo.frameWidth() - 2 * static_cast<int>(memo.document()->documentMargin())
                     - metrics.horizontalAdvance(QString::fromLatin1(kHeading));
    const int blanks = std::max(0, room / 2 / std::max(1, metrics.horizontalAdvance(QLatin1Char(' '))));
    return QString(blanks, QLatin1Char(' ')) + QString::fromLatin1(kHeading);
}

} // namespace

TFDisclam::TFDisclam(QWidget* owner) : QDialog(owner)
{
    FDisclam = this;
    setWindowTitle(QStringLiteral("DISCLAIMER"));
    resize(kWidth, kHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    Close1 = MainMenu1->addAction(QStringLiteral("Close"));
    Close1->setObjectName(QStringLiteral("Close1"));
    connect(Close1, &QAction::triggered, this, [this] { Close1Click(); });
    layout->setMenuBar(MainMenu1);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(Bevel1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setPlainText(centredHeading(*Memo1) + QStringLiteral("\n\n") + QString::fromLatin1(kParagraphs));
    layout->addWidget(Memo1, 1);
}

TFDisclam::~TFDisclam()
{
    if (FDisclam == this)
        FDisclam = nullptr;
}

void TFDisclam::Close1Click()
{
    close();
}

void execDisclaimer(QWidget& owner, TFDisclam*& form)
{
    TFDisclam disclaimer(&owner);
    form = &disclaimer;
    platform::execModal(disclaimer);
    form = nullptr;
}
