#include "morvane/split_steps.h"

#include <QLabel>
#include <QLineEdit>

#include "morvane/core/output_pieces.h"
#include "morvane/tf_out_dir.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"
#include "platform/safe_output.h"

namespace morvane {

void notSplitFile(const std::string& path)
{
    platform::notices().notice("NOTICE", "\r\n       ERROR - The split utility only works with\r\n"
                                         "               QGB Digital Data Sheet files\r\n"
                                         "       in the format originally provided by QGB.\r\n       \r\n"
                                         "       The input file " +
                                             path + "\r\n       is not recognized as being such a file.\r\n");
}

bool askOutputDirectory(const std::string& caption, const std::string& indexName)
{
    const bool index = !indexName.empty();
    FOutDir->IndexFileName->setText(index ? platform::toQ(indexName) : QStringLiteral("N/A"));
    FOutDir->setWindowTitle(platform::toQ(caption));
    FOutDir->Label2->setVisible(index);
    FOutDir->IndexFileName->setVisible(index);
    // The directory of the last Okay; before the first, the current
    // directory (the list's first entry is the root of the machine).
    FOutDir->SelectDirectory(FOutDir->GetOutDir().empty() ? platform::currentDirectory() : FOutDir->GetOutDir());
    return platform::execModal(*FOutDir) == QDialog::Accepted;
}

bool inputIsAPiece(const std::string& input, int mode)
{
    const std::string dir = FOutDir->GetOutDir();
    bool piece = isPieceName(platform::fileNamePart(input), mode) &&
                 platform::isSameFile(platform::directoryPart(input), dir);
    // A piece that is the input under another name: the split would write
    // over it, or "Delete above files" delete it (an input that is a link
    // to the piece).
    for (const auto& name : listPieces(dir, mode))
        piece = piece || platform::isSameFile(platform::joinPath(dir, name), input);
    if (!piece)
        return false;
    platform::notices().notice("NOTICE", "Not split: " + input + "\r\nis one of the files that the split writes in " +
                                             dir + ".");
    return true;
}

} // namespace morvane
