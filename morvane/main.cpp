// Morvane, the datasheet copy/split program.
#include "morvane/tf_windows.h"
#include "platform/qt/application.h"

int main(int argc, char** argv)
{
    return platform::runProgram(argc, argv, "Morvane", &CreateMorvaneForms, &DestroyMorvaneForms);
}
