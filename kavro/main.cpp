// Kavro, the datasheet browser.
#include "kavro/tf_windows.h"
#include "platform/qt/application.h"

int main(int argc, char** argv)
{
    return platform::runProgram(argc, argv, "KAVRO", &CreateKavroForms, &DestroyKavroForms);
}
