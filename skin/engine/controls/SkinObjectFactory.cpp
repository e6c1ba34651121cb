#include "skin/engine/controls/SkinObjectFactory.h"

#include "skin/engine/controls/SkinObjectButton.h"
#include "skin/engine/controls/SkinObjectComboBox.h"
#include "skin/engine/controls/SkinObjectEdit.h"
#include "skin/engine/controls/SkinObjectHeader.h"
#include "skin/engine/controls/SkinObjectListBox.h"
#include "skin/engine/controls/SkinObjectListView.h"
#include "skin/engine/controls/SkinObjectMenu.h"
#include "skin/engine/controls/SkinObjectProgress.h"
#include "skin/engine/controls/SkinObjectScrollBar.h"
#include "skin/engine/controls/SkinObjectStatic.h"
#include "skin/engine/controls/SkinObjectToolTip.h"
#include "skin/engine/controls/SkinObjectTab.h"
#include "skin/engine/controls/SkinObjectToolBar.h"
#include "skin/engine/controls/SkinObjectTrackBar.h"

#include <iterator>
#include <map>

namespace tavrelin::skin {
namespace {

using ObjectMaker = std::unique_ptr<CSkinObjectFrame> (*)(const char*, const char*);

template <class Object>
std::unique_ptr<CSkinObjectFrame> Make(const char* objectClass, const char* skinClass)
{
    return std::make_unique<Object>(objectClass, skinClass);
}

struct KindRow {
    SkinObjectFactory kind;
    ObjectMaker make;
};

// One row per kind, in the order of ESkinObjectKind.
constexpr KindRow kKinds[] = {
    {{ESkinObjectKind::None, nullptr, ""}, nullptr},
    {{ESkinObjectKind::Frame, "CSkinObjectFrame", "WINDOW"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::Button, "CSkinObjectButton", "BUTTON"}, &Make<CSkinObjectButton>},
    {{ESkinObjectKind::Tab, "CSkinObjectTab", "TAB"}, &Make<CSkinObjectTab>},
    {{ESkinObjectKind::TrackBar, "CSkinObjectTrackBar", "TRACKBAR"}, &Make<CSkinObjectTrackBar>},
    {{ESkinObjectKind::ToolBar, "CSkinObjectToolBar", "TOOLBAR"}, &Make<CSkinObjectToolBar>},
    {{ESkinObjectKind::ComboBox, "CSkinObjectComboBox", "COMBOBOX"}, &Make<CSkinObjectComboBox>},
    {{ESkinObjectKind::DateTime, "CSkinObjectDateTime", "COMBOBOX"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::Edit, "CSkinObjectEdit", "EDIT"}, &Make<CSkinObjectEdit>},
    {{ESkinObjectKind::ListBox, "CSkinObjectListBox", "LISTBOX"}, &Make<CSkinObjectListBox>},
    {{ESkinObjectKind::ListView, "CSkinObjectListView", "LISTVIEW"}, &Make<CSkinObjectListView>},
    {{ESkinObjectKind::Header, "CSkinObjectHeader", "HEADER"}, &Make<CSkinObjectHeader>},
    // The status bar draws with the schema's STATUS class.
    {{ESkinObjectKind::StatusBar, "CSkinObjectStatusBar", "STATUS"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::TreeView, "CSkinObjectTreeView", "TREEVIEW"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::Progress, "CSkinObjectProgress", "PROGRESS"}, &Make<CSkinObjectProgress>},
    {{ESkinObjectKind::ScrollBar, "CSkinObjectScrollBar", "SCROLLBAR"}, &Make<CSkinObjectScrollBar>},
    {{ESkinObjectKind::Spin, "CSkinObjectSpin", "SPIN"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::MdiClient, "CSkinObjectMDIClient", "WINDOW"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::MonthCal, "CSkinObjectMonthCal", "WINDOW"}, &Make<CSkinObjectFrame>},
    {{ESkinObjectKind::Menu, "CSkinObjectMenu", "MENU"}, &Make<CSkinObjectMenu>},
    // A label shows its parent's skin; it has no class of its own.
    {{ESkinObjectKind::Static, "CSkinObjectStatic", "WINDOW"}, &Make<CSkinObjectStatic>},
    {{ESkinObjectKind::ToolTip, "CSkinObjectToolTip", "TOOLTIP"}, &Make<CSkinObjectToolTip>},
};
static_assert(std::size(kKinds) == static_cast<size_t>(ESkinObjectKind::Count));

constexpr bool RowsFollowTheKinds()
{
    for (size_t index = 0; index < std::size(kKinds); ++index) {
        if (kKinds[index].kind.kind != static_cast<ESkinObjectKind>(index))
            return false;
    }
    return true;
}

// Menus have no object on Windows 95, whose menu windows can't be subclassed.
bool IsWindows95()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 &&
           version.dwMinorVersion < 10;
}

// Window class names and their kinds, looked up once per new window.
const std::map<std::string, ESkinObjectKind>& WindowClassKinds()
{
    using K = ESkinObjectKind;
    static const std::map<std::string, ESkinObjectKind> kinds{
        {"ComboBox", K::ComboBox},
        {"ComboBoxEx32", K::ComboBox},
        {"TComboBox", K::ComboBox},
        {"Edit", K::Edit},
        {"TEdit", K::Edit},
        {"TMemo", K::Edit},
        {"TRichEditViewer", K::Edit},
        {"SysDateTimePick32", K::DateTime},
        {"SysMonthCal32", K::MonthCal},
        {"ListBox", K::ListBox},
        {"ComboLBox", K::ListBox},
        {"ScrollBar", K::ScrollBar},
        {"ATL:ScrollBar", K::ScrollBar},
        {"SysListView32", K::ListView},
        {"SysHeader32", K::Header},
        {"msctls_statusbar32", K::StatusBar},
        {"SysTreeView32", K::TreeView},
        {"msctls_progress32", K::Progress},
        {"TNewProgressBar", K::Progress},
        {"msctls_trackbar32", K::TrackBar},
        {"SysTabControl32", K::Tab},
        {"MDIClient", K::MdiClient},
        {"msctls_updown32", K::Spin},
        {"ToolbarWindow32", K::ToolBar},
        {"Button", K::Button},
        {"TButton", K::Button},
        {"TRadioButton", K::Button},
        {"TCheckBox", K::Button},
        {"#32768", IsWindows95() ? K::None : K::Menu},
        {"Static", K::Static},
        {"tooltips_class32", K::ToolTip},
        {"SysPager", K::None},
        {kSkinMenuFaceClass, K::None},
    };
    return kinds;
}

} // namespace

static_assert(RowsFollowTheKinds());

const SkinObjectFactory& SkinObjectKindOf(ESkinObjectKind kind) { return kKinds[static_cast<size_t>(kind)].kind; }

const SkinObjectFactory* FindSkinObjectFactory(const std::string& windowClass)
{
    const auto& kinds = WindowClassKinds();
    const auto found = kinds.find(windowClass);
    return found == kinds.end() ? nullptr : &SkinObjectKindOf(found->second);
}

std::unique_ptr<CSkinObjectFrame> MakeSkinObjectOfKind(const SkinObjectFactory& kind)
{
    const ObjectMaker make = kKinds[static_cast<size_t>(kind.kind)].make;
    return make ? make(kind.objectClass, kind.skinClass) : nullptr;
}

} // namespace tavrelin::skin
