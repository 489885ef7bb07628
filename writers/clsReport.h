#pragma once
// The formatted report of the current case: a fixed-width text report and, with the same content,
// an HTML page beside it (the report's name with the extension ".htm"). A header with the
// project's identification, then a section per selected group: standard conditions, oil, gas,
// water and rock, each with its inputs and its computed tables.
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace q7 {

struct Q7Objects;
class MessageSink;

class clsReport {
public:
    clsReport(const Q7Objects& objects, MessageSink& sink);

    const std::string& FileName() const { return m_fileName; }
    void FileName(std::string_view path) { m_fileName = path; }
    // The open project's name, the report's first identification line ("Project: "); empty (no
    // project open): no such line.
    const std::string& ProjectName() const { return m_projectName; }
    void ProjectName(std::string_view text) { m_projectName = text; }
    const std::string& CreatedBy() const { return m_createdBy; }
    void CreatedBy(std::string_view text) { m_createdBy = text; }
    const std::string& PrjDesc() const { return m_prjDesc; }
    void PrjDesc(std::string_view text) { m_prjDesc = text; }
    const std::string& Company() const { return m_company; }
    void Company(std::string_view text) { m_company = text; }
    const std::string& Field() const { return m_field; }
    void Field(std::string_view text) { m_field = text; }
    const std::string& Reservoir() const { return m_reservoir; }
    void Reservoir(std::string_view text) { m_reservoir = text; }

    bool IncludeOIL() const { return m_oil; }
    void IncludeOIL(bool value) { m_oil = value; }
    bool IncludeGAS() const { return m_gas; }
    void IncludeGAS(bool value) { m_gas = value; }
    bool IncludeWAT() const { return m_water; }
    void IncludeWAT(bool value) { m_water = value; }
    bool IncludeROCK() const { return m_rock; }
    void IncludeROCK(bool value) { m_rock = value; }
    // A closing section naming the correlation behind each table of the groups written, with its
    // source; written also, whatever this says, when the oil tables were matched to laboratory data.
    bool IncludeCorrelations() const { return m_correlations; }
    void IncludeCorrelations(bool value) { m_correlations = value; }

    // The source of the date and time printed in the header (the system clock unless set).
    void SetClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

    // Writes FileName and its page, then shows "Report output complete!" titled "File: " and the
    // name. A failure to create or write throws IoError without the message; a page already
    // started is still closed with its page end.
    void Execute();

    // The page beside a text report: Sample.txt -> Sample.htm, runs/well7.txt -> runs/well7.htm,
    // a name without extension gains ".htm" (and so does a report that is itself named *.htm).
    static std::filesystem::path PagePath(std::string_view reportFile);

private:
    const Q7Objects& m_objects;
    MessageSink& m_sink;
    std::string m_fileName = "Sample.txt";
    std::string m_projectName, m_createdBy, m_prjDesc, m_company, m_field, m_reservoir;
    bool m_oil = false, m_gas = false, m_water = false, m_rock = false;
    bool m_correlations = false;
    std::function<std::time_t()> m_clock;
};

// "dd-mmm-yyyy hh:nn am/pm" in local time, as printed in the report's first line.
std::string ReportDateText(std::time_t when);

} // namespace q7
