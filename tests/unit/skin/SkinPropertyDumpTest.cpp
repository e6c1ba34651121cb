#include "skin/SkinPropertyDump.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

namespace tavrelin::skin {
namespace {

TEST(SkinPropertyDump, ListsEveryTypeInClassPartStateOrder)
{
    CSkinSchema schema;
    test::LoadProperties(schema, "[Window.Caption(Inactive)]\r\n"
                                 "TextColor = 1 2 3\r\n"
                                 "[Window]\r\n"
                                 "SizingType = Diagonal\r\n"
                                 "BgType = BorderFill\r\n"
                                 "ContentMargins = 1, 2, 3, 4\r\n"
                                 "MinSize = -5, 6\r\n"
                                 "Transparent = true\r\n"
                                 "ImageCount = 7\r\n"
                                 "Text = tab\there\\\r\n"
                                 "[SysMetrics]\r\n"
                                 "CaptionFont = Tahoma, 8, Bold\r\n"
                                 "[Scrollbar.ArrowBtn(LeftHot)]\r\n"
                                 "FillColor = 0xFF 0 0\r\n");
    EXPECT_EQ(DumpSkinProperties(schema.Properties()),
              "SYSMETRICS\t-\t-\tCAPTIONFONT\tfont\tTAHOMA, height -11, weight 700, charset 0\n"
              "WINDOW\t-\t-\tTRANSPARENT\tboolean\tTRUE\n"
              "WINDOW\t-\t-\tIMAGECOUNT\tinteger\t7\n"
              "WINDOW\t-\t-\tTEXT\tstring\tTAB\\x09HERE\\\\\n"
              "WINDOW\t-\t-\tMINSIZE\tpoint\t-5, 6\n"
              "WINDOW\t-\t-\tCONTENTMARGINS\trectangle\t1, 2, 3, 4\n"
              "WINDOW\t-\t-\tBGTYPE\tenum\tBORDERFILL (1)\n"
              "WINDOW\t-\t-\tSIZINGTYPE\tenum\t-1\n"
              "WINDOW\tCAPTION\tINACTIVE\tTEXTCOLOR\tcolor\t1 2 3\n"
              "SCROLLBAR\tARROWBTN\tLEFTHOT\tFILLCOLOR\tcolor\t255 0 0\n");
}

TEST(SkinPropertyDump, StateNamesComeFromTheClassWhenThereIsNoPart)
{
    CSkinSchema schema;
    test::LoadProperties(schema, "[Toolbar(HotChecked)]\r\nImageCount = 1\r\n[Toolbar.Button]\r\nImageCount = 2\r\n");
    EXPECT_EQ(DumpSkinProperties(schema.Properties()), "TOOLBAR\t-\tHOTCHECKED\tIMAGECOUNT\tinteger\t1\n"
                                                       "TOOLBAR\tBUTTON\t-\tIMAGECOUNT\tinteger\t2\n");
}

} // namespace
} // namespace tavrelin::skin
