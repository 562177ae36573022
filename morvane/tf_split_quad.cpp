#include "morvane/tf_split_quad.h"

TFSplitQuad* FSplitQuad = nullptr;

namespace {

const morvane::IndexMethodProfile kProfile{"Split by Quad",
                                           "Quad File Options",
                                           {"Create a default Quad DSQUAD.INX file", "Edit the DSQUAD.INX file",
                                            "Use DSQUAD.INX and begin Split"},
                                           "QUAD",
                                           4};

} // namespace

TFSplitQuad::TFSplitQuad(QWidget* parent) : morvane::IndexMethodWindow(kProfile, parent)
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
    return writeDefaultNameIndex(input, morvane::IndexKind::Quad);
}
