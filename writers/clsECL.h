#pragma once
// Eclipse include files in field units (or METRIC, by choice), one keyword table per file: PVDO with its
// RSCONST record, PVTO, PVDG, PVTW, DENSITY, SWOF and SGOF. The writer reads the calculation objects and
// changes none of them; it writes what they hold without looking at their GO flags.
#include "writers/EclipseTableDescription.h"
#include "writers/EclipseUnits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace q7 {

struct Q7Objects;
class MessageSink;
class TextFile;

class clsECL {
public:
    clsECL(const Q7Objects& objects, MessageSink& sink);

    // Base name of the seven files; setting it derives every path (base + ".pvdo", ".pvto",
    // ".pvdg", ".pvtw", ".dens", ".swof", ".sgof"). The base is used exactly as typed.
    const std::string& FileName() const { return m_fileName; }
    void FileName(std::string_view base);

    const std::string& PVDOFile() const { return m_pvdoFile; }
    void PVDOFile(std::string_view path) { m_pvdoFile = path; }
    const std::string& PVTOFile() const { return m_pvtoFile; }
    void PVTOFile(std::string_view path) { m_pvtoFile = path; }
    const std::string& PVDGFile() const { return m_pvdgFile; }
    void PVDGFile(std::string_view path) { m_pvdgFile = path; }
    const std::string& PVTWFile() const { return m_pvtwFile; }
    void PVTWFile(std::string_view path) { m_pvtwFile = path; }
    const std::string& DENSFile() const { return m_densFile; }
    void DENSFile(std::string_view path) { m_densFile = path; }
    const std::string& SWOFFile() const { return m_swofFile; }
    void SWOFFile(std::string_view path) { m_swofFile = path; }
    const std::string& SGOFFile() const { return m_sgofFile; }
    void SGOFFile(std::string_view path) { m_sgofFile = path; }
    // Family II and the gas–water table in one: base + ".swfn", ".sgfn", ".sof3", ".sof2", ".sgwfn".
    const std::string& SWFNFile() const { return m_swfnFile; }
    void SWFNFile(std::string_view path) { m_swfnFile = path; }
    const std::string& SGFNFile() const { return m_sgfnFile; }
    void SGFNFile(std::string_view path) { m_sgfnFile = path; }
    const std::string& SOF3File() const { return m_sof3File; }
    void SOF3File(std::string_view path) { m_sof3File = path; }
    const std::string& SOF2File() const { return m_sof2File; }
    void SOF2File(std::string_view path) { m_sof2File = path; }
    const std::string& SGWFNFile() const { return m_sgwfnFile; }
    void SGWFNFile(std::string_view path) { m_sgwfnFile = path; }

    bool PVDO() const { return m_pvdo; }
    void PVDO(bool value) { m_pvdo = value; }
    bool PVTO() const { return m_pvto; }
    void PVTO(bool value) { m_pvto = value; }
    bool PVDG() const { return m_pvdg; }
    void PVDG(bool value) { m_pvdg = value; }
    bool PVTW() const { return m_pvtw; }
    void PVTW(bool value) { m_pvtw = value; }
    bool DENS() const { return m_dens; }
    void DENS(bool value) { m_dens = value; }
    bool SWOF() const { return m_swof; }
    void SWOF(bool value) { m_swof = value; }
    bool SGOF() const { return m_sgof; }
    void SGOF(bool value) { m_sgof = value; }
    bool SWFN() const { return m_swfn; }
    void SWFN(bool value) { m_swfn = value; }
    bool SGFN() const { return m_sgfn; }
    void SGFN(bool value) { m_sgfn = value; }
    bool SOF3() const { return m_sof3; }
    void SOF3(bool value) { m_sof3 = value; }
    bool SOF2() const { return m_sof2; }
    void SOF2(bool value) { m_sof2 = value; }
    bool SGWFN() const { return m_sgwfn; }
    void SGWFN(bool value) { m_sgwfn = value; }

    // Live-oil tables whose saturated curve keeps a positive total compressibility (LayEclipseTable's
    // `consistent`); off unless chosen.
    bool Consistent() const { return m_consistent; }
    void Consistent(bool value) { m_consistent = value; }

    // The unit system of the files; FIELD unless chosen otherwise.
    EclipseUnits Units() const { return m_units; }
    void Units(EclipseUnits units) { m_units = units; }

    // Writes the selected files in the order PVDO, PVTO, PVDG, PVTW, DENSITY, SWOF, SGOF (then SWFN,
    // SGFN, SOF3, SOF2, SGWFN), then shows
    // "Eclipse output complete!" titled "Files: " and the keywords written. A file that cannot be
    // created or written throws IoError: the files before it stay complete, no later file is
    // written and no message is shown.
    void Execute();

private:
    void WriteTable(TextFile& file, std::string_view keyword) const;

    const Q7Objects& m_objects;
    MessageSink& m_sink;
    EclipseUnits m_units = EclipseUnits::Field;
    bool m_consistent = false;
    std::string m_fileName;
    std::string m_pvdoFile, m_pvtoFile, m_pvdgFile, m_pvtwFile, m_densFile, m_swofFile, m_sgofFile;
    bool m_pvdo = false, m_pvto = false, m_pvdg = false, m_pvtw = false, m_dens = false, m_swof = false,
         m_sgof = false;
    std::string m_swfnFile, m_sgfnFile, m_sof3File, m_sof2File, m_sgwfnFile;
    bool m_swfn = false, m_sgfn = false, m_sof3 = false, m_sof2 = false, m_sgwfn = false;
};

// The extension of a keyword's file: ".pvdo", ".pvto", ".pvdg", ".pvtw", ".dens", ".swof", ".sgof".
// Throws std::invalid_argument for a keyword not in kEclipseAllKeywords.
std::string EclipseExtension(std::string_view keyword);

} // namespace q7
