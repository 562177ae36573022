#pragma once
// Creates Morvane's windows offscreen with notices recorded and modal
// dialogs and file dialogs answered from queues.
#include <string>

#include "morvane/tf_file.h"
#include "morvane/tf_windows.h"
#include "tests/support/program_fixture.h"

class MorvaneTest : public ProgramTest {
protected:
    MorvaneTest() : ProgramTest(&CreateMorvaneForms, &DestroyMorvaneForms) {}

    // Whether the other windows were made before the disclaimer showed.
    void disclaimerShown() override { othersExisted = FFile != nullptr; }

    static std::string samples(const std::string& path = "")
    {
        return path.empty() ? std::string(DS_SAMPLES_DIR) : std::string(DS_SAMPLES_DIR) + "/" + path;
    }

    bool othersExisted = true;
};
