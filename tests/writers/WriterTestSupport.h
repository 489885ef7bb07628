#pragma once
// Shared pieces of the writer tests: a fresh set of calculation objects with a recording message
// sink, a scratch folder per test, whole-file reading, and an independent column formatter
// (printf rounding) to build expected lines from the objects' own values.
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace q7::test {

struct Message {
    std::string kind, text, title;
};

class RecordingSink : public MessageSink {
public:
    void ShowError(const std::string& m, const std::string& t) override {
        messages.push_back({"error", m, t});
    }
    void ShowInfo(const std::string& m, const std::string& t) override { messages.push_back({"info", m, t}); }
    std::vector<Message> messages;
};

// A folder of its own for each test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::temp_directory_path() /
                ("q7-writers-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Lines joined with CR LF, each line ended.
inline std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

// x with d decimals right-aligned in w characters (the leftmost characters cut), by printf.
inline std::string Fx(double x, int w, int d) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f", d < 0 ? 0 : d, x);
    std::string s(buf);
    if (static_cast<int>(s.size()) < w) return std::string(w - s.size(), ' ') + s;
    return s.substr(s.size() - static_cast<std::size_t>(w));
}

// x with d decimals and no blanks, by printf.
inline std::string Dx(double x, int d) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f", d, x);
    return buf;
}

// The cells of rock table row i as the CSV and the report lay them out: water, oil, krw, kro for an
// oil/water system; gas, oil (liquid less connate water), connate water, krg, kro for gas/oil.
inline std::vector<std::string> RockCells(const clsRock& rock, std::int16_t i) {
    if (rock.Fluids() == 1)
        return {Fx(rock.GetSNWet(i), 11, 4), Fx(rock.GetSWet(i) - rock.SWC(), 12, 2), Fx(rock.SWC(), 12, 2),
                Fx(rock.GetKRGas(i), 12, 4), Fx(rock.GetKROil(i), 12, 4)};
    if (rock.Fluids() == 3)
        return {Fx(rock.GetSWet(i), 11, 4), Fx(rock.GetSNWet(i), 12, 4), Fx(rock.GetKRWat(i), 12, 4),
                Fx(rock.GetKRGas(i), 12, 4)};
    return {Fx(rock.GetSWet(i), 11, 2), Fx(rock.GetSNWet(i), 12, 2), Fx(rock.GetKRWat(i), 12, 4),
            Fx(rock.GetKROil(i), 12, 4)};
}

// Objects computed as the result tabs do. The fluid phases, the typed pressures and the oil
// bubble point are the test's choice; everything else keeps the objects' defaults.
struct Case {
    bool oil = true, gas = false, water = false;
    std::vector<std::string> pressures; // typed pressures; empty: the default range
    std::string pbp;                    // bubble point typed, when oil
};

class Objects {
public:
    Objects() : objects(sink) {}
    void Compute(const Case& c) {
        Q7Objects& o = objects;
        o.Fluid.PhaseOil(c.oil);
        o.Fluid.PhaseGas(c.gas);
        o.Fluid.PhaseWater(c.water);
        if (c.pressures.empty()) {
            o.Prs.BuildPRSi();
        } else {
            o.Prs.PrRange("I");
            std::int16_t k = 0;
            for (const std::string& p : c.pressures)
                o.Prs.SetPRSi(p, ++k);
        }
        if (c.oil && !c.pbp.empty()) o.Oil.SetPbp(c.pbp);
        FluidTablesObserver none;
        FluidTablesResult r = RunFluidTables(o, sink, none);
        ASSERT_FALSE(r.failure) << r.failure->text;
        ASSERT_TRUE(sink.messages.empty()) << sink.messages.front().text;
    }
    void ComputeRock() { ASSERT_FALSE(RunRockTable(objects)); }

    RecordingSink sink;
    Q7Objects objects;
};

} // namespace q7::test
