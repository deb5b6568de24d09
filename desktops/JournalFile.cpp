#include "JournalFile.h"

#include "framework/UniqueHandle.h"

#include <shlobj.h>

#include <cstddef>
#include <cstring>

namespace {
const char FolderName[] = "\\Lumenfold";
const char FileName[] = "\\hidden-windows.journal";
// Written whole beside the journal, then put in its place: the journal is never half written.
const char NewFileSuffix[] = ".new";
const char Magic[4] = {'L', 'F', 'H', 'W'};
const DWORD Version = 1;

// The file is this header and then the entries. The checksum covers everything after itself, so a
// changed, lost or added byte anywhere past the version fails the check.
struct Header {
    char magic[4];
    DWORD version;
    DWORD checksum;
    DWORD count;
};
const size_t ChecksumStart = offsetof(Header, count);

size_t fileSize(size_t count)
{
    return sizeof(Header) + count * sizeof(JournalEntry);
}

// FNV-1a: a file that only this program writes needs to catch damage, not forgery.
DWORD checksumOf(const std::vector<char>& bytes)
{
    DWORD hash = 2166136261u;
    for (size_t i = ChecksumStart; i < bytes.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
    return hash;
}

std::vector<char> encode(const JournalEntry* entries, int count)
{
    std::vector<char> bytes(fileSize(count));
    Header header = {};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.version = Version;
    header.count = count;
    std::memcpy(bytes.data(), &header, sizeof header);
    if (count > 0)
        std::memcpy(bytes.data() + sizeof header, entries, count * sizeof(JournalEntry));
    DWORD checksum = checksumOf(bytes);
    std::memcpy(bytes.data() + offsetof(Header, checksum), &checksum, sizeof checksum);
    return bytes;
}

bool valid(const std::vector<char>& bytes, const Header& header)
{
    return std::memcmp(header.magic, Magic, sizeof Magic) == 0 && header.version == Version &&
           header.count <= JournalCapacity && bytes.size() == fileSize(header.count) &&
           header.checksum == checksumOf(bytes);
}

std::vector<JournalEntry> decode(const std::vector<char>& bytes)
{
    Header header;
    if (bytes.size() < sizeof header)
        return {};
    std::memcpy(&header, bytes.data(), sizeof header);
    if (!valid(bytes, header) || header.count == 0)
        return {};
    std::vector<JournalEntry> entries(header.count);
    std::memcpy(entries.data(), bytes.data() + sizeof header, header.count * sizeof(JournalEntry));
    return entries;
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
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.valid())
        return {};
    // One byte more than the largest sound file, so that a longer one shows as too long.
    std::vector<char> bytes(fileSize(JournalCapacity) + 1);
    DWORD size = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &size, nullptr))
        return {};
    bytes.resize(size);
    return decode(bytes);
}

void JournalFile::write(const JournalEntry* entries, int count) const
{
    if (path.empty())
        return;
    std::vector<char> bytes = encode(entries, count);
    std::string fresh = path + NewFileSuffix;
    {
        UniqueHandle file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.valid() || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size())
            return;
    }
    MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void JournalFile::remove() const
{
    if (path.empty())
        return;
    DeleteFileA(path.c_str());
    DeleteFileA((path + NewFileSuffix).c_str());
}
