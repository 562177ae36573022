// Pellorin, the update program.
#include "pellorin/tf_windows.h"
#include "platform/qt/application.h"

int main(int argc, char** argv)
{
    return platform::runProgram(argc, argv, "Pellorin", &pellorin::CreatePellorinForms, &pellorin::DestroyPellorinForms);
}
