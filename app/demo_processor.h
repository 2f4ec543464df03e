#pragma once

#include <filesystem>
#include <string>

#include "sim/pty_server.h"
#include "sim/simulated_processor.h"

namespace hsq {

// For --demo: a simulated processor on a pseudo-terminal and a temporary copy of the default
// configuration that connects to it at start-up. The operator's own files are never touched.
class DemoProcessor {
  public:
    DemoProcessor() = default;
    ~DemoProcessor();
    DemoProcessor(const DemoProcessor&) = delete;
    DemoProcessor& operator=(const DemoProcessor&) = delete;

    // False, with the reason in error, when the line or the folder could not be had.
    bool Start(std::string& error);
    const std::filesystem::path& ConfigFolder() const { return folder_; }
    const std::string& LinePath() const { return server_.Path(); }

  private:
    sim::SimulatedProcessor processor_;
    sim::PtyServer server_{processor_};
    std::filesystem::path folder_;
};

}  // namespace hsq
