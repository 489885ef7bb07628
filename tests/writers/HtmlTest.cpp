// The HTML fragment writer: a page written whole against its expected text, the fragments whose
// shape matters (a table of no columns, rows sharing lines after an open "</TR>"), and a disabled
// writer that writes nothing.
#include "WriterTestSupport.h"

#include "numeric/Errors.h"
#include "writers/clsHTML.h"

namespace q7::test {
namespace {

const std::string kHead =
    Lines({"<HTML><HEAD>", "<META charset=\"utf-8\">", "<STYLE type='text/css'>",
           "EM.reg {color:black; font-family:arial; ", "font-style:italic; font-weight:500; font-size:10pt}",
           "EM.t   {color:blue; font-family:arial; font-style:italic; ", "font-weight:bold; font-size:13pt}",
           "EM.st  {line-height:150%; font-weight:bold; color:black; ",
           "font-family:arial; font-style:normal; font-size:11pt}",
           "EM.stu {text-decoration:underline; line-height:150%; font-weight:bold; color:black; ",
           "font-family:arial; font-style:normal; font-size:11pt}",
           "EM.sst {font-weight:bold; color:green; font-family:arial; ",
           "font-style:normal; text-decoration:nounderline; font-size:9pt}", "</STYLE></HEAD>", "<BODY>",
           "<TABLE cols=3 width=800 cellpadding=4>", "<TR><TD width='33%'></TD>", "<TD width='33%'></TD>",
           "<TD width='34%'></TD>"});

TEST(Html, PageWithLabelRowsAndADataTable) {
    ScratchDir dir;
    {
        clsHTML page;
        page.FileName(dir / "p.htm");
        page.HTMLEnable("True");
        page.LabelOne("Corvanta", "", "08-Dec-2026 05:15 pm");
        page.LabelValue("API Gravity: ", "35");
        page.HLine();
        page.LabelTwoU("Rock Properties", "", "");
        const std::vector<std::string> head = {"Water (Sat)", "Oil (Sat)"};
        page.startTABLE(2, head);
        page.dataTABLE(2, std::vector<std::string>{"       0.20", "        0.80"});
        page.endTABLE();
        page.LabelTwo("", "centre", "");
    } // released while enabled: the page end is written
    const std::string expected =
        kHead +
        Lines({"</TR><TR><TD align='left'><EM class='t'>Corvanta</EM></TD>",
               "<TD align='center'><EM class='t'></EM></TD>",
               "<TD align='right'><EM class='t'>08-Dec-2026 05:15 pm</EM></TD>",
               // a label row continues the line the previous row left open
               "</TR><TR><TD align='right'><EM class='reg'>API Gravity: </EM></TD>",
               "<TD align='left'><EM class='sst'>35</EM></TD>", "</TR><TR><TD colspan=3><HR></TD>",
               "</TR><TR><TD align='left'><EM class='stu'>Rock Properties</EM></TD>",
               "<TD align='center'><EM class='stu'></EM></TD>",
               "<TD align='right'><EM class='stu'></EM></TD>",
               "</TR></TABLE><TABLE align='center' border=1 cols=2 cellpadding=4>", "<tr valign='bottom'>",
               "<TD align='right' width=85><EM class='stu'>Water (Sat)</EM></TD>",
               "<TD align='right' width=85><EM class='stu'>Oil (Sat)</EM></TD>", "</TR><tr>",
               "<TD align='right'><EM class='sst'>       0.20</EM></TD>",
               "<TD align='right'><EM class='sst'>        0.80</EM></TD>", "</TR></TABLE>",
               "<TABLE cols=3 width=800 cellpadding=4>", "<TR><TD width='33%'></TD>", "<TD width='33%'></TD>",
               "<TD width='34%'></TD>", "</TR><TR><TD align='left'><EM class='st'></EM></TD>",
               "<TD align='center'><EM class='st'>centre</EM></TD>",
               "<TD align='right'><EM class='st'></EM></TD>", "</TR></TABLE></BODY></HTML>"});
    EXPECT_EQ(ReadFile(dir / "p.htm"), expected);
}

TEST(Html, TableOfNoColumnsHasOnlyItsOpeningAndTheHeadingRowShell) {
    ScratchDir dir;
    clsHTML page;
    page.FileName(dir / "p.htm");
    page.HTMLEnable("True");
    page.startTABLE(0, {});
    page.Close();
    EXPECT_EQ(ReadFile(dir / "p.htm"),
              kHead + Lines({"</TR></TABLE><TABLE align='center' border=1 cols=0 cellpadding=4>",
                             "<tr valign='bottom'>", "</TR></TABLE></BODY></HTML>"}));
}

TEST(Html, DisabledWriterCreatesNoFileAndWritesNothing) {
    ScratchDir dir;
    {
        clsHTML page;
        page.FileName(dir / "p.htm");
        EXPECT_EQ(page.HTMLEnable(), "False");
        page.htmlHeader();
        page.LabelOne("a", "b", "c");
        page.LabelValue("a", "b");
        page.startTABLE(1, std::vector<std::string>{"h"});
        page.dataTABLE(1, std::vector<std::string>{"d"});
        page.endTABLE();
        page.HLine();
        page.htmlEnd();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "p.htm"));
}

// The enable flag takes the boolean value of its text; output stops when disabled and the file is
// then closed without the page end.
TEST(Html, OutputStopsWhenDisabledAndTheFileIsClosedWithoutPageEnd) {
    ScratchDir dir;
    {
        clsHTML page;
        page.FileName(dir / "p.htm");
        page.HTMLEnable("true");
        EXPECT_EQ(page.HTMLEnable(), "True");
        page.HTMLEnable("0");
        EXPECT_EQ(page.HTMLEnable(), "False");
        page.HTMLEnable("-1"); // the page started again
        EXPECT_EQ(page.HTMLEnable(), "True");
        EXPECT_THROW(page.HTMLEnable("yes please"), Error);
        page.HTMLEnable("False");
        page.LabelValue("not", "written");
    }
    EXPECT_EQ(ReadFile(dir / "p.htm"), kHead + "</TR>");
}

TEST(Html, MoreCellsThanTheRowHoldsIsRefusedBeforeWriting) {
    ScratchDir dir;
    {
        clsHTML page;
        page.FileName(dir / "p.htm");
        page.HTMLEnable("True");
        const std::vector<std::string> six = {"1", "2", "3", "4", "5", "6"};
        EXPECT_THROW(page.startTABLE(7, six), SubscriptError);
        EXPECT_THROW(page.dataTABLE(7, six), SubscriptError);
    }
    EXPECT_EQ(ReadFile(dir / "p.htm"), kHead + "</TR></TABLE></BODY></HTML>\r\n");
}

TEST(Html, UnwritablePageThrowsIoErrorAndStaysDisabled) {
    ScratchDir dir;
    clsHTML page;
    page.FileName(dir / "missing/p.htm");
    EXPECT_THROW(page.HTMLEnable("True"), IoError);
    EXPECT_EQ(page.HTMLEnable(), "False");
}

} // namespace
} // namespace q7::test
