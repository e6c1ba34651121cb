#include "skin/SkinSchemaTables.h"

#include <algorithm>
#include <array>

// The tables are laid out by hand, one row a line, so that they read like the
// lists they copy.
// clang-format off

namespace tavrelin::skin {
namespace {

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
