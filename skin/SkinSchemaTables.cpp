#include "skin/SkinSchemaTables.h"

#include <algorithm>
#include <array>

// The tables are laid out by hand, one row a line, so that they read like the
// lists they copy.
// clang-format off

namespace tavrelin::skin {
namespace {

using T = ESkinPropertyType;

constexpr SkinSchemaName kClasses[] = {
    {"Globals", 1}, {"Documentation", 2}, {"SysMetrics", 3}, {"ListBox", 4}, {"Dialog", 5},
    {"WINDOW", 6}, {"BUTTON", 7}, {"REBAR", 8}, {"TOOLBAR", 9}, {"STATUS", 10},
    {"MENU", 11}, {"LISTVIEW", 12}, {"HEADER", 13}, {"PROGRESS", 14}, {"TAB", 15},
    {"TRACKBAR", 16}, {"TOOLTIP", 17}, {"TREEVIEW", 18}, {"SPIN", 19}, {"PAGE", 20},
    {"SCROLLBAR", 21}, {"EDIT", 22}, {"COMBOBOX", 23}, {"CLOCK", 24}, {"TRAYNOTIFY", 25},
    {"TASKBAR", 26}, {"TASKBAND", 27}, {"STARTPANEL", 28}, {"EXPLORERBAR", 29}, {"MENUBAND", 30},
};

// Parts, one table per class.
constexpr SkinSchemaName kWindowParts[] = {
    {"CAPTION", 1}, {"SMALLCAPTION", 2}, {"MINCAPTION", 3}, {"SMALLMINCAPTION", 4},
    {"MAXCAPTION", 5}, {"SMALLMAXCAPTION", 6}, {"FRAMELEFT", 7}, {"FRAMERIGHT", 8},
    {"FRAMEBOTTOM", 9}, {"SMALLFRAMELEFT", 10}, {"SMALLFRAMERIGHT", 11}, {"SMALLFRAMEBOTTOM", 12},
    {"SYSBUTTON", 13}, {"MDISYSBUTTON", 14}, {"MINBUTTON", 15}, {"MDIMINBUTTON", 16},
    {"MAXBUTTON", 17}, {"CLOSEBUTTON", 18}, {"SMALLCLOSEBUTTON", 19}, {"MDICLOSEBUTTON", 20},
    {"RESTOREBUTTON", 21}, {"MDIRESTOREBUTTON", 22}, {"HELPBUTTON", 23}, {"MDIHELPBUTTON", 24},
    {"HORZSCROLL", 25}, {"HORZTHUMB", 26}, {"VERTSCROLL", 27}, {"VERTTHUMB", 28},
    {"DIALOG", 29}, {"CAPTIONSIZINGTEMPLATE", 30}, {"SMALLCAPTIONSIZINGTEMPLATE", 31},
    {"FRAMELEFTSIZINGTEMPLATE", 32}, {"SMALLFRAMELEFTSIZINGTEMPLATE", 33},
    {"FRAMERIGHTSIZINGTEMPLATE", 34}, {"SMALLFRAMERIGHTSIZINGTEMPLATE", 35},
    {"FRAMEBOTTOMSIZINGTEMPLATE", 36}, {"SMALLFRAMEBOTTOMSIZINGTEMPLATE", 37},
};
constexpr SkinSchemaName kButtonParts[] = {
    {"PUSHBUTTON", 1}, {"RADIOBUTTON", 2}, {"CHECKBOX", 3}, {"GROUPBOX", 4}, {"USERBUTTON", 5},
};
constexpr SkinSchemaName kRebarParts[] = {
    {"GRIPPER", 1}, {"GRIPPERVERT", 2}, {"BAND", 3}, {"CHEVRON", 4}, {"CHEVRONVERT", 5},
};
constexpr SkinSchemaName kToolbarParts[] = {
    {"BUTTON", 1}, {"DROPDOWNBUTTON", 2}, {"SPLITBUTTON", 3}, {"SPLITBUTTONDROPDOWN", 4},
    {"SEPARATOR", 5}, {"SEPARATORVERT", 6},
};
constexpr SkinSchemaName kStatusParts[] = {{"PANE", 1}, {"GRIPPERPANE", 2}, {"GRIPPER", 3}};
constexpr SkinSchemaName kMenuParts[] = {
    {"MENUITEM", 1}, {"MENUDROPDOWN", 2}, {"MENUBARITEM", 3}, {"MENUBARDROPDOWN", 4},
    {"CHEVRON", 5}, {"SEPARATOR", 6},
};
constexpr SkinSchemaName kListViewParts[] = {
    {"LISTITEM", 1}, {"LISTGROUP", 2}, {"LISTDETAIL", 3}, {"LISTSORTEDDETAIL", 4}, {"EMPTYTEXT", 5},
};
constexpr SkinSchemaName kHeaderParts[] = {
    {"HEADERITEM", 1}, {"HEADERITEMLEFT", 2}, {"HEADERITEMRIGHT", 3}, {"HEADERSORTARROW", 4},
};
constexpr SkinSchemaName kProgressParts[] = {{"BAR", 1}, {"BARVERT", 2}, {"CHUNK", 3}, {"CHUNKVERT", 4}};
constexpr SkinSchemaName kTabParts[] = {
    {"TABITEM", 1}, {"TABITEMLEFTEDGE", 2}, {"TABITEMRIGHTEDGE", 3}, {"TABITEMBOTHEDGE", 4},
    {"TOPTABITEM", 5}, {"TOPTABITEMLEFTEDGE", 6}, {"TOPTABITEMRIGHTEDGE", 7},
    {"TOPTABITEMBOTHEDGE", 8}, {"PANE", 9}, {"BODY", 10},
};
constexpr SkinSchemaName kTrackbarParts[] = {
    {"TRACK", 1}, {"TRACKVERT", 2}, {"THUMB", 3}, {"THUMBBOTTOM", 4}, {"THUMBTOP", 5},
    {"THUMBVERT", 6}, {"THUMBLEFT", 7}, {"THUMBRIGHT", 8}, {"TICS", 9}, {"TICSVERT", 10},
};
constexpr SkinSchemaName kTooltipParts[] = {
    {"STANDARD", 1}, {"STANDARDTITLE", 2}, {"BALLOON", 3}, {"BALLOONTITLE", 4}, {"CLOSE", 5},
};
constexpr SkinSchemaName kTreeViewParts[] = {{"TREEITEM", 1}, {"GLYPH", 2}, {"BRANCH", 3}};
constexpr SkinSchemaName kSpinParts[] = {{"UP", 1}, {"DOWN", 2}, {"UPHORZ", 3}, {"DOWNHORZ", 4}};
constexpr SkinSchemaName kScrollBarParts[] = {
    {"ARROWBTN", 1}, {"THUMBBTNHORZ", 2}, {"THUMBBTNVERT", 3}, {"LOWERTRACKHORZ", 4},
    {"UPPERTRACKHORZ", 5}, {"LOWERTRACKVERT", 6}, {"UPPERTRACKVERT", 7}, {"GRIPPERHORZ", 8},
    {"GRIPPERVERT", 9}, {"SIZEBOX", 10},
};
constexpr SkinSchemaName kEditParts[] = {{"EDITTEXT", 1}, {"CARET", 2}};
constexpr SkinSchemaName kComboBoxParts[] = {{"DROPDOWNBUTTON", 1}};
constexpr SkinSchemaName kClockParts[] = {{"TIME", 1}};
constexpr SkinSchemaName kTrayNotifyParts[] = {{"BACKGROUND", 1}, {"ANIMBACKGROUND", 2}};
constexpr SkinSchemaName kTaskbarParts[] = {
    {"BACKGROUNDBOTTOM", 1}, {"BACKGROUNDRIGHT", 2}, {"BACKGROUNDTOP", 3}, {"BACKGROUNDLEFT", 4},
    {"SIZINGBARBOTTOM", 5}, {"SIZINGBARRIGHT", 6}, {"SIZINGBARTOP", 7}, {"SIZINGBARLEFT", 8},
};
constexpr SkinSchemaName kTaskBandParts[] = {
    {"GROUPCOUNT", 1}, {"FLASHBUTTON", 2}, {"FLASHBUTTONGROUPMENU", 3},
};
constexpr SkinSchemaName kStartPanelParts[] = {
    {"USERPANE", 1}, {"MOREPROGRAMS", 2}, {"MOREPROGRAMSARROW", 3}, {"PROGLIST", 4},
    {"PROGLISTSEPARATOR", 5}, {"PLACESLIST", 6}, {"PLACESLISTSEPARATOR", 7}, {"LOGOFF", 8},
    {"LOGOFFBUTTONS", 9}, {"USERPICTURE", 10}, {"PREVIEW", 11},
};
constexpr SkinSchemaName kExplorerBarParts[] = {
    {"HEADERBACKGROUND", 1}, {"HEADERCLOSE", 2}, {"HEADERPIN", 3}, {"IEBARMENU", 4},
    {"NORMALGROUPBACKGROUND", 5}, {"NORMALGROUPCOLLAPSE", 6}, {"NORMALGROUPEXPAND", 7},
    {"NORMALGROUPHEAD", 8}, {"SPECIALGROUPBACKGROUND", 9}, {"SPECIALGROUPCOLLAPSE", 10},
    {"SPECIALGROUPEXPAND", 11}, {"SPECIALGROUPHEAD", 12},
};
// The second name is spelt so in the schema.
constexpr SkinSchemaName kMenuBandParts[] = {{"NEWAPPBUTTON", 1}, {"SEPERATOR", 2}};

constexpr SkinPartTable kPartTables[] = {
    {6, kWindowParts}, {7, kButtonParts}, {8, kRebarParts}, {9, kToolbarParts},
    {10, kStatusParts}, {11, kMenuParts}, {12, kListViewParts}, {13, kHeaderParts},
    {14, kProgressParts}, {15, kTabParts}, {16, kTrackbarParts}, {17, kTooltipParts},
    {18, kTreeViewParts}, {19, kSpinParts}, {20, kSpinParts}, {21, kScrollBarParts},
    {22, kEditParts}, {23, kComboBoxParts}, {24, kClockParts}, {25, kTrayNotifyParts},
    {26, kTaskbarParts}, {27, kTaskBandParts}, {28, kStartPanelParts}, {29, kExplorerBarParts},
    {30, kMenuBandParts},
};

// States, one table per group of owner names.
constexpr SkinSchemaName kFrameStates[] = {{"ACTIVE", 1}, {"INACTIVE", 2}};
constexpr SkinSchemaName kCaptionStates[] = {{"ACTIVE", 1}, {"INACTIVE", 2}, {"DISABLED", 3}};
constexpr SkinSchemaName kNormalHotPushedDisabled[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PUSHED", 3}, {"DISABLED", 4},
};
constexpr SkinSchemaName kPushButtonStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"DISABLED", 4}, {"DEFAULTED", 5},
};
constexpr SkinSchemaName kRadioButtonStates[] = {
    {"UNCHECKEDNORMAL", 1}, {"UNCHECKEDHOT", 2}, {"UNCHECKEDPRESSED", 3}, {"UNCHECKEDDISABLED", 4},
    {"CHECKEDNORMAL", 5}, {"CHECKEDHOT", 6}, {"CHECKEDPRESSED", 7}, {"CHECKEDDISABLED", 8},
};
constexpr SkinSchemaName kCheckBoxStates[] = {
    {"UNCHECKEDNORMAL", 1}, {"UNCHECKEDHOT", 2}, {"UNCHECKEDPRESSED", 3}, {"UNCHECKEDDISABLED", 4},
    {"CHECKEDNORMAL", 5}, {"CHECKEDHOT", 6}, {"CHECKEDPRESSED", 7}, {"CHECKEDDISABLED", 8},
    {"MIXEDNORMAL", 9}, {"MIXEDHOT", 10}, {"MIXEDPRESSED", 11}, {"MIXEDDISABLED", 12},
};
constexpr SkinSchemaName kGroupBoxStates[] = {{"NORMAL", 1}, {"DISABLED", 2}};
constexpr SkinSchemaName kNormalHotPressed[] = {{"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}};
constexpr SkinSchemaName kToolbarStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"DISABLED", 4}, {"CHECKED", 5}, {"HOTCHECKED", 6},
};
constexpr SkinSchemaName kMenuStates[] = {{"NORMAL", 1}, {"SELECTED", 2}, {"DEMOTED", 3}};
constexpr SkinSchemaName kListItemStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"SELECTED", 3}, {"DISABLED", 4}, {"SELECTEDNOTFOCUS", 5},
};
constexpr SkinSchemaName kSortArrowStates[] = {{"SORTEDUP", 1}, {"SORTEDDOWN", 2}};
constexpr SkinSchemaName kTabItemStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"SELECTED", 3}, {"DISABLED", 4}, {"FOCUSED", 5},
};
constexpr SkinSchemaName kNormalOnly[] = {{"NORMAL", 1}};
constexpr SkinSchemaName kThumbStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"FOCUSED", 4}, {"DISABLED", 5},
};
constexpr SkinSchemaName kHeaderPinStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3},
    {"SELECTEDNORMAL", 4}, {"SELECTEDHOT", 5}, {"SELECTEDPRESSED", 6},
};
constexpr SkinSchemaName kTooltipStates[] = {{"NORMAL", 1}, {"LINK", 2}};
constexpr SkinSchemaName kGlyphStates[] = {{"CLOSED", 1}, {"OPENED", 2}};
constexpr SkinSchemaName kSpinStates[] = {{"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"DISABLED", 4}};
constexpr SkinSchemaName kArrowButtonStates[] = {
    {"UPNORMAL", 1}, {"UPHOT", 2}, {"UPPRESSED", 3}, {"UPDISABLED", 4},
    {"DOWNNORMAL", 5}, {"DOWNHOT", 6}, {"DOWNPRESSED", 7}, {"DOWNDISABLED", 8},
    {"LEFTNORMAL", 9}, {"LEFTHOT", 10}, {"LEFTPRESSED", 11}, {"LEFTDISABLED", 12},
    {"RIGHTNORMAL", 13}, {"RIGHTHOT", 14}, {"RIGHTPRESSED", 15}, {"RIGHTDISABLED", 16},
};
constexpr SkinSchemaName kScrollBarStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"DISABLED", 4}, {"ACTIVE", 5},
};
constexpr SkinSchemaName kSizeBoxStates[] = {{"RIGHTALIGN", 1}, {"LEFTALIGN", 2}};
constexpr SkinSchemaName kEditTextStates[] = {
    {"NORMAL", 1}, {"HOT", 2}, {"SELECTED", 3}, {"DISABLED", 4}, {"FOCUSED", 5},
    {"READONLY", 6}, {"ASSIST", 7},
};
constexpr SkinSchemaName kComboBoxStates[] = {{"NORMAL", 1}, {"HOT", 2}, {"PRESSED", 3}, {"DISABLED", 4}};

constexpr SkinStateTable kStateTables[] = {
    {"FRAME", kFrameStates},
    {"CAPTION", kCaptionStates}, {"MAXCAPTION", kCaptionStates}, {"MINCAPTION", kCaptionStates},
    {"HORZSCROLL", kNormalHotPushedDisabled}, {"HORZTHUMB", kNormalHotPushedDisabled},
    {"VERTSCROLL", kNormalHotPushedDisabled}, {"VERTTHUMB", kNormalHotPushedDisabled},
    {"SYSBUTTON", kNormalHotPushedDisabled}, {"MINBUTTON", kNormalHotPushedDisabled},
    {"MAXBUTTON", kNormalHotPushedDisabled}, {"RESTOREBUTTON", kNormalHotPushedDisabled},
    {"HELPBUTTON", kNormalHotPushedDisabled}, {"CLOSEBUTTON", kNormalHotPushedDisabled},
    {"PUSHBUTTON", kPushButtonStates},
    {"RADIOBUTTON", kRadioButtonStates},
    {"CHECKBOX", kCheckBoxStates},
    {"GROUPBOX", kGroupBoxStates},
    {"CHEVRON", kNormalHotPressed},
    {"TOOLBAR", kToolbarStates}, {"MENUBAND", kToolbarStates},
    {"MENU", kMenuStates},
    {"LISTITEM", kListItemStates}, {"TREEITEM", kListItemStates},
    {"HEADERITEM", kNormalHotPressed}, {"HEADERITEMLEFT", kNormalHotPressed},
    {"HEADERITEMRIGHT", kNormalHotPressed},
    {"HEADERSORTARROW", kSortArrowStates},
    {"TABITEM", kTabItemStates}, {"TABITEMLEFTEDGE", kTabItemStates},
    {"TABITEMRIGHTEDGE", kTabItemStates}, {"TABITEMBOTHEDGE", kTabItemStates},
    {"TOPTABITEM", kTabItemStates}, {"TOPTABITEMLEFTEDGE", kTabItemStates},
    {"TOPTABITEMRIGHTEDGE", kTabItemStates}, {"TOPTABITEMBOTHEDGE", kTabItemStates},
    {"TRACKBAR", kNormalOnly}, {"TRACK", kNormalOnly}, {"TRACKVERT", kNormalOnly},
    {"TICS", kNormalOnly}, {"TICSVERT", kNormalOnly}, {"CLOCK", kNormalOnly},
    {"THUMB", kThumbStates}, {"THUMBBOTTOM", kThumbStates}, {"THUMBTOP", kThumbStates},
    {"THUMBVERT", kThumbStates}, {"THUMBLEFT", kThumbStates}, {"THUMBRIGHT", kThumbStates},
    {"CLOSE", kNormalHotPressed}, {"MOREPROGRAMSARROW", kNormalHotPressed},
    {"LOGOFFBUTTONS", kNormalHotPressed}, {"HEADERCLOSE", kNormalHotPressed},
    {"IEBARMENU", kNormalHotPressed}, {"NORMALGROUPCOLLAPSE", kNormalHotPressed},
    {"NORMALGROUPEXPAND", kNormalHotPressed}, {"SPECIALGROUPCOLLAPSE", kNormalHotPressed},
    {"SPECIALGROUPEXPAND", kNormalHotPressed},
    {"HEADERPIN", kHeaderPinStates},
    {"STANDARD", kTooltipStates}, {"BALLOON", kTooltipStates},
    {"GLYPH", kGlyphStates},
    {"UP", kSpinStates}, {"DOWN", kSpinStates}, {"UPHORZ", kSpinStates}, {"DOWNHORZ", kSpinStates},
    {"ARROWBTN", kArrowButtonStates},
    {"SCROLLBAR", kScrollBarStates},
    {"SIZEBOX", kSizeBoxStates},
    {"EDITTEXT", kEditTextStates},
    {"COMBOBOX", kComboBoxStates},
};

constexpr SkinPropertyInfo kProperties[] = {
    {"STRING", 201, T::String}, {"INT", 202, T::Integer}, {"BOOL", 203, T::Boolean},
    {"COLOR", 204, T::Color}, {"MARGINS", 205, T::Rectangle}, {"FILENAME", 206, T::String},
    {"SIZE", 207, T::Integer}, {"POSITION", 208, T::Point}, {"RECT", 209, T::Rectangle},
    {"FONT", 210, T::Font}, {"INTLIST", 211, T::IntegerList},

    {"COLORSCHEMES", 401, T::String}, {"SIZES", 402, T::String}, {"CHARSET", 403, T::Integer},

    {"DISPLAYNAME", 601, T::String}, {"TOOLTIP", 602, T::String}, {"COMPANY", 603, T::String},
    {"AUTHOR", 604, T::String}, {"COPYRIGHT", 605, T::String}, {"URL", 606, T::String},
    {"VERSION", 607, T::String}, {"DESCRIPTION", 608, T::String},

    {"CAPTIONFONT", 801, T::Font}, {"SMALLCAPTIONFONT", 802, T::Font}, {"MENUFONT", 803, T::Font},
    {"STATUSFONT", 804, T::Font}, {"MSGBOXFONT", 805, T::Font}, {"ICONTITLEFONT", 806, T::Font},

    {"FLATMENUS", 1001, T::Boolean},

    {"SIZINGBORDERWIDTH", 1201, T::Integer}, {"SCROLLBARWIDTH", 1202, T::Integer},
    {"SCROLLBARHEIGHT", 1203, T::Integer}, {"CAPTIONBARWIDTH", 1204, T::Integer},
    {"CAPTIONBARHEIGHT", 1205, T::Integer}, {"SMCAPTIONBARWIDTH", 1206, T::Integer},
    {"SMCAPTIONBARHEIGHT", 1207, T::Integer}, {"MENUBARWIDTH", 1208, T::Integer},
    {"MENUBARHEIGHT", 1209, T::Integer},

    {"MINCOLORDEPTH", 1301, T::Integer},

    {"CSSNAME", 1401, T::String}, {"XMLNAME", 1402, T::String},

    // The system colours: property id - 1601 is the system colour index.
    {"SCROLLBAR", 1601, T::Color}, {"BACKGROUND", 1602, T::Color},
    {"ACTIVECAPTION", 1603, T::Color}, {"INACTIVECAPTION", 1604, T::Color},
    {"MENU", 1605, T::Color}, {"WINDOW", 1606, T::Color}, {"WINDOWFRAME", 1607, T::Color},
    {"MENUTEXT", 1608, T::Color}, {"WINDOWTEXT", 1609, T::Color}, {"CAPTIONTEXT", 1610, T::Color},
    {"ACTIVEBORDER", 1611, T::Color}, {"INACTIVEBORDER", 1612, T::Color},
    {"APPWORKSPACE", 1613, T::Color}, {"HIGHLIGHT", 1614, T::Color},
    {"HIGHLIGHTTEXT", 1615, T::Color}, {"BTNFACE", 1616, T::Color}, {"BTNSHADOW", 1617, T::Color},
    {"GRAYTEXT", 1618, T::Color}, {"BTNTEXT", 1619, T::Color},
    {"INACTIVECAPTIONTEXT", 1620, T::Color}, {"BTNHIGHLIGHT", 1621, T::Color},
    {"DKSHADOW3D", 1622, T::Color}, {"LIGHT3D", 1623, T::Color}, {"INFOTEXT", 1624, T::Color},
    {"INFOBK", 1625, T::Color}, {"BUTTONALTERNATEFACE", 1626, T::Color},
    {"HOTTRACKING", 1627, T::Color}, {"GRADIENTACTIVECAPTION", 1628, T::Color},
    {"GRADIENTINACTIVECAPTION", 1629, T::Color}, {"MENUHILIGHT", 1630, T::Color},
    {"MENUBAR", 1631, T::Color},

    {"FROMHUE1", 1801, T::Integer}, {"FROMHUE2", 1802, T::Integer}, {"FROMHUE3", 1803, T::Integer},
    {"FROMHUE4", 1804, T::Integer}, {"FROMHUE5", 1805, T::Integer},
    {"TOHUE1", 1806, T::Integer}, {"TOHUE2", 1807, T::Integer}, {"TOHUE3", 1808, T::Integer},
    {"TOHUE4", 1809, T::Integer}, {"TOHUE5", 1810, T::Integer},

    {"FROMCOLOR1", 2001, T::Color}, {"FROMCOLOR2", 2002, T::Color}, {"FROMCOLOR3", 2003, T::Color},
    {"FROMCOLOR4", 2004, T::Color}, {"FROMCOLOR5", 2005, T::Color},
    {"TOCOLOR1", 2006, T::Color}, {"TOCOLOR2", 2007, T::Color}, {"TOCOLOR3", 2008, T::Color},
    {"TOCOLOR4", 2009, T::Color}, {"TOCOLOR5", 2010, T::Color},

    {"TRANSPARENT", 2201, T::Boolean}, {"AUTOSIZE", 2202, T::Boolean},
    {"BORDERONLY", 2203, T::Boolean}, {"COMPOSITED", 2204, T::Boolean},
    {"BGFILL", 2205, T::Boolean}, {"GLYPHTRANSPARENT", 2206, T::Boolean},
    {"GLYPHONLY", 2207, T::Boolean}, {"ALWAYSSHOWSIZINGBAR", 2208, T::Boolean},
    {"MIRRORIMAGE", 2209, T::Boolean}, {"UNIFORMSIZING", 2210, T::Boolean},
    {"INTEGRALSIZING", 2211, T::Boolean}, {"SOURCEGROW", 2212, T::Boolean},
    {"SOURCESHRINK", 2213, T::Boolean},

    {"IMAGECOUNT", 2401, T::Integer}, {"ALPHALEVEL", 2402, T::Integer},
    {"BORDERSIZE", 2403, T::Integer}, {"ROUNDCORNERWIDTH", 2404, T::Integer},
    {"ROUNDCORNERHEIGHT", 2405, T::Integer},
    {"GRADIENTRATIO1", 2406, T::Integer}, {"GRADIENTRATIO2", 2407, T::Integer},
    {"GRADIENTRATIO3", 2408, T::Integer}, {"GRADIENTRATIO4", 2409, T::Integer},
    {"GRADIENTRATIO5", 2410, T::Integer},
    {"PROGRESSCHUNKSIZE", 2411, T::Integer}, {"PROGRESSSPACESIZE", 2412, T::Integer},
    {"SATURATION", 2413, T::Integer}, {"TEXTBORDERSIZE", 2414, T::Integer},
    {"ALPHATHRESHOLD", 2415, T::Integer}, {"WIDTH", 2416, T::Integer},
    {"HEIGHT", 2417, T::Integer}, {"GLYPHINDEX", 2418, T::Integer},
    {"TRUESIZESTRETCHMARK", 2419, T::Integer},
    {"MINDPI1", 2420, T::Integer}, {"MINDPI2", 2421, T::Integer}, {"MINDPI3", 2422, T::Integer},
    {"MINDPI4", 2423, T::Integer}, {"MINDPI5", 2424, T::Integer},

    {"GLYPHFONT", 2601, T::Font},

    {"IMAGEFILE", 3001, T::String}, {"IMAGEFILE1", 3002, T::String},
    {"IMAGEFILE2", 3003, T::String}, {"IMAGEFILE3", 3004, T::String},
    {"IMAGEFILE4", 3005, T::String}, {"IMAGEFILE5", 3006, T::String},
    {"STOCKIMAGEFILE", 3007, T::String}, {"GLYPHIMAGEFILE", 3008, T::String},

    {"TEXT", 3201, T::String},

    {"OFFSET", 3401, T::Point}, {"TEXTSHADOWOFFSET", 3402, T::Point}, {"MINSIZE", 3403, T::Point},
    {"MINSIZE1", 3404, T::Point}, {"MINSIZE2", 3405, T::Point}, {"MINSIZE3", 3406, T::Point},
    {"MINSIZE4", 3407, T::Point}, {"MINSIZE5", 3408, T::Point}, {"NORMALSIZE", 3409, T::Point},

    {"SIZINGMARGINS", 3601, T::Rectangle}, {"CONTENTMARGINS", 3602, T::Rectangle},
    {"CAPTIONMARGINS", 3603, T::Rectangle},

    {"BORDERCOLOR", 3801, T::Color}, {"FILLCOLOR", 3802, T::Color}, {"TEXTCOLOR", 3803, T::Color},
    {"EDGELIGHTCOLOR", 3804, T::Color}, {"EDGEHIGHLIGHTCOLOR", 3805, T::Color},
    {"EDGESHADOWCOLOR", 3806, T::Color}, {"EDGEDKSHADOWCOLOR", 3807, T::Color},
    {"EDGEFILLCOLOR", 3808, T::Color}, {"TRANSPARENTCOLOR", 3809, T::Color},
    {"GRADIENTCOLOR1", 3810, T::Color}, {"GRADIENTCOLOR2", 3811, T::Color},
    {"GRADIENTCOLOR3", 3812, T::Color}, {"GRADIENTCOLOR4", 3813, T::Color},
    {"GRADIENTCOLOR5", 3814, T::Color},
    {"SHADOWCOLOR", 3815, T::Color}, {"GLOWCOLOR", 3816, T::Color},
    {"TEXTBORDERCOLOR", 3817, T::Color}, {"TEXTSHADOWCOLOR", 3818, T::Color},
    {"GLYPHTEXTCOLOR", 3819, T::Color}, {"GLYPHTRANSPARENTCOLOR", 3820, T::Color},
    {"FILLCOLORHINT", 3821, T::Color}, {"BORDERCOLORHINT", 3822, T::Color},
    {"ACCENTCOLORHINT", 3823, T::Color},

    {"BGTYPE", 4001, T::Enumeration}, {"BORDERTYPE", 4002, T::Enumeration},
    {"FILLTYPE", 4003, T::Enumeration}, {"SIZINGTYPE", 4004, T::Enumeration},
    {"HALIGN", 4005, T::Enumeration}, {"CONTENTALIGNMENT", 4006, T::Enumeration},
    {"VALIGN", 4007, T::Enumeration}, {"OFFSETTYPE", 4008, T::Enumeration},
    {"ICONEFFECT", 4009, T::Enumeration}, {"TEXTSHADOWTYPE", 4010, T::Enumeration},
    {"IMAGELAYOUT", 4011, T::Enumeration}, {"GLYPHTYPE", 4012, T::Enumeration},
    {"IMAGESELECTTYPE", 4013, T::Enumeration}, {"GLYPHFONTSIZINGTYPE", 4014, T::Enumeration},
    {"TRUESIZESCALINGTYPE", 4015, T::Enumeration},

    {"USERPICTURE", 5001, T::Boolean}, {"DEFAULTPANESIZE", 5002, T::Rectangle},
    {"BLENDCOLOR", 5003, T::Color},
};

constexpr SkinSchemaName kBgTypeValues[] = {{"IMAGEFILE", 0}, {"BORDERFILL", 1}, {"NONE", 2}};
constexpr SkinSchemaName kImageLayoutValues[] = {{"VERTICAL", 0}, {"HORIZONTAL", 1}};
constexpr SkinSchemaName kBorderTypeValues[] = {{"RECT", 0}, {"ROUNDRECT", 1}, {"ELLIPSE", 2}};
constexpr SkinSchemaName kFillTypeValues[] = {
    {"SOLID", 0}, {"VERTGRADIENT", 1}, {"HORZGRADIENT", 2}, {"RADIALGRADIENT", 3}, {"TILEIMAGE", 4},
};
constexpr SkinSchemaName kSizingTypeValues[] = {{"TRUESIZE", 0}, {"STRETCH", 1}, {"TILE", 2}};
constexpr SkinSchemaName kHAlignValues[] = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
constexpr SkinSchemaName kVAlignValues[] = {{"TOP", 0}, {"CENTER", 1}, {"BOTTOM", 2}};
constexpr SkinSchemaName kOffsetTypeValues[] = {
    {"TOPLEFT", 0}, {"TOPRIGHT", 1}, {"TOPMIDDLE", 2}, {"BOTTOMLEFT", 3}, {"BOTTOMRIGHT", 4},
    {"BOTTOMMIDDLE", 5}, {"MIDDLELEFT", 6}, {"MIDDLERIGHT", 7}, {"LEFTOFCAPTION", 8},
    {"RIGHTOFCAPTION", 9}, {"LEFTOFLASTBUTTON", 10}, {"RIGHTOFLASTBUTTON", 11},
    {"ABOVELASTBUTTON", 12}, {"BELOWLASTBUTTON", 13},
};
constexpr SkinSchemaName kIconEffectValues[] = {
    {"NONE", 0}, {"GLOW", 1}, {"SHADOW", 2}, {"PULSE", 3}, {"ALPHA", 4},
};
constexpr SkinSchemaName kTextShadowTypeValues[] = {{"NONE", 0}, {"SINGLE", 1}, {"CONTINUOUS", 2}};
constexpr SkinSchemaName kGlyphTypeValues[] = {{"NONE", 0}, {"IMAGEGLYPH", 1}, {"FONTGLYPH", 2}};
constexpr SkinSchemaName kNoneSizeDpiValues[] = {{"NONE", 0}, {"SIZE", 1}, {"DPI", 2}};

constexpr SkinEnumTable kEnumTables[] = {
    {4001, kBgTypeValues}, {4011, kImageLayoutValues}, {4002, kBorderTypeValues},
    {4003, kFillTypeValues}, {4004, kSizingTypeValues}, {4005, kHAlignValues},
    {4006, kHAlignValues}, {4007, kVAlignValues}, {4008, kOffsetTypeValues},
    {4009, kIconEffectValues}, {4010, kTextShadowTypeValues}, {4012, kGlyphTypeValues},
    {4013, kNoneSizeDpiValues}, {4015, kNoneSizeDpiValues}, {4014, kNoneSizeDpiValues},
};

char UpperAscii(char letter)
{
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

int FindIdByName(std::span<const SkinSchemaName> table, std::string_view name)
{
    const auto found = std::find_if(table.begin(), table.end(),
                                    [name](const SkinSchemaName& entry) { return SkinNamesEqual(entry.name, name); });
    return found == table.end() ? 0 : found->id;
}

} // namespace

bool SkinNamesEqual(std::string_view left, std::string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return UpperAscii(a) == UpperAscii(b); });
}

std::span<const SkinSchemaName> SkinClassTable() { return kClasses; }
std::span<const SkinPartTable> SkinPartTables() { return kPartTables; }
std::span<const SkinStateTable> SkinStateTables() { return kStateTables; }
std::span<const SkinPropertyInfo> SkinPropertyTable() { return kProperties; }
std::span<const SkinEnumTable> SkinEnumTables() { return kEnumTables; }

int FindSkinClassId(std::string_view className)
{
    return FindIdByName(kClasses, className);
}

std::span<const SkinSchemaName> FindSkinPartNames(int classId)
{
    for (const SkinPartTable& table : kPartTables) {
        if (table.classId == classId)
            return table.parts;
    }
    return {};
}

int FindSkinPartId(int classId, std::string_view partName)
{
    return FindIdByName(FindSkinPartNames(classId), partName);
}

std::span<const SkinSchemaName> FindSkinStateNames(std::string_view ownerName)
{
    for (const SkinStateTable& table : kStateTables) {
        if (SkinNamesEqual(table.ownerName, ownerName))
            return table.states;
    }
    return {};
}

int FindSkinStateId(std::string_view ownerName, std::string_view stateName)
{
    return FindIdByName(FindSkinStateNames(ownerName), stateName);
}

const SkinPropertyInfo* FindSkinProperty(std::string_view propertyName)
{
    for (const SkinPropertyInfo& property : kProperties) {
        if (SkinNamesEqual(property.name, propertyName))
            return &property;
    }
    return nullptr;
}

const SkinPropertyInfo* FindSkinPropertyById(int propertyId)
{
    for (const SkinPropertyInfo& property : kProperties) {
        if (property.id == propertyId)
            return &property;
    }
    return nullptr;
}

std::span<const SkinSchemaName> FindSkinEnumValues(int propertyId)
{
    for (const SkinEnumTable& table : kEnumTables) {
        if (table.propertyId == propertyId)
            return table.values;
    }
    return {};
}

std::string_view SkinNameOfId(std::span<const SkinSchemaName> table, int id)
{
    for (const SkinSchemaName& entry : table) {
        if (entry.id == id)
            return entry.name;
    }
    return {};
}

} // namespace tavrelin::skin
// clang-format on
