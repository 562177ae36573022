#include "platform/inputs_in_use.h"

#include "platform/safe_output.h"

namespace platform {

namespace {

InputsInUse& inputsInUse()
{
    static InputsInUse inputs;
    return inputs;
}

} // namespace

void setInputsInUse(InputsInUse inputs)
{
    inputsInUse() = std::move(inputs);
}

std::string inputInUseNamedBy(const std::string& path)
{
    if (!inputsInUse() || path.empty())
        return {};
    for (const std::string& input : inputsInUse()())
        if (!input.empty() && isSameFile(path, input))
            return input;
    return {};
}

bool refuseInputInUse(const std::string& path, NoticeSink& notices)
{
    const std::string input = inputInUseNamedBy(path);
    if (input.empty())
        return false;
    notices.notice("NOTICE", "Not saved: " + path + "\r\nis another name of the data file in use, " + input +
                                 ".\r\nNothing was written.");
    return true;
}

} // namespace platform
