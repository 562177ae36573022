#include "morvane/tf_split_quad.h"

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
