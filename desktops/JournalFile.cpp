#include "JournalFile.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>

namespace {
const char FolderName[] = "\\Lumenfold";
const char FileName[] = "\\hidden-windows.journal";
const char Magic[4] = {'L', 'F', 'H', 'W'};
const DWORD Version = 2;

// The file holds two slots, each a header and then the entries of one set. A new set goes into the
// slot that does not hold the newest, so a process killed while writing leaves the newest whole;
// the reader takes the sound slot with the higher serial. The checksum covers everything in its
// slot after itself, so a changed or lost byte anywhere past the version fails the check.
struct Header {
    char magic[4];
    DWORD version;
    DWORD checksum;
    DWORD serial;
    DWORD count;
};
const size_t ChecksumStart = offsetof(Header, serial);

size_t slotBytes(size_t count)
{
    return sizeof(Header) + count * sizeof(JournalEntry);
}
const size_t SlotSize = slotBytes(JournalCapacity);

// FNV-1a: a file that only this program writes needs to catch damage, not forgery.
DWORD checksumOf(const char* slot, size_t size)
{
    DWORD hash = 2166136261u;
    for (size_t i = ChecksumStart; i < size; ++i)
        hash = (hash ^ static_cast<unsigned char>(slot[i])) * 16777619u;
    return hash;
}

std::vector<char> encode(const JournalEntry* entries, int count, DWORD serial)
{
    std::vector<char> bytes(slotBytes(count));
    Header header = {};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.version = Version;
    header.serial = serial;
    header.count = count;
    std::memcpy(bytes.data(), &header, sizeof header);
    if (count > 0)
        std::memcpy(bytes.data() + sizeof header, entries, count * sizeof(JournalEntry));
    DWORD checksum = checksumOf(bytes.data(), bytes.size());
    std::memcpy(bytes.data() + offsetof(Header, checksum), &checksum, sizeof checksum);
    return bytes;
}

// The slot's header, when the slot is sound.
std::optional<Header> soundHeader(const char* slot, size_t available)
{
    Header header;
    if (available < sizeof header)
        return std::nullopt;
    std::memcpy(&header, slot, sizeof header);
    bool sound = std::memcmp(header.magic, Magic, sizeof Magic) == 0 && header.version == Version &&
                 header.count <= JournalCapacity && available >= slotBytes(header.count) &&
                 header.checksum == checksumOf(slot, slotBytes(header.count));
    return sound ? std::optional<Header>(header) : std::nullopt;
}

std::vector<JournalEntry> decode(const std::vector<char>& bytes)
{
    std::optional<Header> first = soundHeader(bytes.data(), std::min(bytes.size(), SlotSize));
    std::optional<Header> second =
        bytes.size() > SlotSize ? soundHeader(bytes.data() + SlotSize, bytes.size() - SlotSize) : std::nullopt;
    // Serials count up from 1 in each process; the difference tells the newer across a wrap.
    bool secondNewer = second && (!first || static_cast<LONG>(second->serial - first->serial) > 0);
    const std::optional<Header>& newest = secondNewer ? second : first;
    if (!newest || newest->count == 0)
        return {};
    const char* entries = bytes.data() + (secondNewer ? SlotSize : 0) + sizeof(Header);
    std::vector<JournalEntry> windows(newest->count);
    std::memcpy(windows.data(), entries, newest->count * sizeof(JournalEntry));
    return windows;
}
}

void JournalFile::locate()
{
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return;
    std::string programFolder = std::string(folder) + FolderName;
    CreateDirectoryA(programFolder.c_str(), nullptr); // fails harmlessly when it is there already
    path = programFolder + FileName;
}

std::vector<JournalEntry> JournalFile::read() const
{
    if (path.empty())
        return {};
    UniqueHandle reading(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    if (!reading.valid())
        return {};
    // One byte more than the largest sound file, so that a longer one shows as too long.
    std::vector<char> bytes(2 * SlotSize + 1);
    DWORD size = 0;
    if (!ReadFile(reading.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &size, nullptr) || size > 2 * SlotSize)
        return {};
    bytes.resize(size);
    return decode(bytes);
}

// The file is made anew by the first write of a process: whatever a dead instance left in it has
// been taken over by then.
void JournalFile::write(const JournalEntry* entries, int count)
{
    if (path.empty())
        return;
    if (!file.valid())
        file.reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return;
    std::vector<char> bytes = encode(entries, count, ++lastSerial);
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>((lastSerial % 2) * SlotSize);
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at);
}

void JournalFile::remove()
{
    if (path.empty())
        return;
    file.reset();
    lastSerial = 0;
    DeleteFileA(path.c_str());
}
