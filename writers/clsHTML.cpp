#include "writers/clsHTML.h"

#include "numeric/AsciiText.h"
#include "numeric/Errors.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace q7 {

namespace {

// The Boolean value of a text: True/False in any case, or a number (non-zero is true).
bool BooleanOf(std::string_view text) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (AsciiEqualFold(t, "true")) return true;
    if (AsciiEqualFold(t, "false")) return false;
    try {
        std::size_t used = 0;
        double v = std::stod(std::string(t), &used);
        if (used == t.size()) return v != 0.0;
    } catch (const std::exception&) {
    }
    throw Error("Type mismatch: \"" + std::string(text) + "\" is not True or False");
}

} // namespace

clsHTML::clsHTML() : m_fileName("sample.htm") {}

clsHTML::~clsHTML() {
    try {
        Close();
    } catch (...) {
    }
}

void clsHTML::HTMLEnable(std::string_view value) {
    m_enabled = BooleanOf(value);
    if (!m_enabled) return;
    try {
        // A page still open is closed as it stands before the new one starts.
        if (m_file.IsOpen()) m_file.Close();
        m_file.Create(m_fileName);
    } catch (...) {
        m_enabled = false;
        throw;
    }
    htmlHeader();
}

void clsHTML::Close() {
    if (!m_file.IsOpen()) return;
    htmlEnd();
    m_enabled = false;
    m_file.Close();
}

void clsHTML::htmlHeader() {
    if (!m_enabled) return;
    m_file.WriteLine("<HTML><HEAD>");
    // The page's text is UTF-8 as typed (a degree sign, a name): a browser must not guess.
    m_file.WriteLine("<META charset=\"utf-8\">");
    m_file.WriteLine("<STYLE type='text/css'>");
    m_file.WriteLine("EM.reg {color:black; font-family:arial; ");
    m_file.WriteLine("font-style:italic; font-weight:500; font-size:10pt}");
    m_file.WriteLine("EM.t   {color:blue; font-family:arial; font-style:italic; ");
    m_file.WriteLine("font-weight:bold; font-size:13pt}");
    m_file.WriteLine("EM.st  {line-height:150%; font-weight:bold; color:black; ");
    m_file.WriteLine("font-family:arial; font-style:normal; font-size:11pt}");
    m_file.WriteLine("EM.stu {text-decoration:underline; line-height:150%; font-weight:bold; color:black; ");
    m_file.WriteLine("font-family:arial; font-style:normal; font-size:11pt}");
    m_file.WriteLine("EM.sst {font-weight:bold; color:green; font-family:arial; ");
    m_file.WriteLine("font-style:normal; text-decoration:nounderline; font-size:9pt}");
    m_file.WriteLine("</STYLE></HEAD>");
    m_file.WriteLine("<BODY>");
    defaultTABLE();
}

void clsHTML::htmlEnd() {
    if (!m_enabled) return;
    m_file.WriteLine("</TABLE></BODY></HTML>");
}

void clsHTML::HLine() {
    if (!m_enabled) return;
    m_file.Write("<TR>");
    m_file.WriteLine("<TD colspan=3><HR></TD>");
    m_file.Write("</TR>");
}

void clsHTML::defaultTABLE() {
    if (!m_enabled) return;
    m_file.WriteLine("<TABLE cols=3 width=800 cellpadding=4>");
    m_file.Write("<TR>");
    m_file.WriteLine("<TD width='33%'></TD>");
    m_file.WriteLine("<TD width='33%'></TD>");
    m_file.WriteLine("<TD width='34%'></TD>");
    m_file.Write("</TR>");
}

void clsHTML::startTABLE(std::int16_t colsIN, std::span<const std::string> ColHead) {
    if (!m_enabled) return;
    if (colsIN > 0 && static_cast<std::size_t>(colsIN) > ColHead.size()) throw SubscriptError();
    m_file.WriteLine("</TABLE><TABLE align='center' border=1 cols=", std::to_string(colsIN),
                     " cellpadding=4>");
    m_file.WriteLine("<tr valign='bottom'>");
    for (int k = 0; k < colsIN; ++k)
        m_file.WriteLine("<TD align='right' width=85><EM class='stu'>", ColHead[static_cast<std::size_t>(k)],
                         "</EM></TD>");
    m_file.Write("</TR>");
}

void clsHTML::dataTABLE(std::int16_t colsIN, std::span<const std::string> Column) {
    if (!m_enabled) return;
    if (colsIN > 0 && static_cast<std::size_t>(colsIN) > Column.size()) throw SubscriptError();
    m_file.WriteLine("<tr>");
    for (int k = 0; k < colsIN; ++k)
        m_file.WriteLine("<TD align='right'><EM class='sst'>", Column[static_cast<std::size_t>(k)],
                         "</EM></TD>");
    m_file.Write("</TR>");
}

void clsHTML::endTABLE() {
    if (!m_enabled) return;
    m_file.WriteLine("</TABLE>");
    defaultTABLE();
}

void clsHTML::ThreeCells(std::string_view cls, std::string_view left, std::string_view centre,
                         std::string_view right) {
    if (!m_enabled) return;
    m_file.WriteLine("<TR><TD align='left'><EM class='", cls, "'>", left, "</EM></TD>");
    m_file.WriteLine("<TD align='center'><EM class='", cls, "'>", centre, "</EM></TD>");
    m_file.WriteLine("<TD align='right'><EM class='", cls, "'>", right, "</EM></TD>");
    m_file.Write("</TR>");
}

void clsHTML::LabelOne(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT) {
    ThreeCells("t", strLEFT, strCEN, strRIGHT);
}

void clsHTML::LabelTwo(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT) {
    ThreeCells("st", strLEFT, strCEN, strRIGHT);
}

void clsHTML::LabelTwoU(std::string_view strLEFT, std::string_view strCEN, std::string_view strRIGHT) {
    ThreeCells("stu", strLEFT, strCEN, strRIGHT);
}

void clsHTML::LabelValue(std::string_view lblIN, std::string_view valIN) {
    if (!m_enabled) return;
    m_file.WriteLine("<TR><TD align='right'><EM class='reg'>", lblIN, "</EM></TD>");
    m_file.WriteLine("<TD align='left'><EM class='sst'>", valIN, "</EM></TD>");
    m_file.Write("</TR>");
}

} // namespace q7
