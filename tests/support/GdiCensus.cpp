#include "GdiCensus.h"

#include "Handles.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace e2e {
namespace {

// Wine's shared GDI handle table: 65536 entries of this layout, the same in
// 32- and 64-bit processes. A free entry has type 0.
struct WineGdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "the table entry layout is fixed");
constexpr int kWineGdiHandleCount = 0x10000;

// Where the 64-bit process environment block keeps the table's address, and
// where a 64-bit thread block keeps its environment block.
constexpr std::size_t kPeb64GdiTableOffset = 0xF8;
constexpr std::size_t kTeb64PebOffset = 0x60;
#if !defined(_WIN64)
constexpr std::size_t kPeb32GdiTableOffset = 0x94;
// A 32-bit thread under Wine's 64-bit prefix finds its 64-bit thread block
// in the field Windows calls GdiBatchCount; the table lies in the 64-bit
// environment block then, as Wine's own gdi32 looks it up.
constexpr std::size_t kTeb32GdiBatchCountOffset = 0xF70;
#endif

template <typename T>
T ReadAt(const void* base, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const std::uint8_t*>(base) + offset, sizeof value);
    return value;
}

const void* FindWineTable()
{
    // mingw's inline NtCurrentTeb reads a segment register through a
    // zero-length array, which GCC's bounds check takes for an overflow.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const void* teb = NtCurrentTeb();
#pragma GCC diagnostic pop
#if defined(_WIN64)
    return ReadAt<const void*>(ReadAt<const void*>(teb, kTeb64PebOffset), kPeb64GdiTableOffset);
#else
    if (const std::uint32_t teb64 = ReadAt<std::uint32_t>(teb, kTeb32GdiBatchCountOffset)) {
        const auto* peb64 = reinterpret_cast<const void*>(
            static_cast<std::uintptr_t>(ReadAt<std::uint64_t>(reinterpret_cast<const void*>(teb64), kTeb64PebOffset)));
        return reinterpret_cast<const void*>(
            static_cast<std::uintptr_t>(ReadAt<std::uint64_t>(peb64, kPeb64GdiTableOffset)));
    }
    return ReadAt<const void*>(static_cast<const TEB*>(teb)->ProcessEnvironmentBlock, kPeb32GdiTableOffset);
#endif
}

int CountWineTableEntries()
{
    const void* table = FindWineTable();
    if (!table)
        return -1;
    const auto* entries = static_cast<const WineGdiHandleEntry*>(table);
    int count = 0;
    for (int index = 0; index < kWineGdiHandleCount; ++index)
        count += entries[index].type != 0;
    return count;
}

// Where another process keeps its table, found the way FindWineTable finds
// this process's: through one of its threads' blocks.
const void* FindWineTable(HANDLE process, DWORD threadId)
{
    const auto read = [process](const void* address, auto& value) {
        return ::ReadProcessMemory(process, address, &value, sizeof value, nullptr) != FALSE;
    };
    // What NtQueryInformationThread's class 0 (basic information) answers.
    struct ThreadBasics {
        LONG exitStatus;
        void* TebBaseAddress;
        void* clientIds[2];
        ULONG_PTR affinityMask;
        LONG priority;
        LONG basePriority;
    } basic{};
    const UniqueHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId));
    if (!thread ||
        ::NtQueryInformationThread(thread.get(), static_cast<THREADINFOCLASS>(0), &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    const auto* teb = static_cast<const std::uint8_t*>(basic.TebBaseAddress);
    std::uint64_t table = 0;
#if defined(_WIN64)
    std::uint64_t peb = 0;
    if (!read(teb + kTeb64PebOffset, peb) ||
        !read(reinterpret_cast<const std::uint8_t*>(peb) + kPeb64GdiTableOffset, table))
        return nullptr;
#else
    std::uint32_t teb64 = 0;
    if (read(teb + kTeb32GdiBatchCountOffset, teb64) && teb64 != 0) {
        std::uint64_t peb64 = 0;
        if (!read(reinterpret_cast<const std::uint8_t*>(teb64) + kTeb64PebOffset, peb64) ||
            !read(reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(peb64)) + kPeb64GdiTableOffset,
                  table))
            return nullptr;
    } else {
        std::uint32_t peb = 0, table32 = 0;
        if (!read(teb + 0x30, peb) || !read(reinterpret_cast<const std::uint8_t*>(peb) + kPeb32GdiTableOffset, table32))
            return nullptr;
        table = table32;
    }
#endif
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table));
}

} // namespace

int CountGdiObjects(HANDLE process, DWORD threadId)
{
    if (const DWORD objects = ::GetGuiResources(process, GR_GDIOBJECTS))
        return static_cast<int>(objects);
    const void* table = FindWineTable(process, threadId);
    if (!table)
        return -1;
    std::vector<WineGdiHandleEntry> entries(kWineGdiHandleCount);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(WineGdiHandleEntry), nullptr))
        return -1;
    int count = 0;
    for (const WineGdiHandleEntry& entry : entries)
        count += entry.type != 0;
    return count;
}

int CountGdiObjects()
{
    const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (objects > 0)
        return static_cast<int>(objects);
    return CountWineTableEntries();
}

} // namespace e2e
