#pragma once
// The fixed schema of the property file: class, part, state, property and
// enumeration names with their numbers. Names compare without regard to case.

#include <span>
#include <string_view>

namespace tavrelin::skin {

enum class ESkinPropertyType : int {
    String = 1,
    Integer = 2,
    Boolean = 3,
    Color = 4,
    Rectangle = 5,
    Font = 6,
    IntegerList = 7,
    Enumeration = 8,
    Point = 9,
};

struct SkinSchemaName {
    std::string_view name;
    int id;
};

struct SkinPropertyInfo {
    std::string_view name;
    int id;
    ESkinPropertyType type;
};

struct SkinPartTable {
    int classId;
    std::span<const SkinSchemaName> parts;
};

struct SkinStateTable {
    std::string_view ownerName; // a part name, or a class name for sections without a part
    std::span<const SkinSchemaName> states;
};

struct SkinEnumTable {
    int propertyId;
    std::span<const SkinSchemaName> values;
};

enum ESkinClassId : int {
    kSkinClassGlobals = 1,
    kSkinClassDocumentation = 2,
    kSkinClassSysMetrics = 3,
    kSkinClassListBox = 4,
    kSkinClassWindow = 6,
    kSkinClassButton = 7,
    kSkinClassToolbar = 9,
    kSkinClassStatus = 10,
    kSkinClassMenu = 11,
    kSkinClassListView = 12,
    kSkinClassHeader = 13,
    kSkinClassProgress = 14,
    kSkinClassTab = 15,
    kSkinClassTrackbar = 16,
    kSkinClassToolTip = 17,
    kSkinClassTreeView = 18,
    kSkinClassSpin = 19,
    kSkinClassScrollBar = 21,
    kSkinClassEdit = 22,
    kSkinClassComboBox = 23,
    kSkinClassIdLimit = 31, // above every class id
};

enum ESkinPropertyId : int {
    kSkinPropAlphaLevel = 2402,
};

bool SkinNamesEqual(std::string_view left, std::string_view right);

std::span<const SkinSchemaName> SkinClassTable();
std::span<const SkinPartTable> SkinPartTables();
std::span<const SkinStateTable> SkinStateTables();
std::span<const SkinPropertyInfo> SkinPropertyTable();
std::span<const SkinEnumTable> SkinEnumTables();

// Each lookup gives 0 (or nothing) for a name the schema does not know.
int FindSkinClassId(std::string_view className);
std::span<const SkinSchemaName> FindSkinPartNames(int classId);
int FindSkinPartId(int classId, std::string_view partName);
std::span<const SkinSchemaName> FindSkinStateNames(std::string_view ownerName);
int FindSkinStateId(std::string_view ownerName, std::string_view stateName);
const SkinPropertyInfo* FindSkinProperty(std::string_view propertyName);
const SkinPropertyInfo* FindSkinPropertyById(int propertyId);
std::span<const SkinSchemaName> FindSkinEnumValues(int propertyId);

// Reverse lookups for printing: an empty view when the id is unknown.
std::string_view SkinNameOfId(std::span<const SkinSchemaName> table, int id);

} // namespace tavrelin::skin
