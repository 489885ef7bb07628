#pragma once
// One HTML page written as a stream of fixed fragments: a page head with a style sheet of five
// emphasis classes, a three-column layout table for label rows, and bordered data tables. Every
// operation does nothing while output is disabled, so a caller may call them unconditionally.
//
// Rows end with an open "</TR>", so consecutive rows share a line:
//   <TR><TD align='right'><EM class='reg'>API Gravity: </EM></TD>
//   <TD align='left'><EM class='sst'>35</EM></TD>
//   </TR><TR><TD align='right'><EM class='reg'>...
// Texts are written as given: nothing is escaped.
#include "writers/TextFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace q7 {

class clsHTML {
public:
    clsHTML();
    // Still enabled: writes the page end, then closes the page (errors ignored).
    ~clsHTML();
    clsHTML(const clsHTML&) = delete;
    clsHTML& operator=(const clsHTML&) = delete;

    // "True" or "False". Setting a true value ("True", "False" in any case, or a number: non-zero is
    // true) creates the file FileName anew and writes the page head at once; setting false only
    // stops further output. Any other text throws Error ("Type mismatch").
    std::string HTMLEnable() const { return m_enabled ? "True" : "False"; }
    void HTMLEnable(std::string_view value);

    const std::string& FileName() const { return m_fileName; }
    void FileName(std::string_view value) { m_fileName = value; }

    void htmlHeader();
    void htmlEnd();
    void HLine();
    void defaultTABLE();
    // ColHead[0] is the heading of column 1. More columns than headings throws SubscriptError
    // before anything is written.
    void startTABLE(std::int16_t colsIN, std::span<const std::string> ColHead);
    void dataTABLE(std::int16_t colsIN, std::span<const std::string> Column);
    void endTABLE();
    void LabelOne(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT);
    void LabelTwo(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT);
    void LabelTwoU(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT);
    void LabelValue(std::string_view lblIN, std::string_view valIN);

    // The end of the page's life: writes the page end when enabled and closes the file, reporting
    // a failure as IoError (the destructor does the same silently).
    void Close();

private:
    void ThreeCells(std::string_view cls, std::string_view left, std::string_view centre,
                    std::string_view right);

    bool m_enabled = false;
    std::string m_fileName;
    TextFile m_file;
};

} // namespace q7
