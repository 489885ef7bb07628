#pragma once
// What the batch tests share: a scratch folder of their own per test, files written into it, the
// example cases, and q7-batch run through the shell in that folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace q7test {

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// An example case of the repository, by its name without ".json".
inline std::string Example(const std::string& name) {
    return (fs::path(Q7_SOURCE_DIR) / "examples" / (name + ".json")).string();
}

// A test with a scratch folder of its own (removed afterwards), in which q7-batch runs.
class BatchScratch : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("q7-") + info->test_suite_name() + "-" +
                                             info->name() + "-" + std::to_string(getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Writes `text` byte for byte as the file `name` under the scratch folder (folders made).
    fs::path Write(const std::string& name, const std::string& text) {
        const fs::path p = m_dir / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    // A case file cases/NAME.json; its path.
    std::string Case(const std::string& name, const std::string& json) {
        return Write("cases/" + name + ".json", json).string();
    }
    // Runs a shell command line in the scratch folder, in which "Q7 " stands for the batch tool.
    // Returns the exit status; standard output goes to `out`, standard error to `err`.
    int Sh(std::string line) {
        for (size_t at = 0; (at = line.find("Q7 ", at)) != std::string::npos;) {
            line.replace(at, 2, Q7_BATCH_EXE);
            at += std::string(Q7_BATCH_EXE).size();
        }
        const std::string cmd = "cd '" + m_dir.string() + "' && (" + line + ") >stdout.txt 2>stderr.txt";
        const int rc = std::system(cmd.c_str());
        out = Slurp(m_dir / "stdout.txt");
        err = Slurp(m_dir / "stderr.txt");
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }
    // Runs q7-batch with the arguments (words as the shell splits them).
    int Run(const std::string& args) { return Sh("Q7 " + args); }

    fs::path m_dir;
    std::string out, err;
};

} // namespace q7test
