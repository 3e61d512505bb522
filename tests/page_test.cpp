#include "page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing_list.h"
#include "temp_dir.h"

namespace {

std::string written_page(const std::vector<Fields>& listings) {
    make_list(listings);
    TempDir dir;
    write_page(dir.file("page.html").c_str());
    return dir.read("page.html").value();
}

const std::string kHeader =
    "<HTML>\r\n<HEAD>\r\n<TITLE>Sorted URLs</TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n";
const std::string kFooter = "\r\n</BODY>\r\n</HTML>";

TEST(WritePage, EmptyListGivesHeaderAndFooterOnly) {
    EXPECT_EQ(written_page({}), kHeader + kFooter);
}

TEST(WritePage, WritesOneEntryPerListingInListOrder) {
    struct Case {
        std::string name;
        Fields listing;
        std::string entry;
    };
    const Case cases[] = {
        {"description",
         {"Example\n", "a.html\n", "A page\n"},
         "<A HREF=\"a.html\">Example</A> A page<DT>\r\n"},
        {"star leaves it out",
         {"Example\n", "a.html\n", "*none\n"},
         "<A HREF=\"a.html\">Example</A><DT>\r\n"},
        {"empty fields", {"Example\n", "", ""}, "<A HREF=\"\">Example</A> <DT>\r\n"},
        {"lone line feed description",
         {"Example\n", "a\n", "\n"},
         "<A HREF=\"a\">Example</A> <DT>\r\n"},
        {"0x0E cuts a field",
         {"T\x0e"
          "x\n",
          "a\x0e"
          "b\n",
          "\x0e*\n"},
         "<A HREF=\"a\">T</A> <DT>\r\n"},
        {"bytes pass unchanged",
         {"\xe9 & <b>\x1a\r\n", "q?a=\"1\"\n", "\x80\xff"},
         "<A HREF=\"q?a=\"1\"\">\xe9 & <b>\x1a\r</A> \x80\xff<DT>\r\n"},
        {"field without line feed", {"T", "a", "d"}, "<A HREF=\"a\">T</A> d<DT>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(written_page({c.listing}), kHeader + c.entry + kFooter);
    }
    EXPECT_EQ(written_page({{"B\n", "b\n", "2\n"}, {"A\n", "a\n", "*\n"}}),
              kHeader + "<A HREF=\"b\">B</A> 2<DT>\r\n<A HREF=\"a\">A</A><DT>\r\n" + kFooter);
}

}  // namespace
