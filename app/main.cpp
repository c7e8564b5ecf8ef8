#include "app/AppDelegate.h"
#include "platform/Console.h"

#include <cstdio>

int main(int argc, char** argv)
{
    bc::AppDelegate delegate;
    const auto status = bc::ApplicationMain(argc, argv, delegate);
    if (!status) {
        std::fprintf(stderr, "%s: %s\n", bc::kProgramName, status.error().message.c_str());
        return bc::kStartupFailure;
    }
    return *status;
}
