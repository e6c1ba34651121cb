#pragma once
// Which skin object a window class gets: a table of kinds, each with the
// object class that paints it and the skin class it draws with, and the
// window classes of each kind. A kind without an object class of its own
// yet gets the frame object's behaviour and carries its skin class; giving
// it one is a change to its row.

#include "skin/engine/frame/SkinObjectFrame.h"

#include <memory>
#include <string>

namespace tavrelin::skin {

enum class ESkinObjectKind : int {
    None, // the window class gets no object
    Frame,
    Button,
    Tab,
    TrackBar,
    ToolBar,
    ComboBox,
    DateTime,
    Edit,
    ListBox,
    ListView,
    Header,
    StatusBar,
    TreeView,
    Progress,
    ScrollBar,
    Spin,
    MdiClient,
    MonthCal,
    Menu,
    Static,
    ToolTip,
    Count,
};

struct SkinObjectFactory {
    ESkinObjectKind kind;
    const char* objectClass; // the kind's name; null for ESkinObjectKind::None
    const char* skinClass;
};

// The row of a kind.
const SkinObjectFactory& SkinObjectKindOf(ESkinObjectKind kind);

// The row of a window class's kind (names compared exactly), or null for
// classes the table does not list.
const SkinObjectFactory* FindSkinObjectFactory(const std::string& windowClass);

// A new object of the kind.
std::unique_ptr<CSkinObjectFrame> MakeSkinObjectOfKind(const SkinObjectFactory& kind);

} // namespace tavrelin::skin
