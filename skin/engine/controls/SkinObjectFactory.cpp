#include "skin/engine/controls/SkinObjectFactory.h"

#include "skin/engine/controls/SkinObjectButton.h"
#include "skin/engine/controls/SkinObjectTab.h"
#include "skin/engine/controls/SkinObjectToolBar.h"
#include "skin/engine/controls/SkinObjectTrackBar.h"

#include <cstring>
#include <map>

namespace tavrelin::skin {
namespace {

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

const std::map<std::string, SkinObjectFactory>& Factories()
{
    static const SkinObjectFactory comboBox{"CSkinObjectComboBox", "COMBOBOX"};
    static const SkinObjectFactory edit{"CSkinObjectEdit", "EDIT"};
    static const SkinObjectFactory listBox{"CSkinObjectListBox", "LISTBOX"};
    static const SkinObjectFactory scrollBar{"CSkinObjectScrollBar", "SCROLLBAR"};
    static const SkinObjectFactory progress{"CSkinObjectProgress", "PROGRESS"};
    static const SkinObjectFactory button{"CSkinObjectButton", "BUTTON"};
    static const SkinObjectFactory menu{IsWindows95() ? nullptr : "CSkinObjectMenu", "WINDOW"};
    // The status bar draws with the schema's STATUS class.
    static const std::map<std::string, SkinObjectFactory> factories{
        {"ComboBox", comboBox},
        {"ComboBoxEx32", comboBox},
        {"TComboBox", comboBox},
        {"Edit", edit},
        {"TEdit", edit},
        {"TMemo", edit},
        {"TRichEditViewer", edit},
        {"SysDateTimePick32", {"CSkinObjectDateTime", "COMBOBOX"}},
        {"SysMonthCal32", {"CSkinObjectMonthCal", "WINDOW"}},
        {"ListBox", listBox},
        {"ComboLBox", listBox},
        {"ScrollBar", scrollBar},
        {"ATL:ScrollBar", scrollBar},
        {"SysListView32", {"CSkinObjectListView", "LISTVIEW"}},
        {"SysHeader32", {"CSkinObjectHeader", "HEADER"}},
        {"msctls_statusbar32", {"CSkinObjectStatusBar", "STATUS"}},
        {"SysTreeView32", {"CSkinObjectTreeView", "TREEVIEW"}},
        {"msctls_progress32", progress},
        {"TNewProgressBar", progress},
        {"msctls_trackbar32", {"CSkinObjectTrackBar", "TRACKBAR"}},
        {"SysTabControl32", {"CSkinObjectTab", "TAB"}},
        {"MDIClient", {"CSkinObjectMDIClient", "WINDOW"}},
        {"msctls_updown32", {"CSkinObjectSpin", "SPIN"}},
        {"ToolbarWindow32", {"CSkinObjectToolBar", "TOOLBAR"}},
        {"Button", button},
        {"TButton", button},
        {"TRadioButton", button},
        {"TCheckBox", button},
        {"#32768", menu},
        {"SysPager", {nullptr, ""}},
    };
    return factories;
}

template <class Object>
std::unique_ptr<CSkinObjectFrame> Make(const char* objectClass, const char* skinClass)
{
    return std::make_unique<Object>(objectClass, skinClass);
}

using ObjectMaker = std::unique_ptr<CSkinObjectFrame> (*)(const char*, const char*);

struct ObjectClassEntry {
    const char* name;
    ObjectMaker make;
};

constexpr ObjectClassEntry kObjectClasses[] = {
    {"CSkinObjectButton", &Make<CSkinObjectButton>},
    {"CSkinObjectTab", &Make<CSkinObjectTab>},
    {"CSkinObjectTrackBar", &Make<CSkinObjectTrackBar>},
    {"CSkinObjectToolBar", &Make<CSkinObjectToolBar>},
};

} // namespace

std::unique_ptr<CSkinObjectFrame> MakeSkinObjectOfClass(const char* objectClass, const char* skinClass)
{
    for (const ObjectClassEntry& entry : kObjectClasses) {
        if (std::strcmp(entry.name, objectClass) == 0)
            return entry.make(objectClass, skinClass);
    }
    return Make<CSkinObjectFrame>(objectClass, skinClass);
}

const SkinObjectFactory* FindSkinObjectFactory(const std::string& windowClass)
{
    const auto& factories = Factories();
    const auto found = factories.find(windowClass);
    return found == factories.end() ? nullptr : &found->second;
}

} // namespace tavrelin::skin
