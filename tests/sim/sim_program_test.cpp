// hsq2600-sim as the scripts and the benchmark run it.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "descriptor_io.h"
#include "link/command_frame.h"

namespace hsq::sim {
namespace {

using testing::Bytes;

// The program as a child, its standard output and error on pipes.
class SimProgram {
  public:
    explicit SimProgram(const std::vector<std::string>& args) {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(HSQ_SIM_PROGRAM)};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(HSQ_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }

    ~SimProgram() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
        close(err_);
    }

    // The next line of standard output without its newline; empty when none comes.
    std::string ReadLine() {
        std::string line;
        while (true) {
            const Bytes byte = testing::ReadBytes(out_, 1);
            if (byte.empty() || byte[0] == '\n')
                return line;
            line += static_cast<char>(byte[0]);
        }
    }

    // The port of the "tcp 127.0.0.1:PORT" line that comes next; 0 when it does not come.
    std::uint16_t TcpPort() {
        const std::string line = ReadLine();
        std::smatch match;
        if (!std::regex_match(line, match, std::regex("tcp 127\\.0\\.0\\.1:([0-9]+)")))
            return 0;
        return static_cast<std::uint16_t>(std::stoi(match[1]));
    }

    // Sends the signal, or none, and returns the exit code once the program has ended; -1 when
    // it ended otherwise or did not end.
    int ExitCode(int signal = 0) {
        if (signal != 0)
            kill(pid_, signal);
        while (!testing::ReadBytes(out_, 4096).empty()) {
        }
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, 0);
        pid_ = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Errors() {
        const Bytes bytes = testing::ReadBytes(err_, 4096);
        return std::string(bytes.begin(), bytes.end());
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

using testing::AskStatus;

// Card B listed but reported absent, card D present but silent; the address is where it
// listens; a frame that breaks the protocol is printed and never answered.
TEST(SimProgram, StrictWithAnAbsentAndASilentCard) {
    SimProgram sim({"--tcp", "0", "--strict", "--absent", "B", "--silent", "D"});
    const int socket = testing::ConnectLoopback(sim.TcpPort());
    ASSERT_GE(socket, 0);

    const std::uint8_t unknownSelector[] = {25, 0};
    const Frame wrong = BuildFrame(kDeviceAddress, 0xFE, unknownSelector);
    ASSERT_TRUE(testing::WriteAll(socket, wrong.data(), wrong.size()));
    EXPECT_EQ(sim.ReadLine(), "protocol violation: command fe [19 00 00 ...]: unknown selector");
    const Bytes status = AskStatus(socket);  // the next bytes answer the status, not the wrong frame
    ASSERT_EQ(status.size(), 13u);
    EXPECT_EQ((Bytes{status[4], status[5], status[6]}), (Bytes{0x3F, 0x02, 0x05}));

    const std::uint8_t address[] = {2, 0};
    const Frame query = BuildFrame(kDeviceAddress, 0xFE, address);
    ASSERT_TRUE(testing::WriteAll(socket, query.data(), query.size()));
    const Bytes reply = testing::ReadBytes(socket, kFrameSize);
    ASSERT_EQ(reply.size(), 13u);
    EXPECT_EQ((Bytes{reply[4], reply[5], reply[6], reply[7]}), (Bytes{127, 0, 0, 1}));
    close(socket);
    EXPECT_EQ(sim.ExitCode(SIGTERM), 0);
}

TEST(SimProgram, BadCommandLinesGetTheUsageAndExit2) {
    // Which lines the parser refuses is shown by its own tests.
    const std::vector<std::vector<std::string>> wrong{{}, {"--pty", "--absent", "K"}};
    for (const auto& args : wrong) {
        SimProgram sim(args);
        EXPECT_EQ(sim.ExitCode(), 2) << ::testing::PrintToString(args);
        EXPECT_NE(sim.Errors().find("usage: hsq2600-sim"), std::string::npos);
    }
}

}  // namespace
}  // namespace hsq::sim
