#pragma once
// The current case as one comma-separated file for spreadsheets: "label:,value" lines and tables
// whose first column is left empty, in blocks for the conditions, oil, gas, water and rock.
#include <string>
#include <string_view>

namespace q7 {

struct Q7Objects;
class clsRock;
class MessageSink;
class TextFile;

class clsCSV {
public:
    clsCSV(const Q7Objects& objects, MessageSink& sink);

    const std::string& FileName() const { return m_fileName; }
    void FileName(std::string_view path) { m_fileName = path; }

    bool IncludeOIL() const { return m_oil; }
    void IncludeOIL(bool value) { m_oil = value; }
    bool IncludeGAS() const { return m_gas; }
    void IncludeGAS(bool value) { m_gas = value; }
    bool IncludeWAT() const { return m_water; }
    void IncludeWAT(bool value) { m_water = value; }
    bool IncludeROCK() const { return m_rock; }
    void IncludeROCK(bool value) { m_rock = value; }

    // Writes FileName (an empty file when no group is included), then shows "CSV output complete!"
    // titled "File: " and the name. A failure to create or write throws IoError, without message.
    void Execute();

private:
    void WriteConditions(TextFile& file) const;
    void WriteOil(TextFile& file) const;
    void WriteGas(TextFile& file) const;
    void WriteWater(TextFile& file) const;
    void WriteRock(TextFile& file) const;
    void WriteRockTable(TextFile& file, const clsRock& rock) const;

    const Q7Objects& m_objects;
    MessageSink& m_sink;
    std::string m_fileName = "q7.csv";
    bool m_oil = false, m_gas = false, m_water = false, m_rock = false;
};

} // namespace q7
