#include <iostream>

#include "cli/cli.h"
#include "platform/qt_services.h"

int main(int argc, char** argv)
{
    const ventoral::SystemClock clock;
    const ventoral::SystemTimeZone zone;
    const ventoral::LocaleDateForms forms;

    ventoral::CliEnvironment env;
    env.utcOffsetHours = ventoral::utcOffsetFromBias(ventoral::GetCurrentTimeBias(zone));
    env.nowLocal = clock.nowLocal();
    env.forms = &forms;
    return ventoral::runCli(std::vector<std::string>(argv + 1, argv + argc), env, std::cout, std::cerr);
}
