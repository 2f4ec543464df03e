// Opens the serial line named on the command line, asks the processor for its status, system
// report and firmware versions, and prints what it answered. The serial trace shows each frame.
#include <cstdio>
#include <string>

#include "commands/device_commands.h"
#include "commands/reply_decoders.h"
#include "link/device_link.h"

namespace {

using namespace hsq;

const char* YesNo(bool value) { return value ? "yes" : "no"; }

bool ShowStatus(DeviceCommands& commands) {
    Frame reply{};
    commands.link().DiscardReply();
    if (commands.Query(kQueryStatus, 0, reply) != kFrameSize) {
        std::printf("status: no complete reply\n");
        return false;
    }
    const StatusReport status = DecodeStatus(reply);
    std::printf("status: input cards A %s, B %s, C %s, D %s; output cards K %s, L %s\n",
                YesNo(status.inputPresent[0]), YesNo(status.inputPresent[1]),
                YesNo(status.inputPresent[2]), YesNo(status.inputPresent[3]),
                YesNo(status.outputPresent[0]), YesNo(status.outputPresent[1]));
    return true;
}

void ShowSystem(DeviceCommands& commands) {
    Frame reply{};
    commands.link().DiscardReply();
    commands.Query(kQuerySystem, 0, reply);
    const auto system = DecodeSystemReport(reply);
    if (!system) {
        std::printf("system: no report\n");
        return;
    }
    std::printf(
        "system: output format %d, In-A/K.Out1 %d, application mode K %d, L %d, "
        "configuration flags %d %d\n",
        system->outputFormat, system->inAKout1, system->configModeK, system->configModeL,
        system->configFlag0 ? 1 : 0, system->configFlag1 ? 1 : 0);
}

void ShowVersions(DeviceCommands& commands) {
    Frame reply{};
    if (commands.Query(kQueryInputVersions, 0, reply) != kFrameSize) {
        std::printf("versions: no complete reply\n");
        return;
    }
    const auto inputs = DecodeInputVersions(reply);
    std::printf("input versions: A %s, B %s, C %s, D %s\n", inputs[0].c_str(), inputs[1].c_str(),
                inputs[2].c_str(), inputs[3].c_str());
    reply.fill(0);
    if (commands.Query(kQueryOutputVersions, 0, reply) != kFrameSize) {
        std::printf("output versions: no complete reply\n");
        return;
    }
    const auto outputs = DecodeOutputVersions(reply);
    std::printf("output versions: K %s, L %s\n", outputs[0].c_str(), outputs[1].c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PORT (a device path such as /dev/pts/3, or COM1)\n",
                     argv[0]);
        return 2;
    }
    SystemClock clock;
    DeviceLink link(clock);
    link.SetUseSerial(1);
    if (link.Open("", 0, argv[1]) == 0) {
        std::printf("%s: could not open the serial line\n", argv[1]);
        return 1;
    }
    // The processor needs a moment after the line opens before it answers.
    clock.SleepMs(1000);
    DeviceCommands commands(link);
    const bool answered = ShowStatus(commands);
    if (answered) {
        ShowSystem(commands);
        ShowVersions(commands);
    }
    link.Close();
    return answered ? 0 : 1;
}
