#include "morvane/tf_split_quad.h"

#include "datasheet/forms/tf_status.h"

TFSplitQuad* FSplitQuad = nullptr;

TFSplitQuad::TFSplitQuad(QWidget* parent)
    : morvane::IndexMethodWindow(QStringLiteral("Split by Quad"), QStringLiteral("Quad File Options"),
                                 {QStringLiteral("Create a default Quad DSQUAD.INX file"), QStringLiteral("Edit the DSQUAD.INX file"), QStringLiteral("Use DSQUAD.INX and begin Split")}, "QUAD", 4,
                                 parent)
{
    FSplitQuad = this;
}

TFSplitQuad::~TFSplitQuad()
{
    if (FSplitQuad == this)
        FSplitQuad = nullptr;
}

morvane::DefaultIndex TFSplitQuad::WriteDefaultQuadIndex(platform::LineReader& input)
{
    ProgressWindow progress(this, true);
    return morvane::defaultNameIndex(input, morvane::IndexKind::Quad, progress.sink());
}
