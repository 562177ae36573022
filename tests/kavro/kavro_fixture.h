#pragma once
// Creates Kavro's windows offscreen with notices recorded and modal dialogs
// and file dialogs answered from queues.
#include "kavro/tf_windows.h"
#include "tests/support/program_fixture.h"

class KavroTest : public ProgramTest {
protected:
    KavroTest() : ProgramTest(&CreateKavroForms, &DestroyKavroForms) {}
};
