#include "writers/clsECL.h"

#include "engine/Correlations.h"
#include "engine/Q7Objects.h"
#include "writers/EclipseTableDescription.h"
#include "writers/EclipseTableText.h"
#include "writers/TextFile.h"
#include "writers/WriterText.h"

#include <stdexcept>

namespace q7 {

clsECL::clsECL(const Q7Objects& objects, MessageSink& sink) : m_objects(objects), m_sink(sink) {
    FileName("Eclipse");
}

std::string EclipseExtension(std::string_view keyword) {
    const EclipseTableDescription& decl = EclipseSpec(keyword);
    if (decl.extension.empty())
        throw std::invalid_argument("not an Eclipse table keyword: " + std::string(keyword));
    return std::string(decl.extension);
}

void clsECL::FileName(std::string_view base) {
    m_fileName = base;
    m_pvdoFile = m_fileName + EclipseExtension("PVDO");
    m_pvtoFile = m_fileName + EclipseExtension("PVTO");
    m_pvdgFile = m_fileName + EclipseExtension("PVDG");
    m_pvtwFile = m_fileName + EclipseExtension("PVTW");
    m_densFile = m_fileName + EclipseExtension("DENSITY");
    m_swofFile = m_fileName + EclipseExtension("SWOF");
    m_sgofFile = m_fileName + EclipseExtension("SGOF");
    m_swfnFile = m_fileName + EclipseExtension("SWFN");
    m_sgfnFile = m_fileName + EclipseExtension("SGFN");
    m_sof3File = m_fileName + EclipseExtension("SOF3");
    m_sof2File = m_fileName + EclipseExtension("SOF2");
    m_sgwfnFile = m_fileName + EclipseExtension("SGWFN");
}

void clsECL::Execute() {
    struct Table {
        bool selected;
        const std::string& path;
        const char* keyword;
    };
    const Table tables[] = {
        {m_pvdo, m_pvdoFile, "PVDO"}, {m_pvto, m_pvtoFile, "PVTO"},    {m_pvdg, m_pvdgFile, "PVDG"},
        {m_pvtw, m_pvtwFile, "PVTW"}, {m_dens, m_densFile, "DENSITY"}, {m_swof, m_swofFile, "SWOF"},
        {m_sgof, m_sgofFile, "SGOF"}, {m_swfn, m_swfnFile, "SWFN"},    {m_sgfn, m_sgfnFile, "SGFN"},
        {m_sof3, m_sof3File, "SOF3"}, {m_sof2, m_sof2File, "SOF2"},    {m_sgwfn, m_sgwfnFile, "SGWFN"},
    };
    std::string written;
    for (const Table& t : tables) {
        if (!t.selected) continue;
        TextFile file;
        file.Create(t.path);
        WriteTable(file, t.keyword);
        file.Close();
        written += t.keyword;
        written += ' ';
    }
    m_sink.ShowInfo("Eclipse output complete!", "Files: " + written);
}

void WriteEclipseTableBody(TextFile& file, const Q7Objects& objects, std::string_view keyword,
                           EclipseUnits units, bool consistent) {
    WriteEclipseTableBody(file, LayEclipseTable(objects, keyword, units, consistent));
}

void WriteEclipseTableBody(TextFile& file, const EclipseTable& table) {
    for (const std::string& line : EclipseTableLines(table))
        file.WriteLine(line);
}

std::string ConstantRsRecord(const Q7Objects& objects, EclipseUnits units) {
    const EclipseTable t = LayEclipseTable(objects, "RSCONST", units);
    return EclipseRowText(t, t.records.front().front()) + std::string(t.decl->recordEnd);
}

// One file: in METRIC units a comment naming them, the laboratory match as comments when one was
// made, the keyword, an empty line and the table, then for a dead-oil table its constant-Rs record,
// for every other table an empty line.
void clsECL::WriteTable(TextFile& file, std::string_view keyword) const {
    if (m_units == EclipseUnits::Metric) file.WriteLine(kMetricHeading);
    for (const std::string& line : OilMatchLines(m_objects.Oil)) {
        std::string comment = "-- ";
        comment += line;
        file.WriteLine(comment);
    }
    for (const std::string& line : ChosenCorrelationLines(m_objects)) {
        std::string comment = "-- ";
        comment += line;
        file.WriteLine(comment);
    }
    file.WriteLine(keyword);
    file.WriteLine();
    WriteEclipseTableBody(file, m_objects, keyword, m_units, m_consistent);
    if (keyword == "PVDO") {
        file.WriteBlankLines(3);
        file.WriteLine("RSCONST");
        const std::string_view heading = EclipseSpec("RSCONST").Heading(m_units);
        if (!heading.empty()) file.WriteLine(heading);
        file.WriteLine(ConstantRsRecord(m_objects, m_units));
    } else {
        file.WriteLine();
    }
}

} // namespace q7
