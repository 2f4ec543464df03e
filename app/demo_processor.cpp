#include "app/demo_processor.h"

#include <stdlib.h>

#include "config/default_configuration.h"
#include "config/profile_store.h"

namespace hsq {

DemoProcessor::~DemoProcessor() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

bool DemoProcessor::Start(std::string& error) {
    if (!server_.Open(error) || !server_.Start()) {
        if (error.empty()) error = "the simulated processor did not start";
        return false;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "hsq2600-demo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = "no temporary folder for the demo configuration";
        return false;
    }
    folder_ = pattern;
    ProfileStore store(folder_);
    const bool written =
        WriteDefaultConfiguration(folder_) &&
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "SerialTcp", "1") &&
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "Comport", server_.Path()) &&
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
    if (!written) error = "the demo configuration could not be written";
    return written;
}

}  // namespace hsq
