#include "morvane/count_split_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "datasheet/forms/tf_status.h"
#include "morvane/core/output_pieces.h"
#include "morvane/split_steps.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_out_exist.h"
#include "morvane/tf_out_files.h"
#include "morvane/tf_prefix.h"
#include "platform/notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"

namespace morvane {

CountSplitWindow::CountSplitWindow(const CountSplitProfile& profile, QWidget* parent)
    : QWidget(parent, Qt::Window), kind_(profile.kind)
{
    setWindowTitle(QString::fromUtf8(profile.caption));
    auto* layout = new QGridLayout(this);
    Label1 = new QLabel(QString::fromUtf8(profile.label), this);
    SizeBox = new QLineEdit(QString::fromUtf8(profile.size), this);
    SizeBox->setMaxLength(8);
    Label2 = new QLabel(QString::fromUtf8(profile.unit), this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(SizeBox, 0, 1);
    layout->addWidget(Label2, 0, 2);
    if (profile.splitCheckBox) {
        SplitCheckBox = new QCheckBox(QStringLiteral("Split only between datasheets"), this);
        SplitCheckBox->setChecked(true);
        layout->addWidget(SplitCheckBox, 1, 0, 1, 3);
    }
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    layout->addWidget(Okay, 2, 0, 1, 3, Qt::AlignHCenter);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

void CountSplitWindow::OkayClick()
{
    const CountKind kind = kind_;
    CountSplit split;
    split.kind = kind;
    const std::string size = platform::fromQ(SizeBox->text()).substr(0, 8);
    split.limit = kind == CountKind::Bytes ? byteLimit(size) : countLimit(size);
    split.betweenDatasheets = SplitCheckBox && SplitCheckBox->isChecked();
    if (!FIndex->OpenSplitFile())
        return;
    split.input = FFile->GetFileName();
    if (kind != CountKind::Stations && !TFFile::IsDatasheetFile(split.input)) {
        notSplitFile(split.input);
        return;
    }
    if (!askOutputDirectory("TARGET LOCATION for output", {}))
        return;
    split.outDir = FOutDir->GetOutDir();
    if (inputIsAPiece(split.input, kNumberedPieces))
        return;
    FOutExist->CheckExistingFiles(kNumberedPieces);
    if (FOutExist->GetProceed() != 1)
        return;
    int mode = kNumberedPieces;
    // The stations split looks again, by the pieces it will write: the PID
    // pieces after the prefix was chosen, or once more the numbered pieces
    // (which the user may have kept by taking their lines out of the list).
    if (kind == CountKind::Stations) {
        if (split.limit == 1) {
            if (platform::execModal(*FPrefix) != QDialog::Accepted)
                return;
            mode = FPrefix->GetPrefixMode();
            split.prefixMode = mode;
            if (mode == kPidPieces && inputIsAPiece(split.input, kPidPieces))
                return;
        }
        FOutExist->CheckExistingFiles(mode);
        if (FOutExist->GetProceed() != 1)
            return;
    }
    bool done;
    {
        ProgressWindow progress(this, true);
        done = SplitByCount(split, platform::notices(), progress.sink());
    }
    if (done)
        FOutFiles->ListOutputFiles(mode);
}

} // namespace morvane
